#include "LinkExtractor.h"

#include "TextSearch.h"

#include <algorithm>

namespace corvano {

namespace {

constexpr std::string_view kLinkStart = "href=";

// The text between the first and the second occurrence of start (or to the end).
std::string_view cutFront(std::string_view page, std::string_view start)
{
    std::string_view segment = page.substr(page.find(start) + start.size());
    return segment.substr(0, segment.find(start));
}

} // namespace

LinkExtractor::Result LinkExtractor::ExtractLinks(std::string_view page, std::string_view start,
                                                  std::string_view end, std::string_view contains)
{
    std::string_view segment = page;
    if (!start.empty()) {
        if (page.find(start) == std::string_view::npos)
            return {{}, Error::StartStringMissing};
        segment = cutFront(page, start);
    }
    if (!end.empty()) {
        // The test ignores letter case; the cut does not.
        if (!TextSearch::containsIgnoringCase(segment, end))
            return {{}, Error::EndStringMissing};
        segment = segment.substr(0, segment.find(end));
    }
    Result result;
    if (segment.empty())
        return result;
    // Every piece between two "href=" is a candidate, the text before the first included.
    for (std::size_t pieceStart = 0;;) {
        const std::size_t next = segment.find(kLinkStart, pieceStart);
        const std::string_view piece = segment.substr(pieceStart, next - pieceStart);
        result.linkList =
            ParseLinkTag(std::move(result.linkList), piece, addressOf(piece), contains);
        if (next == std::string_view::npos)
            break;
        pieceStart = next + kLinkStart.size();
    }
    return result;
}

std::string_view LinkExtractor::addressOf(std::string_view piece)
{
    if (piece.starts_with('"')) {
        const std::string_view rest = piece.substr(1);
        return rest.substr(0, rest.find('"'));
    }
    if (const auto space = piece.find(' '); space != std::string_view::npos)
        return piece.substr(0, space);
    return piece.substr(0, piece.find('>'));
}

std::string_view LinkExtractor::titleOf(std::string_view piece)
{
    const auto open = piece.find('>');
    if (open == std::string_view::npos)
        return {};
    const std::string_view rest = piece.substr(open + 1);
    // A plain scan: find_first_of tests each character against the set with a library call.
    const auto end =
        std::find_if(rest.begin(), rest.end(), [](char c) { return c == '<' || c == '>'; });
    return rest.substr(0, static_cast<std::size_t>(end - rest.begin()));
}

std::string LinkExtractor::ParseLinkTag(std::string list, std::string_view piece,
                                        std::string_view address, std::string_view contains)
{
    if (address.empty() || !TextSearch::containsIgnoringCase(address, contains))
        return list;
    if (!list.empty())
        list += ',';
    list.append(address);
    list.append(kFieldSeparator);
    list.append(titleOf(piece));
    return list;
}

} // namespace corvano
