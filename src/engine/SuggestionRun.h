#pragma once

#include "ListProposal.h"
#include "MainSurface.h"
#include "platform/Transfer.h"

#include <functional>
#include <optional>

namespace corvano {

enum class SuggestionOutcome
{
    Found,
    NoList,
    AddressError,
    Ignored, // a press while the page was already being fetched
    Aborted,
};

// One press of the button that finds the list: the page is fetched as a run fetches it, and
// the strings that cut its main list out are handed to the caller, who shows them.
class SuggestionRun
{
public:
    using ProposalHandler = std::function<void(const ListProposal&)>;

    SuggestionRun(MainSurface& surface, Transfer& transfer, ProposalHandler onFound);
    SuggestionRun(const SuggestionRun&) = delete;
    SuggestionRun& operator=(const SuggestionRun&) = delete;

    SuggestionOutcome suggest();
    void Timer3_Timer();
    // Ends a suggestion that waits for its page.
    void abort();

    bool running() const { return m_running; }

private:
    SuggestionOutcome fetchAndSuggest();

    MainSurface& m_surface;
    Transfer& m_transfer;
    ProposalHandler m_onFound;
    bool m_running = false;
    bool m_aborted = false;
};

} // namespace corvano
