#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvano {

// Completes a link's address into an absolute one against the address of the page it stands
// on, as a browser resolves a reference (RFC 3986): with libcurl's URL parser where the build
// has libcurl, with RFC 3986's own resolution on Windows. Both parsers are given the address
// in the form browsers send (UrlReference::browserForm), so both write the same bytes.
class AddressCompletion
{
public:
    // Completes nothing.
    AddressCompletion();
    // A base that is not an absolute address completes nothing.
    explicit AddressCompletion(std::string_view base);
    ~AddressCompletion();
    AddressCompletion(AddressCompletion&&) noexcept;
    AddressCompletion& operator=(AddressCompletion&&) noexcept;

    // The address against this base. One that already has a scheme (http:, javascript:...),
    // or that cannot be resolved, comes back as it is.
    std::string complete(std::string_view address) const;

    // The base of a page fetched from pageAddress: the first <base href> in the page,
    // itself resolved against pageAddress, or pageAddress when there is none.
    static std::string baseOf(std::string_view pageHtml, std::string_view pageAddress);

private:
    // The base as the platform's URL parser holds it; each parser defines these three.
    struct Parsed;
    struct ParsedDeleter
    {
        void operator()(Parsed* parsed) const;
    };
    static Parsed* parse(std::string_view base);
    static std::optional<std::string> resolve(const Parsed& base, const std::string& reference);

    std::unique_ptr<Parsed, ParsedDeleter> m_base;
    bool m_specialScheme = false; // the base's scheme reads "\" as "/"
};

} // namespace corvano
