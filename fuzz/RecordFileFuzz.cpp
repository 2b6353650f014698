#include "FuzzInput.h"
#include "MemoryFileSystem.h"
#include "platform/Utf8.h"
#include "settings/RecordFile.h"

using namespace corvano;

// Input: a record file's bytes. Reads the settings key and another, then writes and reads
// the settings key back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::MemoryFileSystem files;
    const std::string path = "db.dat";
    files.files[path] = std::string(reinterpret_cast<const char*>(data), size);
    RecordFile records(files);
    for (const char* key : {"CURL", "KEY"}) {
        const std::string result = records.DbRecord(path, key, RecordFile::kReadMode, "", "");
        if (result.empty())
            continue;
        if (!result.starts_with(std::string(key) + "|$|") || !Utf8::isValid(result) ||
            result.ends_with(' '))
            fuzz::violated("a read gives the key and two trimmed fields, as UTF-8");
    }
    const std::size_t before = files.files[path].size();
    records.DbRecord(path, "CURL", RecordFile::kWriteMode, "value", "note");
    const std::size_t after = files.files[path].size();
    if (after != before && after > before + 2 * RecordFile::kRecordLength)
        fuzz::violated("a write adds at most one record");
    if (records.DbRecord(path, "CURL", RecordFile::kReadMode, "", "") != "CURL|$|value|$|note")
        fuzz::violated("what was written reads back");
    return 0;
}
