#include "LinkListReader.h"

#include "engine/LinkExtractor.h"

namespace corvano {

namespace {

using LinkExtractor::kFieldSeparator;

bool hasFields(std::string_view piece)
{
    return piece.find(kFieldSeparator) != std::string_view::npos;
}

} // namespace

std::vector<LinkRecord> LinkListReader::read(std::string_view linkList)
{
    // A piece without "|#|" was cut off by a comma inside a title or address: it continues
    // the record before it, or, before the first record, joins the piece after it.
    std::vector<std::string> records;
    std::string pending;
    bool hasPending = false;
    std::size_t start = 0;
    while (!linkList.empty()) {
        const std::size_t comma = linkList.find(',', start);
        const std::string_view piece = linkList.substr(start, comma - start);
        if (!records.empty() && !hasFields(piece)) {
            records.back() += ',';
            records.back().append(piece);
        } else {
            pending = hasPending ? pending + ',' + std::string(piece) : std::string(piece);
            hasPending = !hasFields(pending);
            if (!hasPending)
                records.push_back(std::move(pending));
        }
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    std::vector<LinkRecord> result;
    result.reserve(records.size());
    for (const auto& record : records)
        result.push_back(fieldsOf(record));
    return result;
}

LinkRecord LinkListReader::fieldsOf(std::string_view record)
{
    const std::size_t first = record.find(kFieldSeparator);
    if (first == std::string_view::npos)
        return {std::string(record), {}};
    const std::string_view rest = record.substr(first + kFieldSeparator.size());
    return {std::string(record.substr(0, first)),
            std::string(rest.substr(0, rest.find(kFieldSeparator)))};
}

} // namespace corvano
