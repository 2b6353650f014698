#include "TextSearch.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <functional>

namespace corvano {

std::size_t TextSearch::findIgnoringCase(std::string_view text, std::string_view part)
{
    if (part.empty())
        return 0;
    const auto hash = [](char c) { return std::hash<char>{}(AsciiCase::toLower(c)); };
    const auto equal = [](char a, char b) {
        return AsciiCase::toLower(a) == AsciiCase::toLower(b);
    };
    const std::boyer_moore_horspool_searcher searcher(part.begin(), part.end(), hash, equal);
    const auto it = std::search(text.begin(), text.end(), searcher);
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

bool TextSearch::containsIgnoringCase(std::string_view text, std::string_view part)
{
    // The exact search is much faster and settles the common case.
    return text.find(part) != std::string_view::npos ||
           findIgnoringCase(text, part) != std::string_view::npos;
}

std::string TextSearch::replaceAll(std::string_view text, std::string_view from,
                                   std::string_view to)
{
    if (from.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, start)) {
        out.append(text.substr(start, hit - start));
        out.append(to);
        start = hit + from.size();
    }
    out.append(text.substr(start));
    return out;
}

std::size_t TextSearch::characterCount(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace corvano
