#include "CharsetDeclaration.h"

#include "RegularExpression.h"
#include "platform/AsciiCase.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>

namespace corvano {

namespace {

// The pieces of markup, as browsers read them before parsing. Every repetition is
// possessive: markup is read in one pass, so a tag left open cannot make the search slow.
constexpr std::string_view kSpace = R"re([\t\n\f\r ])re";
constexpr std::string_view kSeparator = R"re([\t\n\f\r /]*+)re";
constexpr std::string_view kName = R"re([^\t\n\f\r />][^\t\n\f\r />=]*+)re";
constexpr std::string_view kQuoted = R"re("([^"]*+)"|'([^']*+)')re";
constexpr std::string_view kBareValue = R"re(([^\t\n\f\r >]*+))re";
constexpr std::string_view kBareCharset = R"re((?!["'])([^\t\n\f\r ;]++))re";

std::string joined(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (const auto part : parts)
        out += part;
    return out;
}

// One attribute: group 1 its name, groups 2 to 4 its value quoted by ", by ' or bare.
std::string attributePattern()
{
    return joined({kSeparator, "(", kName, ")(?:", kSpace, "*+=", kSpace, "*+(?:", kQuoted, "|",
                   kBareValue, "))?+"});
}

// Group 1 holds the attributes of a <meta>; comments, other tags and <!...>, </...>, <?...>
// match without it and are stepped over whole.
std::string markupPattern()
{
    const std::string attributes = joined({"(?:", attributePattern(), ")*+", kSeparator});
    return joined({"(?is)<!--.*?-->|<meta(?=[\\t\\n\\f\\r /])(", attributes,
                   ")>|</?[a-z][^\\t\\n\\f\\r />]*+", attributes, ">|<[!/?][^>]*+>"});
}

// Groups 1 to 3: the label quoted by ", by ' or bare.
std::string charsetPattern()
{
    return joined({"(?i)charset", kSpace, "*+=", kSpace, "*+(?:", kQuoted, "|", kBareCharset, ")"});
}

std::size_t endOf(std::string_view text, std::string_view match)
{
    return static_cast<std::size_t>(match.data() - text.data()) + match.size();
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

// Attribute names in lower case with their values; the first of a name counts.
std::map<std::string, std::string_view> attributesOf(std::string_view text)
{
    const RegularExpression attribute("(?s)" + attributePattern());
    std::map<std::string, std::string_view> attributes;
    for (std::size_t at = 0; at < text.size();) {
        const auto groups = attribute.search(text, at);
        if (!groups || groups->at(0).empty())
            break;
        attributes.try_emplace(AsciiCase::lower(groups->at(1)), valueOf(*groups, 2));
        at = endOf(text, groups->at(0));
    }
    return attributes;
}

std::optional<WebEncoding> declaredBy(std::string_view attributeText)
{
    const auto attributes = attributesOf(attributeText);
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
    const RegularExpression markup(markupPattern());
    for (std::size_t at = 0; at < head.size();) {
        const auto groups = markup.search(head, at);
        if (!groups)
            return std::nullopt;
        at = endOf(head, groups->at(0));
        if (groups->size() < 2 || groups->at(1).data() == nullptr)
            continue;
        auto encoding = declaredBy(groups->at(1));
        if (!encoding)
            continue;
        // A page that could be read this far is not in UTF-16, whatever it says.
        if (encoding->name() == "UTF-16BE" || encoding->name() == "UTF-16LE")
            return WebEncoding::fromLabel("utf-8");
        if (encoding->name() == "x-user-defined")
            return WebEncoding::fromLabel("windows-1252");
        return encoding;
    }
    return std::nullopt;
}

} // namespace corvano
