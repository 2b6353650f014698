#include "AddressCompletion.h"

#include "MarkupTags.h"
#include "UrlReference.h"

namespace corvano {

namespace {

// The href of the first <base> that has one.
std::optional<std::string> firstBaseHref(std::string_view page)
{
    std::optional<std::string> href;
    MarkupTags::find(page, "base", [&href](const MarkupTags::Attributes& attributes) {
        if (const auto found = attributes.find("href"); found != attributes.end())
            href = std::string(found->second);
        return href.has_value();
    });
    return href;
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
    // A <base> that does not give an address that completes leaves the page's own. Parsing
    // alone is not enough: libcurl takes "file:///" as a base but resolves nothing against it.
    std::string base = AddressCompletion(pageAddress).complete(*href);
    const AddressCompletion candidate(base);
    const bool completes = candidate.m_base && resolve(*candidate.m_base, "x").has_value();
    return completes ? base : std::string(pageAddress);
}

} // namespace corvano
