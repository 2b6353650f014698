#include "ListSuggestion.h"

#include "ListCandidates.h"
#include "ListCut.h"
#include "PageOutline.h"

namespace corvano {

std::optional<ListProposal> ListSuggestion::suggest(std::string_view page)
{
    const PageOutline outline = PageOutline::parse(page);
    const std::vector<LinkGroup> groups = ListCandidates::rank(outline);
    for (std::size_t i = 0; i < groups.size() && i < kGroupsTried; ++i) {
        if (auto proposal = ListCut::derive(page, outline, groups[i]))
            return proposal;
    }
    return std::nullopt;
}

} // namespace corvano
