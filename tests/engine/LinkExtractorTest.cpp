#include "engine/LinkExtractor.h"

#include <gtest/gtest.h>

using namespace corvano;

namespace {

using enum LinkExtractor::Error;

struct Case
{
    std::string page, start, end, contains, list;
    LinkExtractor::Error error = None;
};

const std::string kExamplePage = "<html><ul class=news><li><a href=\"/n/1.html\">Rain</a></li>"
                                 "<li><a href=\"/n/2.html\" title=x>Wind</a></li></ul><p>tail</p>";

} // namespace

// Each rule of the cut, the split and the filter
TEST(ExtractLinks, CutsSplitsAndFiltersThePage)
{
    for (const Case& c : std::vector<Case>{
             // The worked example
             {kExamplePage, "<ul class=news>", "</ul>", ".html",
              "/n/1.html|#|Rain,/n/2.html|#|Wind"},
             // Without a filter the text before the first link is a record too.
             {kExamplePage, "<ul class=news>", "</ul>", "",
              "<li><a|#|,/n/1.html|#|Rain,/n/2.html|#|Wind"},
             // Front cut: the start string in its exact case, up to the second start string
             {"S href=a.html>A</a> S href=b.html>B</a>", "S", "", ".html", "a.html>A</a>|#|A"},
             // Only the start string in its exact case ends the segment.
             {"<ul>href=\"a.html\">A<UL>href=\"b.html\">B", "<ul>", "", ".html",
              "a.html|#|A,b.html|#|B"},
             {kExamplePage, "<UL CLASS=NEWS>", "", "", "", StartStringMissing},
             // Back cut: found in any letter case inside the segment, cuts only in its exact case
             {"<ul>href=\"a.html\">A</a></UL>href=\"b.html\">B", "<ul>", "</ul>", ".html",
              "a.html|#|A,b.html|#|B"},
             {"</ul> start href=\"a.html\">A", "start", "</ul>", "", "", EndStringMissing},
             // ... at its first occurrence: a later list on the page stays out.
             {"<ul>href=\"a\">A</a></ul>href=\"b\">B</a></ul>", "<ul>", "</ul>", "", "a|#|A"},
             // The split at "href=" and the three address rules. Quoted: up to the next quote, or
             // the end of the piece.
             {"href=\"/a b.html\">T", "", "", "a", "/a b.html|#|T"},
             {"href=\"/open", "", "", "open", "/open|#|"},
             // Unquoted with a space anywhere in the piece: up to the first space.
             {"href=/n/2.html>Wind</a></li><li><a ", "", "", ".html",
              "/n/2.html>Wind</a></li><li><a|#|Wind"},
             // Otherwise up to the first ">"; single quotes are kept.
             {"href='/n/3.html'>Snow</a></li>", "", "", ".html", "'/n/3.html'|#|Snow"},
             // Only "href=" in lower case without spaces splits; other spellings stay in the piece.
             {"href=\"a.html\">A HREF=\"b.html\">B href =\"c.html\">C", "", "", ".html",
              "a.html|#|A HREF=\"b.html\""},
             // Text without links is one candidate; duplicates stay, in page order.
             {"", "", "", "", ""},
             {"href=b>2</a>href=a>1</a>href=b>2", "", "", "", "b|#|2,a|#|1,b|#|2"},
             // The filter and the title rule
             {"href=a.php>A</a>href=b.HTML>B", "", "", ".html", "b.HTML|#|B"},
             {"href=\"a\">Rain, then sun</a>", "", "", "", "a|#|Rain, then sun"},
             {"href=\"a\"><b>bold</b>", "", "", "", "a|#|"},
         }) {
        const auto result = LinkExtractor::ExtractLinks(c.page, c.start, c.end, c.contains);
        EXPECT_EQ(result.error, c.error) << c.page;
        EXPECT_EQ(result.linkList, c.list) << c.page;
    }
}
