#include "engine/LinkExtractor.h"

#include <gtest/gtest.h>

using namespace corvano;

namespace {

const std::string kExamplePage = "<html><ul class=news><li><a href=\"/n/1.html\">Rain</a></li>"
                                 "<li><a href=\"/n/2.html\" title=x>Wind</a></li></ul><p>tail</p>";

std::string extract(std::string_view page, std::string_view start, std::string_view end,
                    std::string_view contains)
{
    const auto result = LinkExtractor::ExtractLinks(page, start, end, contains);
    EXPECT_EQ(result.error, LinkExtractor::Error::None);
    return result.linkList;
}

} // namespace

// The worked example
TEST(ExtractLinks, CutsFiltersAndFormatsTheList)
{
    EXPECT_EQ(extract(kExamplePage, "<ul class=news>", "</ul>", ".html"),
              "/n/1.html|#|Rain,/n/2.html|#|Wind");
}

TEST(ExtractLinks, EmptyContainsKeepsTheTextBeforeTheFirstLink)
{
    const std::string list = extract(kExamplePage, "<ul class=news>", "</ul>", "");
    EXPECT_EQ(list.rfind("<li><a|#|", 0), 0u) << list;
}

// Front cut
TEST(ExtractLinks, StartStringMatchesCaseExactly)
{
    const auto result = LinkExtractor::ExtractLinks(kExamplePage, "<UL CLASS=NEWS>", "", "");
    EXPECT_EQ(result.error, LinkExtractor::Error::StartStringMissing);
    EXPECT_EQ(result.linkList, "");
}

TEST(ExtractLinks, SearchesOnlyUpToTheSecondStartString)
{
    const std::string page = "S href=a.html>A</a> S href=b.html>B</a>";
    EXPECT_EQ(extract(page, "S", "", ".html"), "a.html>A</a>|#|A");
}

TEST(ExtractLinks, EmptyPageWithAStartStringIsAStartError)
{
    EXPECT_EQ(LinkExtractor::ExtractLinks("", "x", "", "").error,
              LinkExtractor::Error::StartStringMissing);
}

// Back cut
TEST(ExtractLinks, EndStringInAnotherCaseIsFoundButDoesNotCut)
{
    const std::string page = "<ul>href=\"a.html\">A</a></UL>href=\"b.html\">B";
    EXPECT_EQ(extract(page, "<ul>", "</ul>", ".html"), "a.html|#|A,b.html|#|B");
}

TEST(ExtractLinks, EndStringIsLookedForInTheSegmentOnly)
{
    const std::string page = "</ul> start href=\"a.html\">A";
    EXPECT_EQ(LinkExtractor::ExtractLinks(page, "start", "</ul>", "").error,
              LinkExtractor::Error::EndStringMissing);
}

// Address rules
TEST(ExtractLinks, AddressRules)
{
    // Quoted: up to the next quote, or the end of the piece.
    EXPECT_EQ(extract("href=\"/a b.html\">T", "", "", "a"), "/a b.html|#|T");
    EXPECT_EQ(extract("href=\"/open", "", "", "open"), "/open|#|");
    // Unquoted with a space anywhere in the piece: up to the first space.
    EXPECT_EQ(extract("href=/n/2.html>Wind</a></li><li><a ", "", "", ".html"),
              "/n/2.html>Wind</a></li><li><a|#|Wind");
    // Otherwise up to the first ">"; single quotes are kept.
    EXPECT_EQ(extract("href='/n/3.html'>Snow</a></li>", "", "", ".html"), "'/n/3.html'|#|Snow");
}

TEST(ExtractLinks, ContainsIgnoresLetterCase)
{
    EXPECT_EQ(extract("href=\"/n/1.html\">A", "", "", ".HTML"), "/n/1.html|#|A");
}

TEST(ExtractLinks, OnlyLowerCaseHrefWithoutSpacesStartsALink)
{
    const std::string page = "href=\"a.html\">A HREF=\"b.html\">B href =\"c.html\">C";
    // The other spellings stay inside the piece before them, here in its title.
    EXPECT_EQ(extract(page, "", "", ".html"), "a.html|#|A HREF=\"b.html\"");
}

TEST(ExtractLinks, TitleStopsAtTheNextAngleBracket)
{
    EXPECT_EQ(extract("href=\"a\">Rain, then sun</a>", "", "", ""), "a|#|Rain, then sun");
    EXPECT_EQ(extract("href=\"a\"><b>bold</b>", "", "", ""), "a|#|");
    EXPECT_EQ(extract("href=\"a\"", "", "", ""), "a|#|");
}

// Edge cases
TEST(ExtractLinks, SegmentStartingWithHrefHasAnEmptyFirstPiece)
{
    EXPECT_EQ(extract("Xhref=\"a.html\">A", "X", "", ""), "a.html|#|A");
}

TEST(ExtractLinks, TextWithoutLinksIsOneCandidate)
{
    EXPECT_EQ(extract("abc", "", "", ""), "abc|#|");
    EXPECT_EQ(extract("", "", "", ""), "");
}

TEST(ExtractLinks, DuplicatesStayInPageOrder)
{
    EXPECT_EQ(extract("href=b>2</a>href=a>1</a>href=b>2", "", "", ""), "b|#|2,a|#|1,b|#|2");
}
