#pragma once

#include "LinkGroup.h"
#include "ListProposal.h"
#include "PageOutline.h"

#include <optional>
#include <string_view>

namespace corvano {

// Derives start, end and contains strings for one group of links from the page's structure
// around it, and keeps only strings with which ExtractLinks returns exactly the group.
namespace ListCut {

std::optional<ListProposal> derive(std::string_view page, const PageOutline& outline,
                                   const LinkGroup& group);

} // namespace ListCut

} // namespace corvano
