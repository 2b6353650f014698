#include "engine/ListSuggestion.h"

#include "engine/LinkExtractor.h"
#include "engine/PageDecoder.h"
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;

namespace {

// A list page: the frame around the items, one item's markup and the addresses of the
// links wanted from it. "{n}" is the item's number (in the frame, the first item's), "{t}"
// its title, "{c}" a category that repeats.
struct Shape
{
    std::string name, head, item, tail;
    std::vector<std::string> wanted;
    bool gbk = false;
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
    return shape.gbk ? PageDecoder::decode(AnsiCodec::encode(page), "text/html") : page;
}

std::vector<std::string> wantedOf(const Shape& shape, const Day& day)
{
    std::vector<std::string> addresses;
    for (int n = day.first; n < day.first + day.count; ++n) {
        for (const std::string& wanted : shape.wanted)
            addresses.push_back(fill(wanted, n, day));
    }
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
    {"list",
     kTop + "<ul class=\"news\">\n",
     "<li><a href=\"/news/{n}.html\">{t}</a></li>\n",
     "</ul>\n" + kBottom,
     {"/news/{n}.html"}},
    {"table",
     kTop + "<table class=\"list\">\n<tr><th>标题</th><th>日期</th></tr>\n",
     "<tr><td><a href=\"/show.php?id={n}\" target=\"_blank\">{t}</a></td><td>12-0{c}</td></tr>\n",
     "</table>\n" + kBottom,
     {"/show.php?id={n}"}},
    {"cards",
     kTop + "<div class=\"cards\">\n",
     "<div class=\"card\"><h3><a href=\"/p/{n}.html\">{t}</a></h3><p>摘要</p>"
     "<a class=\"author\" href=\"/u/{c}/\">作者{c}</a></div>\n",
     "</div>\n" + kBottom,
     {"/p/{n}.html"}},
    // Tags share nothing but "/" with the posts; the year's folder tells them apart.
    {"posts with a tag each",
     kTop + "<main>\n",
     "<article><h2><a href=\"/2026/{n}/\">{t}</a></h2><p><a href=\"/tags/t{c}/\">标签{c}</a>"
     "</p></article>\n",
     "<nav class=\"pager\"><a href=\"/page/2/\">下一页</a></nav></main>\n" + kBottom,
     {"/2026/{n}/"}},
    {"items with classes of their own",
     kTop + "<ul class=\"list\">\n",
     "<li class=\"c{c}\"><a href=\"/news/{n}.html\">{t}</a></li>\n",
     "</ul>\n" + kBottom,
     {"/news/{n}.html"}},
    {"a container marked with the day",
     kTop + "<ul class=\"news\" data-day=\"{n}\">\n",
     "<li><a href=\"/news/{n}.html\">{t}</a></li>\n",
     "</ul>\n" + kBottom,
     {"/news/{n}.html"}},
    {"definition list",
     kTop + "<dl class=\"docs\">\n",
     "<dt><a href=\"http://example.com/doc/{n}.htm\">{t}</a></dt><dd>说明</dd>\n",
     "</dl>\n" + kBottom,
     {"http://example.com/doc/{n}.htm"}},
    {"nested lists",
     kTop + "<ul class=\"tree\">\n",
     "<li><a href=\"/sec/{c}/\">栏目{c}</a><ul><li><a href=\"/art/{n}.html\">{t}</a></li>"
     "<li><a href=\"/art/{n}0.html\">{t}续</a></li></ul></li>\n",
     "</ul>\n" + kBottom,
     {"/art/{n}.html", "/art/{n}0.html"}},
    {"category before each title",
     kTop + "<ul class=\"list\">\n",
     "<li><a href=\"/cat/{c}/\">[栏目{c}]</a> <a href=\"/news/2026/{n}.html\">{t}</a></li>\n",
     "</ul>\n" + kBottom,
     {"/news/2026/{n}.html"}},
    {"pager inside the container",
     kTop + "<div class=\"list\"><ul>\n",
     "<li><a href=\"/a/{n}.html\">{t}</a></li>\n",
     "</ul><div class=\"pages\"><a href=\"list_2.html\">2</a><a href=\"list_3.html\">3</a>"
     "<a href=\"list_2.html\">下一页</a></div></div>\n" +
         kBottom,
     {"/a/{n}.html"}},
    {"two lists, the larger wanted",
     kTop + "<div class=\"hot\"><ul><li><a href=\"/hot/1.html\">热门一</a></li>"
            "<li><a href=\"/hot/2.html\">热门二</a></li><li><a href=\"/hot/3.html\">热门三"
            "</a></li></ul></div>\n<div class=\"new\"><ul>\n",
     "<li><a href=\"/new/{n}.html\">{t}</a></li>\n",
     "</ul></div>\n" + kBottom,
     {"/new/{n}.html"}},
    {"a list marked only by a heading",
     kTop + "<h2>热门</h2>\n<ul><li><a href=\"/post/7.html\">旧文一</a></li>"
            "<li><a href=\"/post/8.html\">旧文二</a></li></ul>\n<h2>最新文章</h2>\n<ul>\n",
     "<li><a href=\"/post/{n}.html\">{t}</a></li>\n",
     "</ul>\n" + kBottom,
     {"/post/{n}.html"}},
    {"rows of a plain div",
     kTop + "<div id=\"content\">\n",
     "<div><span>12-0{c}</span> <a href=\"/read/{n}\">{t}</a></div>\n",
     "</div>\n" + kBottom,
     {"/read/{n}"}},
    {"unquoted addresses",
     kTop + "<ol>\n",
     "<li><a href=/n/{n}.html target=_blank>{t}</a></li>\n",
     "</ol>\n" + kBottom,
     {"/n/{n}.html"}},
    {"GBK page",
     "<html><head><meta charset=\"gbk\"><title>列表</title></head><body>\n"
     "<ul class=\"nav\"><li><a href=\"/\">首页</a></li><li><a href=\"/bbs/\">论坛</a></li>"
     "</ul>\n<ul class=\"文章\">\n",
     "<li>【{c}】<a href=\"/html/{n}.html\">{t}</a></li>\n",
     "</ul>\n<p>版权所有 <a href=\"/about.html\">关于</a></p></body></html>\n",
     {"/html/{n}.html"},
     true},
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
}

// Pages without a list of three links
TEST(ListSuggestion, FindsNoListWhereThereIsNone)
{
    for (const std::string& page :
         {std::string(), std::string("<p>no links at all</p>"),
          std::string("<ul><li><a href=\"/a.html\">A</a></li><li><a href=\"/b.html\">B</a></li>"
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
