#pragma once

#include "LinkGroup.h"
#include "PageOutline.h"

#include <vector>

namespace corvano {

// Finds the groups of links that could be a page's main list and ranks them, likeliest first.
namespace ListCandidates {

// The fewest links, and items, that make a list.
inline constexpr std::size_t kMinimumLinks = 3;

std::vector<LinkGroup> rank(const PageOutline& outline);
double score(const PageOutline& outline, const LinkGroup& group);

} // namespace ListCandidates

} // namespace corvano
