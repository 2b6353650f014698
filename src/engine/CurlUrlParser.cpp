#include "AddressCompletion.h"

#include <curl/curl.h>

namespace corvano {

namespace {

struct CurlFree
{
    void operator()(char* text) const { curl_free(text); }
};

} // namespace

// The base is a libcurl URL handle; each reference is set on a copy of it.
struct AddressCompletion::Parsed
{
    CURLU* url;
};

void AddressCompletion::ParsedDeleter::operator()(Parsed* parsed) const
{
    curl_url_cleanup(parsed->url);
    delete parsed;
}

AddressCompletion::Parsed* AddressCompletion::parse(std::string_view base)
{
    CURLU* url = curl_url();
    const std::string text(base);
    if (url &&
        curl_url_set(url, CURLUPART_URL, text.c_str(), CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK)
        return new Parsed{url};
    curl_url_cleanup(url);
    return nullptr;
}

std::optional<std::string> AddressCompletion::resolve(const Parsed& base,
                                                      const std::string& reference)
{
    const std::unique_ptr<Parsed, ParsedDeleter> copy(new Parsed{curl_url_dup(base.url)});
    CURLU* url = copy->url;
    if (!url)
        return std::nullopt;
    // A reference of a fragment alone keeps the base's path and query; libcurl would drop
    // the base's last segment and query for it, so only the fragment is set.
    CURLUcode set = CURLUE_OK;
    if (reference.empty() || reference.front() == '#') {
        const char* fragment = reference.empty() ? nullptr : reference.c_str() + 1;
        set = curl_url_set(url, CURLUPART_FRAGMENT, fragment, 0);
    } else {
        set = curl_url_set(url, CURLUPART_URL, reference.c_str(), CURLU_NON_SUPPORT_SCHEME);
    }
    char* text = nullptr;
    if (set != CURLUE_OK ||
        curl_url_get(url, CURLUPART_URL, &text, CURLU_NO_DEFAULT_PORT) != CURLUE_OK)
        return std::nullopt;
    const std::unique_ptr<char, CurlFree> absolute(text);
    return std::string(absolute.get());
}

} // namespace corvano
