#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace corvano {

// The keyed file of fixed 700-byte records (db.dat) that outlives a program run. Each record
// holds Key (20 bytes), Value (600) and Note (80) in the ANSI code page, space-padded, with no
// header, so the layout alone is the contract between every copy of the program.
class RecordFile
{
public:
    static constexpr std::size_t kKeyWidth = 20;
    static constexpr std::size_t kValueWidth = 600;
    static constexpr std::size_t kNoteWidth = 80;
    static constexpr std::size_t kRecordLength = kKeyWidth + kValueWidth + kNoteWidth;

    // The modes of DbRecord.
    static constexpr std::int16_t kWriteMode = -1;
    static constexpr std::int16_t kReadMode = 0;

    // Separates key, value and note in what DbRecord reads.
    static constexpr const char* kResultSeparator = "|$|";

    struct Record
    {
        std::string key;
        std::string value;
        std::string note;
    };

    enum class WriteResult
    {
        New,      // the file was empty
        Modified, // the key's record was replaced
        Appended, // the key's record was added behind the others
    };

    explicit RecordFile(FileSystem& files);

    // Each call creates a missing file. Texts are UTF-8. File failures throw FileError.
    // The record of key, or nothing when the key has none.
    std::optional<Record> read(const std::string& path, const std::string& key);
    // Throws std::invalid_argument for a key that could never be found again.
    WriteResult write(const std::string& path, const Record& record);

    // Mode -1 writes the record of key and returns "newrec", "modrec" or "apprec"; mode 0
    // returns key "|$|" value "|$|" note, or "" when the key has no record; any other mode
    // returns "". The same files and failures as read and write.
    std::string DbRecord(const std::string& path, const std::string& key, std::int16_t mode,
                         const std::string& value, const std::string& note);

private:
    FileSystem& m_files;
};

} // namespace corvano
