#pragma once

#include <cstddef>
#include <vector>

namespace corvano {

// Links of a page that repeat one structure: the same place in a run of sibling items.
struct LinkGroup
{
    std::size_t container = 0;        // the element whose children are the items
    std::vector<std::size_t> anchors; // indices into PageOutline::anchors(), in page order
    bool mixed = false;               // some items hold more than one of the links
    double score = 0;
};

} // namespace corvano
