#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvano {

// The keyed file of fixed 700-byte records (db.dat) that outlives a program run. Each record
// holds Key (20 bytes), Value (600) and Note (80) in the ANSI code page, space-padded, with no
// header, so the layout alone is the contract between every copy of the program.
class RecordFile
{
public:
    static constexpr std::size_t KeyWidth = 20;
    static constexpr std::size_t ValueWidth = 600;
    static constexpr std::size_t NoteWidth = 80;
    static constexpr std::size_t RecordLength = KeyWidth + ValueWidth + NoteWidth;

    static constexpr std::int16_t WriteMode = -1;
    static constexpr std::int16_t ReadMode = 0;

    // Separates key, value and note in the result of a read.
    static constexpr const char* ResultSeparator = "|$|";

    explicit RecordFile(FileSystem& files);

    // Mode -1 writes the record of key and returns "newrec", "modrec" or "apprec"; mode 0
    // returns key "|$|" value "|$|" note, or "" when the key has no record; any other mode
    // returns "". Every mode creates a missing file. Texts are UTF-8. File failures throw
    // FileError; a write of a key that could never be found again throws
    // std::invalid_argument.
    std::string DbRecord(const std::string& path, const std::string& key, std::int16_t mode,
                         const std::string& value, const std::string& note);

private:
    std::string write(const std::string& path, const std::string& key, const std::string& value,
                      const std::string& note);
    std::string read(const std::string& path, const std::string& key);

    FileSystem& m_files;
};

} // namespace corvano
