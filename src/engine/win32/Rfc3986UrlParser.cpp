// Address completion on Windows, where libcurl is not part of the build: RFC 3986's own
// resolution (5.2) in place of libcurl's parser.
#include "engine/AddressCompletion.h"
#include "engine/UrlReference.h"
#include "platform/AsciiCase.h"

#include <algorithm>

namespace corvano {

namespace {

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
    if (UrlReference::hasScheme(text)) {
        const auto colon = text.find(':');
        parts.scheme = AsciiCase::lower(text.substr(0, colon));
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

// The base, split into its parts.
struct AddressCompletion::Parsed
{
    Parts parts;
};

void AddressCompletion::ParsedDeleter::operator()(Parsed* parsed) const
{
    delete parsed;
}

AddressCompletion::Parsed* AddressCompletion::parse(std::string_view base)
{
    Parts parts = split(UrlReference::cleaned(base));
    if (parts.scheme.empty() || !parts.hasAuthority || parts.authority.empty())
        return nullptr;
    parts.hasFragment = false;
    parts.fragment.clear();
    if (parts.path.empty())
        parts.path = "/";
    return new Parsed{std::move(parts)};
}

std::optional<std::string> AddressCompletion::resolve(const Parsed& base,
                                                      const std::string& reference)
{
    return joined(resolved(base.parts, split(reference)));
}

} // namespace corvano
