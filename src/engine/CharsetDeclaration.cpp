#include "CharsetDeclaration.h"

#include "MarkupTags.h"
#include "RegularExpression.h"
#include "platform/AsciiCase.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace corvano {

namespace {

constexpr std::string_view kSpace = R"re([\t\n\f\r ])re";
constexpr std::string_view kQuoted = R"re("([^"]*+)"|'([^']*+)')re";
constexpr std::string_view kBareCharset = R"re((?!["'])([^\t\n\f\r ;]++))re";

std::string joined(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (const auto part : parts)
        out += part;
    return out;
}

// Groups 1 to 3: the label quoted by ", by ' or bare.
std::string charsetPattern()
{
    return joined({"(?i)charset", kSpace, "*+=", kSpace, "*+(?:", kQuoted, "|", kBareCharset, ")"});
}

// The value of whichever of the groups from first on took part.
std::string_view valueOf(const std::vector<std::string_view>& groups, std::size_t first)
{
    for (std::size_t i = first; i < groups.size(); ++i) {
        if (groups[i].data() != nullptr)
            return groups[i];
    }
    return {};
}

std::optional<WebEncoding> declaredBy(const MarkupTags::Attributes& attributes)
{
    if (const auto charset = attributes.find("charset"); charset != attributes.end())
        return WebEncoding::fromLabel(charset->second);
    const auto pragma = attributes.find("http-equiv");
    const auto content = attributes.find("content");
    if (pragma == attributes.end() || AsciiCase::lower(pragma->second) != "content-type" ||
        content == attributes.end())
        return std::nullopt;
    return CharsetDeclaration::fromContentType(content->second);
}

} // namespace

std::optional<WebEncoding> CharsetDeclaration::fromContentType(std::string_view value)
{
    const RegularExpression charset(charsetPattern());
    if (const auto groups = charset.search(value))
        return WebEncoding::fromLabel(valueOf(*groups, 1));
    return std::nullopt;
}

std::optional<WebEncoding> CharsetDeclaration::fromMeta(std::string_view head)
{
    std::optional<WebEncoding> encoding;
    MarkupTags::find(head, "meta", [&encoding](const MarkupTags::Attributes& attributes) {
        encoding = declaredBy(attributes);
        return encoding.has_value();
    });
    if (!encoding)
        return std::nullopt;
    // A page that could be read this far is not in UTF-16, whatever it says.
    if (encoding->name() == "UTF-16BE" || encoding->name() == "UTF-16LE")
        return WebEncoding::fromLabel("utf-8");
    if (encoding->name() == "x-user-defined")
        return WebEncoding::fromLabel("windows-1252");
    return encoding;
}

} // namespace corvano
