#include "engine/AddressCompletion.h"

#include <gtest/gtest.h>

using namespace corvano;

using Case = std::pair<const char*, const char*>; // the address, or the page, and the result

constexpr const char* kPage = "http://example.com/list/page.html?x=1#f";

// Each relative form against a page address (RFC 3986, section 5.4)
TEST(AddressCompletionTest, ResolvesEachFormOfReference)
{
    const Case cases[] = {
        {"/news/1.html", "http://example.com/news/1.html"},
        {"../a.html", "http://example.com/a.html"},
        {"//cdn.example/x.js", "http://cdn.example/x.js"},
        {"a b.html?q=c d", "http://example.com/list/a%20b.html?q=c%20d"},
        {" /n/1.html\r\n", "http://example.com/n/1.html"},
        // As browsers read them, the same on every system: "\" is "/" before the query, and
        // UTF-8 beyond ASCII is percent-encoded in upper case; escapes given stay as given.
        {"\\news\\1.html", "http://example.com/news/1.html"},
        {"2024\\05.html?a=\\b#c\\d", "http://example.com/list/2024/05.html?a=\\b#c\\d"},
        {"/新闻/3.html?名=值#节",
         "http://example.com/%E6%96%B0%E9%97%BB/3.html?%E5%90%8D=%E5%80%BC#%E8%8A%82"},
        {"/%e6%96%b0.html", "http://example.com/%e6%96%b0.html"},
        // Addresses with a scheme stay exactly as they are.
        {"http://Other.example:80/A B", "http://Other.example:80/A B"},
        {"javascript:void(0)", "javascript:void(0)"},
    };
    const AddressCompletion completion(kPage);
    for (const auto& [address, completed] : cases)
        EXPECT_EQ(completion.complete(address), completed) << address;
    // Other bases: one that is not absolute leaves everything as it is; a default port is
    // dropped.
    for (const auto& [base, completed] : std::vector<std::pair<std::string, std::string>>{
             {"javascript:x", "a.html"},
             {"http://example.com:80/l/", "http://example.com/l/a.html"},
             {"http://example.com:8080/l/", "http://example.com:8080/l/a.html"},
         })
        EXPECT_EQ(AddressCompletion(base).complete("a.html"), completed) << base;
    // The base of a page.
    const Case pages[] = {
        {"<p>no base</p>", kPage},
        {R"(<BASE Target=_top HREF='/sub/'><base href="/second/">)", "http://example.com/sub/"},
        {"<base href=../up/>", "http://example.com/up/"},
        // No href, a mere mention, a comment and <basefont> do not count.
        {R"(<base target="_blank"><base data-href="/no/" title="href=/no/" href="s/">)",
         "http://example.com/list/s/"},
        {R"(<!-- <base href="/old/"> --><basefont href="/no/"><base href="/new/">)",
         "http://example.com/new/"},
        {R"x(<base href="javascript:alert(1)">)x", kPage},
        {"<!-- <base href=\"/never/\">", kPage},
    };
    for (const auto& [page, base] : pages)
        EXPECT_EQ(AddressCompletion::baseOf(page, kPage), base) << page;
}
