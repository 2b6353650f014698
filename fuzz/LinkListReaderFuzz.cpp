#include "writers/LinkListReader.h"

#include <cstddef>
#include <cstdint>

using namespace corvano;

namespace {

std::size_t occurrences(std::string_view text, std::string_view part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    const auto records = LinkListReader::read(list);
    if (records.size() > occurrences(list, "|#|"))
        __builtin_trap(); // a record needs its own separator
    std::size_t length = 0;
    for (const auto& record : records) {
        if (record.address.find("|#|") != std::string::npos ||
            record.title.find("|#|") != std::string::npos)
            __builtin_trap(); // fields never hold the separator
        length += record.address.size() + record.title.size();
    }
    if (length > list.size())
        __builtin_trap(); // records only ever hold text of the list
    return 0;
}
