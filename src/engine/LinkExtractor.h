#pragma once

#include <string>
#include <string_view>

namespace corvano {

// Cuts the link list out of a page: plain text rules, not HTML parsing.
// A record is address "|#|" title; records are joined by ",".
class LinkExtractor
{
public:
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

    static Result ExtractLinks(std::string_view page, std::string_view start, std::string_view end,
                               std::string_view contains);
    static std::string ParseLinkTag(std::string list, std::string_view piece,
                                    std::string_view address, std::string_view contains);
    static std::string_view addressOf(std::string_view piece);
    static std::string_view titleOf(std::string_view piece);
};

} // namespace corvano
