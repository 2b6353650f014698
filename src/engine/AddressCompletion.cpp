#include "AddressCompletion.h"

#include "RegularExpression.h"
#include "UrlReference.h"
#include "platform/AsciiCase.h"

namespace corvano {

namespace {

// Comments are stepped over whole (one left open runs to the end of the page, as browsers
// read it); a match without the comment opening is the start of a <base> tag.
constexpr std::string_view kMarkupPattern = R"re((?is)<!--.*?(?:-->|\z)|<base(?=[\t\n\f\r />]))re";
// One attribute right at the start offset: group 1 its name, groups 2 to 4 its value quoted
// by ", by ' or bare. Nothing matches at the tag's ">".
constexpr std::string_view kAttributePattern =
    R"re(\G[\t\n\f\r /]*+([^\t\n\f\r />][^\t\n\f\r />=]*+)(?:[\t\n\f\r ]*+=[\t\n\f\r ]*+(?:"([^"]*+)"|'([^']*+)'|([^\t\n\f\r >]*+)))?+)re";

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
        if (AsciiCase::lower((*match)[1]) == "href")
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

AddressCompletion::AddressCompletion() = default;
AddressCompletion::~AddressCompletion() = default;
AddressCompletion::AddressCompletion(AddressCompletion&&) noexcept = default;
AddressCompletion& AddressCompletion::operator=(AddressCompletion&&) noexcept = default;

AddressCompletion::AddressCompletion(std::string_view base)
{
    const std::string cleaned = UrlReference::cleaned(base);
    if (!UrlReference::hasScheme(cleaned))
        return;
    m_specialScheme = UrlReference::isSpecialScheme(cleaned.substr(0, cleaned.find(':')));
    m_base.reset(parse(UrlReference::browserForm(cleaned, m_specialScheme)));
}

std::string AddressCompletion::complete(std::string_view address) const
{
    const std::string reference = UrlReference::cleaned(address);
    if (!m_base || UrlReference::hasScheme(reference))
        return std::string(address);
    return resolve(*m_base, UrlReference::browserForm(reference, m_specialScheme))
        .value_or(std::string(address));
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
