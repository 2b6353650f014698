#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvano {

// The elements of an HTML page and where each stands in the page text, read with libxml2's
// lenient HTML parser. Offsets count bytes of the UTF-8 text given to parse().
class PageOutline
{
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    struct Element
    {
        std::string name;  // lower case
        std::string label; // name, then "." and the class attribute when it has one
        std::string id;
        std::size_t parent = kNone;
        std::size_t depth = 0;
        // The start tag's text, from "<" to ">"; both kNone for an element the parser implied.
        std::size_t tagBegin = kNone;
        std::size_t tagEnd = kNone;
        // Where the end tag begins, and the first byte after the element.
        std::size_t closeBegin = kNone;
        std::size_t closeEnd = kNone;
    };

    struct Anchor
    {
        std::size_t element = kNone;
        std::size_t hrefPos = kNone; // the exact text "href=" in its start tag
        std::string href;            // the attribute's value as the parser read it
        std::size_t textLength = 0;  // characters of visible text, spaces left out
    };

    static PageOutline parse(std::string_view page);

    const std::vector<Element>& elements() const { return m_elements; }
    const std::vector<Anchor>& anchors() const { return m_anchors; }

private:
    friend class PageOutlineReader;

    std::vector<Element> m_elements;
    std::vector<Anchor> m_anchors;
};

} // namespace corvano
