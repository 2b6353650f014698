#pragma once

#include <memory>
#include <string>
#include <string_view>

struct Curl_URL;

namespace corvano {

// Completes a link's address into an absolute one against the address of the page it stands
// on, as a browser resolves a reference (RFC 3986), with libcurl's URL parser.
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
    struct UrlDeleter
    {
        void operator()(Curl_URL* url) const;
    };
    std::unique_ptr<Curl_URL, UrlDeleter> m_base;
};

} // namespace corvano
