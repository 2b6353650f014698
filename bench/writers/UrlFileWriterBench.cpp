#include "RecordingSurface.h"
#include "TemporaryFolder.h"
#include "platform/LocalFileSystem.h"
#include "writers/UrlFileWriter.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

using namespace corvano;
using namespace corvano::test;

namespace {

constexpr int kRecords = 1500;
const std::string kTemplate = "[InternetShortcut]\r\nURL=";

std::string linkList()
{
    std::string list;
    for (int i = 0; i < kRecords; ++i) {
        if (i > 0)
            list += ',';
        list +=
            "http://www.example.com/n/" + std::to_string(i) + ".html|#|标题" + std::to_string(i);
    }
    return list;
}

// Each iteration writes into a fresh folder (the first run of a list) or over the files of
// the iteration before (a run repeated into the same folder), as state.range(0) says.
bool overwrites(const benchmark::State& state)
{
    return state.range(0) == 1;
}

void clearFolder(benchmark::State& state, const TemporaryFolder& folder)
{
    if (overwrites(state))
        return;
    state.PauseTiming();
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        std::filesystem::remove(entry.path());
    state.ResumeTiming();
}

void countFiles(benchmark::State& state)
{
    state.counters["files/s"] = benchmark::Counter(static_cast<double>(kRecords),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

void makeUrlFiles(benchmark::State& state)
{
    TemporaryFolder folder;
    RecordingSurface surface;
    surface.setText(Field::Folder, folder.prefix());
    surface.setText(Field::Template, kTemplate);
    LocalFileSystem files;
    UrlFileWriter writer(surface, files, folder.path().string());
    const std::string list = linkList();
    for (auto _ : state) {
        clearFolder(state, folder);
        benchmark::DoNotOptimize(writer.MakeUrlFiles("<page>", list));
    }
    countFiles(state);
}
BENCHMARK(makeUrlFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The physical limit: open, write and close the same files with the same bytes.
void bareLoop(benchmark::State& state)
{
    TemporaryFolder folder;
    std::vector<std::pair<std::string, std::string>> work;
    for (int i = 0; i < kRecords; ++i) {
        work.emplace_back(folder.prefix() + "标题" + std::to_string(i) + ".url",
                          kTemplate + "http://www.example.com/n/" + std::to_string(i) +
                              ".html\r\n");
    }
    for (auto _ : state) {
        clearFolder(state, folder);
        for (const auto& [path, bytes] : work) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
            ::close(fd);
        }
    }
    countFiles(state);
}
BENCHMARK(bareLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
