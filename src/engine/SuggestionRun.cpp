#include "SuggestionRun.h"

#include "ListSuggestion.h"
#include "PageDecoder.h"
#include "PageFetch.h"
#include "RegularExpression.h"

namespace corvano {

namespace {

constexpr const char* kTitle = "自动识别";
constexpr const char* kNoListText = "未找到链接列表";

std::string foundText(std::size_t linkCount)
{
    return "已识别列表：共" + std::to_string(linkCount) + "个链接";
}

} // namespace

SuggestionRun::SuggestionRun(MainSurface& surface, Transfer& transfer, ProposalHandler onFound)
    : m_surface(surface), m_transfer(transfer), m_onFound(std::move(onFound))
{}

SuggestionOutcome SuggestionRun::suggest()
{
    if (m_running)
        return SuggestionOutcome::Ignored;
    // Cleared however the suggestion ends.
    struct RunningFlag
    {
        bool& flag;
        ~RunningFlag() { flag = false; }
    } const running{m_running = true};
    m_aborted = false;
    return fetchAndSuggest();
}

SuggestionOutcome SuggestionRun::fetchAndSuggest()
{
    const std::string address = m_surface.text(Field::Address);
    if (!RegTest(address, kAddressPattern)) {
        PageFetch::reportAddressError(m_surface);
        return SuggestionOutcome::AddressError;
    }
    PageFetch::begin(m_transfer, address);
    m_surface.setTimerEnabled(RunTimer::Timer3, true);
    while (m_transfer.StillExecuting())
        m_surface.processEvents();
    if (m_aborted)
        return SuggestionOutcome::Aborted;
    if (m_transfer.failure() != TransferFailure::None) {
        PageFetch::reportAddressError(m_surface);
        return SuggestionOutcome::AddressError;
    }
    const std::string page =
        PageDecoder::decode(m_transfer.GetChunk(Transfer::kReadSize), m_transfer.contentType());
    const auto proposal = ListSuggestion::suggest(page);
    if (!proposal) {
        m_surface.showMessage(kNoListText, kTitle, MessageStyle::Information);
        return SuggestionOutcome::NoList;
    }
    m_onFound(*proposal);
    m_surface.showMessage(foundText(proposal->linkCount), kTitle, MessageStyle::Information);
    return SuggestionOutcome::Found;
}

void SuggestionRun::Timer3_Timer()
{
    PageFetch::animate(m_surface, m_transfer);
}

void SuggestionRun::abort()
{
    if (!m_running)
        return;
    m_aborted = true;
    m_transfer.cancel();
}

} // namespace corvano
