// Address completion on Windows, where libcurl is not part of the build: the same rules, with
// RFC 3986's own resolution (5.2) in place of libcurl's parser. The header's Curl_URL is only a
// name there; here it holds the base split into its parts.
#include "engine/AddressCompletion.h"

#include "engine/RegularExpression.h"

#include <algorithm>
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

// An address split as RFC 3986 splits it; "has" marks the parts that are present, even empty.
struct Parts
{
    std::string scheme;
    std::string authority;
    std::string path;
    std::string query;
    std::string fragment;
    bool hasAuthority = false;
    bool hasQuery = false;
    bool hasFragment = false;
};

Parts split(std::string_view text)
{
    Parts parts;
    if (hasScheme(text)) {
        const auto colon = text.find(':');
        parts.scheme = lower(text.substr(0, colon));
        text.remove_prefix(colon + 1);
    }
    if (const auto hash = text.find('#'); hash != std::string_view::npos) {
        parts.hasFragment = true;
        parts.fragment = text.substr(hash + 1);
        text = text.substr(0, hash);
    }
    if (const auto question = text.find('?'); question != std::string_view::npos) {
        parts.hasQuery = true;
        parts.query = text.substr(question + 1);
        text = text.substr(0, question);
    }
    if (text.starts_with("//")) {
        text.remove_prefix(2);
        const auto slash = std::min(text.find('/'), text.size());
        parts.hasAuthority = true;
        parts.authority = text.substr(0, slash);
        text.remove_prefix(slash);
    }
    parts.path = text;
    return parts;
}

// RFC 3986, 5.2.4.
std::string withoutDotSegments(std::string_view path)
{
    std::string out;
    while (!path.empty()) {
        if (path.starts_with("../"))
            path.remove_prefix(3);
        else if (path.starts_with("./"))
            path.remove_prefix(2);
        else if (path.starts_with("/./"))
            path.remove_prefix(2);
        else if (path == "/.")
            path = "/";
        else if (path.starts_with("/../") || path == "/..") {
            path = path.size() == 3 ? std::string_view("/") : path.substr(3);
            const auto last = out.rfind('/');
            out.erase(last == std::string::npos ? 0 : last);
        } else if (path == "." || path == "..")
            path = {};
        else {
            const auto next = std::min(path.find('/', 1), path.size());
            out += path.substr(0, next);
            path.remove_prefix(next);
        }
    }
    return out;
}

// The default port of the scheme is left out, as browsers show the address.
std::string withoutDefaultPort(const std::string& scheme, const std::string& authority)
{
    const std::string port = scheme == "http" ? ":80" : scheme == "https" ? ":443" : "";
    if (!port.empty() && authority.ends_with(port))
        return authority.substr(0, authority.size() - port.size());
    return authority;
}

std::string joined(const Parts& parts)
{
    std::string text = parts.scheme + ":";
    if (parts.hasAuthority)
        text.append("//").append(withoutDefaultPort(parts.scheme, parts.authority));
    text += parts.path;
    if (parts.hasQuery)
        text.append("?").append(parts.query);
    if (parts.hasFragment)
        text.append("#").append(parts.fragment);
    return text;
}

// RFC 3986, 5.2.2, for a reference without a scheme.
Parts resolved(const Parts& base, const Parts& reference)
{
    Parts target = reference;
    target.scheme = base.scheme;
    if (reference.hasAuthority) {
        target.path = withoutDotSegments(reference.path);
        return target;
    }
    target.hasAuthority = base.hasAuthority;
    target.authority = base.authority;
    if (reference.path.empty()) {
        target.path = base.path;
        if (!reference.hasQuery) {
            target.hasQuery = base.hasQuery;
            target.query = base.query;
        }
    } else if (reference.path.front() == '/') {
        target.path = withoutDotSegments(reference.path);
    } else if (base.hasAuthority && base.path.empty()) {
        target.path = withoutDotSegments(std::string("/").append(reference.path));
    } else {
        const auto slash = base.path.rfind('/');
        const std::string folder =
            slash == std::string::npos ? std::string() : base.path.substr(0, slash + 1);
        target.path = withoutDotSegments(folder + reference.path);
    }
    if (target.hasAuthority && target.path.empty())
        target.path = "/";
    return target;
}

} // namespace

} // namespace corvano

// The base, split.
struct Curl_URL
{
    corvano::Parts parts;
};

namespace corvano {

void AddressCompletion::UrlDeleter::operator()(Curl_URL* url) const
{
    delete url;
}

AddressCompletion::AddressCompletion() = default;
AddressCompletion::~AddressCompletion() = default;
AddressCompletion::AddressCompletion(AddressCompletion&&) noexcept = default;
AddressCompletion& AddressCompletion::operator=(AddressCompletion&&) noexcept = default;

AddressCompletion::AddressCompletion(std::string_view base)
{
    Parts parts = split(cleaned(base));
    if (parts.scheme.empty() || !parts.hasAuthority || parts.authority.empty())
        return;
    parts.hasFragment = false;
    parts.fragment.clear();
    if (parts.path.empty())
        parts.path = "/";
    m_base.reset(new Curl_URL{std::move(parts)});
}

std::string AddressCompletion::complete(std::string_view address) const
{
    const std::string reference = cleaned(address);
    if (!m_base || hasScheme(reference))
        return std::string(address);
    return joined(resolved(m_base->parts, split(reference)));
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
