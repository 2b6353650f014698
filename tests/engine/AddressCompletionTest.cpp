#include "engine/AddressCompletion.h"

#include <gtest/gtest.h>

using namespace corvano;

namespace {

struct Case
{
    const char* address;
    const char* completed;
};

constexpr const char* kPage = "http://example.com/list/page.html?x=1#f";

} // namespace

// Each relative form against a page address (RFC 3986, section 5.4)
TEST(AddressCompletionTest, ResolvesEachFormOfReference)
{
    const Case cases[] = {
        {"/news/1.html", "http://example.com/news/1.html"},
        {"2024/05.html", "http://example.com/list/2024/05.html"},
        {"./a.html", "http://example.com/list/a.html"},
        {"../a.html", "http://example.com/a.html"},
        {"../../../a.html", "http://example.com/a.html"},
        {"?p=2", "http://example.com/list/page.html?p=2"},
        {"#top", "http://example.com/list/page.html?x=1#top"},
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
    };
    const AddressCompletion completion(kPage);
    for (const auto& [address, completed] : cases)
        EXPECT_EQ(completion.complete(address), completed) << address;
}

// Addresses that stay exactly as they are
TEST(AddressCompletionTest, LeavesAddressesWithASchemeAsTheyAre)
{
    const AddressCompletion completion(kPage);
    for (const char* address : {"http://Other.example:80/A B", "HTTPS://x.example/y",
                                "javascript:void(0)", "mailto:a@example.com", "ftp://x/y"})
        EXPECT_EQ(completion.complete(address), address);
}

TEST(AddressCompletionTest, LeavesEverythingAsItIsWithoutAnAbsoluteBase)
{
    for (const char* base : {"", "/list/page.html", "example.com/list", "javascript:x"})
        EXPECT_EQ(AddressCompletion(base).complete("/news/1.html"), "/news/1.html") << base;
    EXPECT_EQ(AddressCompletion().complete("a.html"), "a.html");
}

TEST(AddressCompletionTest, DropsTheDefaultPortTheFetchNamed)
{
    EXPECT_EQ(AddressCompletion("http://example.com:80/l/").complete("a.html"),
              "http://example.com/l/a.html");
    EXPECT_EQ(AddressCompletion("http://example.com:8080/l/").complete("a.html"),
              "http://example.com:8080/l/a.html");
}

// The base of a page
TEST(AddressCompletionTest, TakesTheFirstBaseHrefResolvedAgainstThePage)
{
    const Case cases[] = {
        {"<p>no base</p>", kPage},
        {R"(<head><base href="http://mirror.example/d/"></head>)", "http://mirror.example/d/"},
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
    for (const auto& [page, base] : cases)
        EXPECT_EQ(AddressCompletion::baseOf(page, kPage), base) << page;
}
