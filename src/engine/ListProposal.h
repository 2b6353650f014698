#pragma once

#include <cstddef>
#include <string>

namespace corvano {

// Start, end and contains strings that cut a page's main list of links out, and how many
// links they cut out.
struct ListProposal
{
    std::string start;
    std::string end;
    std::string contains;
    std::size_t linkCount = 0;
};

} // namespace corvano
