#include "platform/LocalFileSystem.h"
#include "settings/RecordFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>

namespace corvano {
namespace {

// A record file of 1000 records whose last one holds the key, so every call scans them all.
class ThousandRecords
{
public:
    ThousandRecords()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "corvano-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_folder = pattern;
        path = (m_folder / "db.dat").string();
        // 999 other records, laid down directly, then the key through the store itself.
        std::string contents;
        for (int i = 0; i < 999; ++i) {
            std::string other = std::to_string(i);
            other.resize(RecordFile::kKeyWidth, ' ');
            contents.append(other).append(RecordFile::kValueWidth + RecordFile::kNoteWidth, 'v');
        }
        files.replaceFile(path, contents, FileSystem::Durability::Cached);
        records.DbRecord(path, key, -1, "the settings value", "保存生成URL的设置值");
    }
    ~ThousandRecords()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    LocalFileSystem files;
    RecordFile records{files};
    std::string path;
    const std::string key = "CURL";

private:
    std::filesystem::path m_folder;
};

void DbRecordRead(benchmark::State& state)
{
    ThousandRecords file;
    for (auto _ : state)
        benchmark::DoNotOptimize(file.records.DbRecord(file.path, file.key, 0, {}, {}));
}
BENCHMARK(DbRecordRead)->Unit(benchmark::kMicrosecond);

void DbRecordWrite(benchmark::State& state)
{
    ThousandRecords file;
    const std::string value =
        "http://a/##/tmp/##[InternetShortcut]\r\nURL=##<ul>##</ul>##.html####";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            file.records.DbRecord(file.path, file.key, -1, value, "保存生成URL的设置值"));
}
BENCHMARK(DbRecordWrite)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace corvano

BENCHMARK_MAIN();
