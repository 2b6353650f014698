#pragma once

#include <string>
#include <string_view>

namespace corvano {

// Cuts the link list out of a page: plain text rules, not HTML parsing.
// A record is address "|#|" title; records are joined by ",".
namespace LinkExtractor {

// Separates the address and the title of a record.
inline constexpr std::string_view kFieldSeparator = "|#|";

enum class Error
{
    None,
    StartStringMissing,
    EndStringMissing
};

struct Result
{
    std::string linkList;
    Error error = Error::None;
};

Result ExtractLinks(std::string_view page, std::string_view start, std::string_view end,
                    std::string_view contains);
std::string ParseLinkTag(std::string list, std::string_view piece, std::string_view address,
                         std::string_view contains);
std::string_view addressOf(std::string_view piece);
std::string_view titleOf(std::string_view piece);

} // namespace LinkExtractor

} // namespace corvano
