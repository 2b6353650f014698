#include "engine/LinkExtractor.h"
#include "engine/RegularExpression.h"
#include "platform/Transfer.h"

#include <benchmark/benchmark.h>
#include <cstdio>

using namespace corvano;

namespace {

// A list page as large as the run ever reads (Transfer::kReadSize bytes), holding about 1500 links.
std::string listPage()
{
    std::string page = "<html><body><ul class=\"news\">\n";
    char item[128];
    for (int i = 0; page.size() < 65000; ++i) {
        std::snprintf(item, sizeof item, "<a href=\"/n/%04d.html\">标题%04d</a><br>\n", i, i);
        page += item;
    }
    page += "</ul></body></html>";
    page.resize(Transfer::kReadSize, ' ');
    return page;
}

void extractLinks(benchmark::State& state)
{
    const std::string page = listPage();
    std::size_t links = 0;
    for (auto _ : state) {
        auto result = LinkExtractor::ExtractLinks(page, "<ul class=\"news\">", "</ul>", ".html");
        links = static_cast<std::size_t>(
            std::count(result.linkList.begin(), result.linkList.end(), ',') + 1);
        benchmark::DoNotOptimize(result);
    }
    state.counters["links"] = static_cast<double>(links);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(extractLinks)->Unit(benchmark::kMicrosecond);

void regTestAddress(benchmark::State& state)
{
    const std::string address = "http://www.example.com/news/list.html?page=2";
    for (auto _ : state)
        benchmark::DoNotOptimize(RegTest(address, kAddressPattern));
}
BENCHMARK(regTestAddress)->Unit(benchmark::kMicrosecond);

void regReplaceTitle(benchmark::State& state)
{
    const std::string title = "春节假期安排: 通知/公告?";
    for (auto _ : state)
        benchmark::DoNotOptimize(RegReplace(title, kFileNamePattern));
}
BENCHMARK(regReplaceTitle)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
