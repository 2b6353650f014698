#include "engine/ListSuggestion.h"

#include "engine/LinkExtractor.h"

#include <gtest/gtest.h>

using namespace corvano;

namespace {

// Frame, item and wanted address of a list page: {n} item number, {t} title, {c} category.
struct Shape
{
    std::string name, head, item, tail, wanted;
};

struct Day
{
    const char* name;
    int first, count;
    const char* title;
};

// Today's and tomorrow's items: other numbers, other titles, another count.
constexpr Day kToday{"today", 1, 5, "今日要闻第{n}条消息"};
constexpr Day kTomorrow{"tomorrow", 201, 7, "Tomorrow story {n} in full"};

std::string fill(std::string text, int n, const Day& day)
{
    const auto put = [&text](const std::string& key, const std::string& value) {
        for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at))
            text.replace(at, key.size(), value);
    };
    put("{t}", day.title);
    put("{n}", std::to_string(n));
    put("{c}", std::to_string(n % 3));
    return text;
}

std::string pageOf(const Shape& shape, const Day& day)
{
    std::string page = fill(shape.head, day.first, day);
    for (int n = day.first; n < day.first + day.count; ++n)
        page += fill(shape.item, n, day);
    page += shape.tail;
    return page;
}

std::vector<std::string> wantedOf(const Shape& shape, const Day& day)
{
    std::vector<std::string> addresses;
    for (int n = day.first; n < day.first + day.count; ++n)
        addresses.push_back(fill(shape.wanted, n, day));
    return addresses;
}

// The titles of these pages hold no ",", so the list splits cleanly into its records.
std::vector<std::string> addressesCut(const std::string& page, const ListProposal& proposal)
{
    const auto result =
        LinkExtractor::ExtractLinks(page, proposal.start, proposal.end, proposal.contains);
    std::vector<std::string> addresses;
    for (std::size_t at = 0; at < result.linkList.size();) {
        const std::size_t comma = std::min(result.linkList.find(',', at), result.linkList.size());
        const std::string record = result.linkList.substr(at, comma - at);
        addresses.push_back(record.substr(0, record.find(LinkExtractor::kFieldSeparator)));
        at = comma + 1;
    }
    return addresses;
}

const std::string kTop = "<html><head><title>站点</title></head><body>\n"
                         "<ul class=\"nav\"><li><a href=\"/\">首页</a></li>"
                         "<li><a href=\"/news/\">新闻</a></li><li><a href=\"/about.html\">关于"
                         "</a></li><li><a href=\"/contact.html\">联系</a></li></ul>\n";
const std::string kBottom = "<div class=\"footer\"><a href=\"/help.html\">帮助</a> "
                            "<a href=\"/map.html\">地图</a></div></body></html>\n";

const std::vector<Shape> kShapes{
    // Tags share nothing but "/" with the posts; the year's folder tells them apart.
    {"posts with a tag each", kTop + "<main>\n",
     "<article><h2><a href=\"/2026/{n}/\">{t}</a></h2><p><a href=\"/tags/t{c}/\">标签{c}</a>"
     "</p></article>\n",
     "<nav class=\"pager\"><a href=\"/page/2/\">下一页</a></nav></main>\n" + kBottom, "/2026/{n}/"},
    {"items with classes of their own", kTop + "<ul class=\"list\">\n",
     "<li class=\"c{c}\"><a href=\"/news/{n}.html\">{t}</a></li>\n", "</ul>\n" + kBottom,
     "/news/{n}.html"},
    {"a container marked with the day", kTop + "<ul class=\"news\" data-day=\"{n}\">\n",
     "<li><a href=\"/news/{n}.html\">{t}</a></li>\n", "</ul>\n" + kBottom, "/news/{n}.html"},
};

} // namespace

// The proposal made on today's page cuts exactly the list out of today's and tomorrow's.
TEST(ListSuggestion, CutsTheListOutOfTodaysAndTomorrowsPage)
{
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const auto proposal = ListSuggestion::suggest(pageOf(shape, kToday));
        ASSERT_TRUE(proposal);
        EXPECT_EQ(proposal->linkCount, wantedOf(shape, kToday).size());
        for (const Day& day : {kToday, kTomorrow}) {
            SCOPED_TRACE(day.name);
            EXPECT_EQ(addressesCut(pageOf(shape, day), *proposal), wantedOf(shape, day))
                << "start " << proposal->start << "\nend " << proposal->end << "\ncontains "
                << proposal->contains;
        }
    }
    // Pages without a list of three links.
    for (const std::string& page :
         {std::string("<ul><li><a href=\"/a.html\">A</a></li><li><a href=\"/b.html\">B</a></li>"
                      "</ul>"),
          // Tags only: every item links to one of two addresses.
          std::string("<ul><li><a href=\"/t/a/\">标签甲</a></li><li><a href=\"/t/b/\">标签乙"
                      "</a></li><li><a href=\"/t/a/\">标签甲</a></li><li><a href=\"/t/a/\">标签甲"
                      "</a></li><li><a href=\"/t/b/\">标签乙</a></li></ul>"),
          // Links written so that the cut cannot see them: "HREF=" and "href =".
          std::string("<ul><li><a HREF=\"/a.html\">A</a></li><li><a href =\"/b.html\">B</a>"
                      "</li><li><a HREF=/c.html>C</a></li></ul>")}) {
        SCOPED_TRACE(page);
        EXPECT_FALSE(ListSuggestion::suggest(page));
    }
}
