#include "PageOutline.h"

#include "platform/AsciiCase.h"

#include <climits>
#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <memory>

namespace corvano {

namespace {

constexpr std::string_view kLinkStart = "href=";

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = AsciiCase::toLower(c);
    return lower;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && lowerCase(text.substr(0, prefix.size())) == prefix;
}

void ignoreMessage(void*, const char*, ...) {}

struct ContextDeleter
{
    void operator()(htmlParserCtxtPtr context) const { htmlFreeParserCtxt(context); }
};

} // namespace

// Receives libxml2's SAX events and reads the parser's position in the page at each.
class PageOutlineReader
{
public:
    PageOutlineReader(std::string_view page, PageOutline& outline)
        : m_page(page), m_outline(outline)
    {}

    void read()
    {
        if (m_page.empty() || m_page.size() > static_cast<std::size_t>(INT_MAX))
            return;
        htmlSAXHandler handler{};
        handler.startElement = [](void* self, const xmlChar* name, const xmlChar** attributes) {
            static_cast<PageOutlineReader*>(self)->startElement(name, attributes);
        };
        handler.endElement = [](void* self, const xmlChar* name) {
            static_cast<PageOutlineReader*>(self)->endElement(name);
        };
        handler.characters = [](void* self, const xmlChar* text, int length) {
            static_cast<PageOutlineReader*>(self)->characters(text, length);
        };
        const std::unique_ptr<htmlParserCtxt, ContextDeleter> context(
            htmlCreateMemoryParserCtxt(m_page.data(), static_cast<int>(m_page.size())));
        if (!context)
            return;
        m_context = context.get();
        *m_context->sax = handler;
        m_context->userData = this;
        // The text is UTF-8 already: a <meta> charset must not make the parser convert it,
        // or its positions would no longer be those of the text.
        htmlCtxtUseOptions(m_context, HTML_PARSE_RECOVER | HTML_PARSE_NOERROR |
                                          HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                                          HTML_PARSE_IGNORE_ENC | HTML_PARSE_NOIMPLIED);
        xmlSwitchEncoding(m_context, XML_CHAR_ENCODING_UTF8);
        // Without handlers libxml2 prints every complaint about the page to stderr.
        m_context->sax->error = ignoreMessage;
        m_context->sax->warning = ignoreMessage;
        m_context->sax->fatalError = ignoreMessage;
        htmlParseDocument(m_context);
        m_context = nullptr;
    }

private:
    std::size_t position() const
    {
        const xmlParserInputPtr input = m_context->input;
        if (input == nullptr || input->base == nullptr)
            return m_page.size();
        const auto offset = static_cast<std::size_t>(input->consumed) +
                            static_cast<std::size_t>(input->cur - input->base);
        return std::min(offset, m_page.size());
    }

    void startElement(const xmlChar* rawName, const xmlChar** attributes)
    {
        PageOutline::Element element;
        m_href.clear();
        element.name = lowerCase(reinterpret_cast<const char*>(rawName));
        element.label = element.name;
        for (const xmlChar** a = attributes; a != nullptr && a[0] != nullptr; a += 2) {
            const std::string attribute = lowerCase(reinterpret_cast<const char*>(a[0]));
            const char* value = a[1] != nullptr ? reinterpret_cast<const char*>(a[1]) : "";
            if (attribute == "class" && *value != '\0')
                element.label += std::string(".") + value;
            else if (attribute == "id")
                element.id = value;
            else if (attribute == "href")
                m_href = value;
        }
        element.parent = m_open.empty() ? PageOutline::kNone : m_open.back();
        element.depth = m_open.size();
        locateStartTag(element);
        if (element.tagEnd != PageOutline::kNone)
            m_floor = element.tagEnd;
        const std::size_t index = m_outline.m_elements.size();
        m_outline.m_elements.push_back(std::move(element));
        m_open.push_back(index);
        if (m_outline.m_elements[index].name == "a")
            addAnchor(index);
    }

    // The parser stands at the ">" of the tag: its "<" is the nearest one before that opens
    // a tag of this name.
    void locateStartTag(PageOutline::Element& element) const
    {
        const std::size_t at = position();
        if (at >= m_page.size() || (m_page[at] != '>' && m_page[at] != '/'))
            return;
        const std::string opening = "<" + element.name;
        for (std::size_t lt = m_page.rfind('<', at); lt != std::string_view::npos && lt >= m_floor;
             lt = lt == 0 ? std::string_view::npos : m_page.rfind('<', lt - 1)) {
            if (!startsWithIgnoringCase(m_page.substr(lt), opening))
                continue;
            const char after =
                lt + opening.size() < m_page.size() ? m_page[lt + opening.size()] : '>';
            if (after == '>' || after == '/' || after == ' ' || (after >= '\t' && after <= '\r')) {
                element.tagBegin = lt;
                element.tagEnd = std::min(m_page.find('>', at) + 1, m_page.size());
                return;
            }
        }
    }

    void addAnchor(std::size_t index)
    {
        const PageOutline::Element& element = m_outline.m_elements[index];
        if (element.tagBegin == PageOutline::kNone)
            return;
        const std::string_view tag =
            m_page.substr(element.tagBegin, element.tagEnd - element.tagBegin);
        const std::size_t href = tag.find(kLinkStart);
        // Only the exact "href=" makes a link for the cut; an anchor written otherwise is none.
        if (href == std::string_view::npos)
            return;
        m_outline.m_anchors.push_back({index, element.tagBegin + href, m_href, 0});
        m_openAnchor = m_outline.m_anchors.size() - 1;
    }

    void endElement(const xmlChar* rawName)
    {
        if (m_open.empty())
            return;
        const std::size_t index = m_open.back();
        m_open.pop_back();
        PageOutline::Element& element = m_outline.m_elements[index];
        const std::size_t at = position();
        const std::string closing = "</" + lowerCase(reinterpret_cast<const char*>(rawName)) + ">";
        element.closeEnd = at;
        if (at >= closing.size() &&
            startsWithIgnoringCase(m_page.substr(at - closing.size()), closing))
            element.closeBegin = at - closing.size();
        else
            element.closeBegin = at;
        m_floor = at;
        if (m_openAnchor != PageOutline::kNone &&
            m_outline.m_anchors[m_openAnchor].element == index)
            m_openAnchor = PageOutline::kNone;
    }

    void characters(const xmlChar* text, int length)
    {
        m_floor = position();
        if (m_openAnchor == PageOutline::kNone)
            return;
        std::size_t& count = m_outline.m_anchors[m_openAnchor].textLength;
        for (int i = 0; i < length; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            // Counts characters, not bytes: a UTF-8 lead byte or a visible ASCII one.
            if ((c & 0xC0) != 0x80 && c > ' ')
                ++count;
        }
    }

    std::string_view m_page;
    PageOutline& m_outline;
    htmlParserCtxtPtr m_context = nullptr;
    std::vector<std::size_t> m_open;
    std::size_t m_openAnchor = PageOutline::kNone;
    std::size_t m_floor = 0; // no tag starts before what the parser has passed
    std::string m_href;
};

PageOutline PageOutline::parse(std::string_view page)
{
    PageOutline outline;
    PageOutlineReader(page, outline).read();
    return outline;
}

} // namespace corvano
