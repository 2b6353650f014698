#include "engine/ListSuggestion.h"
#include "platform/Transfer.h"

#include <benchmark/benchmark.h>
#include <cstdio>

using namespace corvano;

namespace {

// A news page as large as a run reads: a menu, a side list, the main list of about 400
// dated items with a category each, a pager and a footer.
std::string newsPage()
{
    std::string page = "<html><head><title>新闻</title></head><body>\n<ul class=\"nav\">";
    char item[256];
    for (int i = 0; i < 10; ++i) {
        std::snprintf(item, sizeof item, "<li><a href=\"/c%d/\">栏目%d</a></li>", i, i);
        page += item;
    }
    page += "</ul>\n<div class=\"side\"><h3>热门</h3><ul>";
    for (int i = 0; i < 10; ++i) {
        std::snprintf(item, sizeof item, "<li><a href=\"/hot/%d.html\">热门文章%d</a></li>\n", i,
                      i);
        page += item;
    }
    page += "</ul></div>\n<div class=\"main\"><ul class=\"list\">\n";
    for (int i = 0; page.size() < 63000; ++i) {
        std::snprintf(
            item, sizeof item,
            "<li><span class=\"date\">12-%02d</span><a href=\"/c%d/\">[栏目%d]</a>"
            "<a href=\"/news/2026/%05d.html\" title=\"t\">今日新闻标题第%05d条</a></li>\n",
            i % 28 + 1, i % 10, i % 10, i, i);
        page += item;
    }
    page += "</ul><div class=\"pager\"><a href=\"?p=2\">2</a><a href=\"?p=3\">3</a></div></div>\n"
            "<div class=\"footer\"><a href=\"/about.html\">关于</a></div></body></html>";
    page.resize(Transfer::kReadSize, ' ');
    return page;
}

void suggestList(benchmark::State& state)
{
    const std::string page = newsPage();
    std::size_t links = 0;
    for (auto _ : state) {
        const auto proposal = ListSuggestion::suggest(page);
        links = proposal ? proposal->linkCount : 0;
        benchmark::DoNotOptimize(proposal);
    }
    state.counters["links"] = static_cast<double>(links);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(suggestList)->Unit(benchmark::kMillisecond);

} // namespace
