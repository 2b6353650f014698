#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvano {

struct LinkRecord
{
    std::string address;
    std::string title;
};

// Reads a link list back into records. The one place that knows how a comma inside an
// address or title, which the list cannot escape, is put back together.
namespace LinkListReader {

std::vector<LinkRecord> read(std::string_view linkList);
// address is the text before the first "|#|", title the field after it.
LinkRecord fieldsOf(std::string_view record);

} // namespace LinkListReader

} // namespace corvano
