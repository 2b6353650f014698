#include "AddressCompletion.h"

#include "RegularExpression.h"

#include <curl/curl.h>
#include <optional>

namespace corvano {

namespace {

// Comments are stepped over whole (one left open runs to the end of the page, as browsers
// read it); a match without the comment opening is the start of a <base> tag.
constexpr std::string_view kMarkupPattern = R"re((?is)<!--.*?(?:-->|\z)|<base(?=[\t\n\f\r />]))re";
// One attribute right at the start offset: group 1 its name, groups 2 to 4 its value quoted
// by ", by ' or bare. Nothing matches at the tag's ">".
constexpr std::string_view kAttributePattern =
    R"re(\G[\t\n\f\r /]*+([^\t\n\f\r />][^\t\n\f\r />=]*+)(?:[\t\n\f\r ]*+=[\t\n\f\r ]*+(?:"([^"]*+)"|'([^']*+)'|([^\t\n\f\r >]*+)))?+)re";

struct CurlFree
{
    void operator()(char* text) const { curl_free(text); }
};

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ), then ":".
bool hasScheme(std::string_view address)
{
    if (address.empty() || !isAsciiLetter(address.front()))
        return false;
    for (const char c : address.substr(1)) {
        if (c == ':')
            return true;
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

// The reference as a browser reads it from an attribute: spaces and controls at its ends
// dropped, tabs and line breaks inside removed, and a space inside written as %20 (libcurl
// would write "+" in the query, which servers may read differently).
std::string cleaned(std::string_view address)
{
    const auto isEdge = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!address.empty() && isEdge(address.front()))
        address.remove_prefix(1);
    while (!address.empty() && isEdge(address.back()))
        address.remove_suffix(1);
    std::string reference;
    reference.reserve(address.size());
    for (const char c : address) {
        if (c == ' ')
            reference += "%20";
        else if (c != '\t' && c != '\n' && c != '\r')
            reference += c;
    }
    return reference;
}

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::size_t endOf(std::string_view page, std::string_view match)
{
    return static_cast<std::size_t>(match.data() - page.data()) + match.size();
}

// The href of the <base> tag whose attributes start at offset, if it has one; offset moves
// past the attributes read.
std::optional<std::string> hrefAt(const RegularExpression& attribute, std::string_view page,
                                  std::size_t& offset)
{
    while (const auto match = attribute.search(page, offset)) {
        offset = endOf(page, (*match)[0]);
        if (lower((*match)[1]) == "href")
            return std::string((*match)[2]) + std::string((*match)[3]) + std::string((*match)[4]);
    }
    return std::nullopt;
}

std::optional<std::string> firstBaseHref(std::string_view page)
{
    const RegularExpression markup(kMarkupPattern);
    const RegularExpression attribute(kAttributePattern);
    std::size_t offset = 0;
    while (const auto match = markup.search(page, offset)) {
        offset = endOf(page, (*match)[0]);
        if ((*match)[0].starts_with("<!--"))
            continue;
        if (auto href = hrefAt(attribute, page, offset))
            return href;
    }
    return std::nullopt;
}

} // namespace

void AddressCompletion::UrlDeleter::operator()(Curl_URL* url) const
{
    curl_url_cleanup(url);
}

AddressCompletion::AddressCompletion() = default;
AddressCompletion::~AddressCompletion() = default;
AddressCompletion::AddressCompletion(AddressCompletion&&) noexcept = default;
AddressCompletion& AddressCompletion::operator=(AddressCompletion&&) noexcept = default;

AddressCompletion::AddressCompletion(std::string_view base)
{
    std::unique_ptr<Curl_URL, UrlDeleter> url(curl_url());
    const std::string text(base);
    if (url &&
        curl_url_set(url.get(), CURLUPART_URL, text.c_str(), CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK)
        m_base = std::move(url);
}

std::string AddressCompletion::complete(std::string_view address) const
{
    const std::string reference = cleaned(address);
    if (!m_base || hasScheme(reference))
        return std::string(address);
    std::unique_ptr<Curl_URL, UrlDeleter> url(curl_url_dup(m_base.get()));
    if (!url)
        return std::string(address);
    // A reference of a fragment alone keeps the base's path and query; libcurl would drop
    // the base's last segment and query for it, so only the fragment is set.
    CURLUcode set = CURLUE_OK;
    if (reference.empty() || reference.front() == '#') {
        const char* fragment = reference.empty() ? nullptr : reference.c_str() + 1;
        set = curl_url_set(url.get(), CURLUPART_FRAGMENT, fragment, 0);
    } else {
        set = curl_url_set(url.get(), CURLUPART_URL, reference.c_str(), CURLU_NON_SUPPORT_SCHEME);
    }
    char* text = nullptr;
    if (set != CURLUE_OK ||
        curl_url_get(url.get(), CURLUPART_URL, &text, CURLU_NO_DEFAULT_PORT) != CURLUE_OK)
        return std::string(address);
    const std::unique_ptr<char, CurlFree> absolute(text);
    return absolute.get();
}

std::string AddressCompletion::baseOf(std::string_view pageHtml, std::string_view pageAddress)
{
    const auto href = firstBaseHref(pageHtml);
    if (!href)
        return std::string(pageAddress);
    // A <base> that does not give an absolute address leaves the page's own.
    std::string base = AddressCompletion(pageAddress).complete(*href);
    return AddressCompletion(base).m_base ? base : std::string(pageAddress);
}

} // namespace corvano
