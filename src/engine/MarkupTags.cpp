#include "MarkupTags.h"

#include "RegularExpression.h"
#include "TextSearch.h"
#include "platform/AsciiCase.h"

#include <initializer_list>
#include <vector>

namespace corvano {

namespace {

// The pieces of markup. Every repetition is possessive: markup is read in one pass, so a tag
// left open cannot make the search slow.
constexpr std::string_view kSpace = R"re([\t\n\f\r ])re";
constexpr std::string_view kSeparator = R"re([\t\n\f\r /]*+)re";
constexpr std::string_view kName = R"re([^\t\n\f\r />][^\t\n\f\r />=]*+)re";
constexpr std::string_view kQuoted = R"re("([^"]*+)"|'([^']*+)')re";
constexpr std::string_view kBareValue = R"re(([^\t\n\f\r >]*+))re";

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

// Group 1 holds the attributes of a tag named name; comments, other tags and <!...>, </...>,
// <?...> match without it and are stepped over whole.
std::string markupPattern(std::string_view name)
{
    const std::string attributes = joined({"(?:", attributePattern(), ")*+", kSeparator});
    return joined({"(?is)<!--.*?(?:-->|\\z)|<", name, "(?=[\\t\\n\\f\\r />])(", attributes,
                   ")>|</?[a-z][^\\t\\n\\f\\r />]*+", attributes, ">|<[!/?][^>]*+>"});
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

MarkupTags::Attributes attributesOf(const RegularExpression& attribute, std::string_view text)
{
    MarkupTags::Attributes attributes;
    for (std::size_t at = 0; at < text.size();) {
        const auto groups = attribute.search(text, at);
        if (!groups || groups->at(0).empty())
            break;
        attributes.try_emplace(AsciiCase::lower(groups->at(1)), valueOf(*groups, 2));
        at = endOf(text, groups->at(0));
    }
    return attributes;
}

} // namespace

void MarkupTags::find(std::string_view html, std::string_view name,
                      const std::function<bool(const Attributes&)>& visit)
{
    // Walking every tag of a long page costs far more than a look for the name: most pages
    // have no <base> at all.
    std::string opening(1, '<');
    opening.append(name);
    if (!TextSearch::containsIgnoringCase(html, opening))
        return;
    const RegularExpression markup(markupPattern(name));
    const RegularExpression attribute("(?s)" + attributePattern());
    for (std::size_t at = 0; at < html.size();) {
        const auto groups = markup.search(html, at);
        if (!groups || groups->at(0).empty())
            return;
        at = endOf(html, groups->at(0));
        if (groups->size() < 2 || groups->at(1).data() == nullptr)
            continue;
        if (visit(attributesOf(attribute, groups->at(1))))
            return;
    }
}

} // namespace corvano
