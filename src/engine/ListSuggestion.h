#pragma once

#include "ListProposal.h"

#include <optional>
#include <string_view>

namespace corvano {

// Finds a page's main list of links and proposes the strings that cut it out.
namespace ListSuggestion {

// How many of the likeliest groups are tried before the page counts as having no list.
inline constexpr std::size_t kGroupsTried = 8;

// None when the page has no list of at least three links that the strings can cut out.
std::optional<ListProposal> suggest(std::string_view page);

} // namespace ListSuggestion

} // namespace corvano
