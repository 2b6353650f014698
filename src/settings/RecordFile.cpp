#include "RecordFile.h"

#include "platform/AnsiCodec.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace corvano {

namespace {

// Cut to the width without splitting a double-byte character, then padded with spaces.
std::string field(const std::string& utf8, std::size_t width)
{
    std::string bytes(AnsiCodec::truncate(AnsiCodec::encode(utf8), width));
    bytes.resize(width, ' ');
    return bytes;
}

std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Only spaces are removed; tabs and line breaks belong to the text. ASCII reads as itself,
// which keeps the key scan of a long file cheap.
std::string fieldText(std::string_view bytes)
{
    if (isAscii(bytes))
        return std::string(trimSpaces(bytes));
    return std::string(trimSpaces(AnsiCodec::decode(bytes)));
}

std::string_view recordAt(std::string_view contents, std::size_t number)
{
    return contents.substr((number - 1) * RecordFile::kRecordLength, RecordFile::kRecordLength);
}

std::string keyOf(std::string_view record)
{
    return fieldText(record.substr(0, RecordFile::kKeyWidth));
}

// The number of the first record whose key equals key exactly, or 0. A part record at the
// end of the file is never searched.
std::size_t find(std::string_view contents, const std::string& key)
{
    const std::size_t whole = contents.size() / RecordFile::kRecordLength;
    for (std::size_t number = 1; number <= whole; ++number) {
        if (keyOf(recordAt(contents, number)) == key)
            return number;
    }
    return 0;
}

// n + 1 with n = size / 700 as a real number, rounded half to even, as files written by
// earlier copies of the program expect: 1000 bytes append at record 2, 1100 bytes at 3.
// Worked in integers so no floating-point rounding mode can change it.
std::size_t appendNumber(std::size_t size)
{
    const std::size_t whole = size / RecordFile::kRecordLength;
    const std::size_t rest = size % RecordFile::kRecordLength;
    const std::size_t half = RecordFile::kRecordLength / 2;
    if (rest < half)
        return whole + 1;
    if (rest > half)
        return whole + 2;
    return (whole + 1) % 2 == 0 ? whole + 1 : whole + 2;
}

// Where a new record goes. When the append leaves a part record before it, that part becomes
// a whole record, searched first from then on; if it holds the same key, it would hide the
// record just written, so the new record takes its place instead.
std::size_t appendPosition(const std::string& contents, const std::string& key)
{
    const std::size_t number = appendNumber(contents.size());
    const std::size_t part = contents.size() / RecordFile::kRecordLength + 1;
    if (number > part && keyOf(recordAt(contents, part)) == key)
        return part;
    return number;
}

// The file as a positioned write of the record would leave it; a write behind the end
// leaves zero bytes in the gap, as extending a file does.
std::string withRecord(std::string contents, std::size_t number, const std::string& record)
{
    const std::size_t offset = (number - 1) * RecordFile::kRecordLength;
    if (contents.size() < offset)
        contents.resize(offset, '\0');
    contents.replace(offset, RecordFile::kRecordLength, record);
    return contents;
}

const char* resultName(RecordFile::WriteResult result)
{
    switch (result) {
    case RecordFile::WriteResult::New:
        return "newrec";
    case RecordFile::WriteResult::Modified:
        return "modrec";
    case RecordFile::WriteResult::Appended:
        return "apprec";
    }
    return "";
}

} // namespace

RecordFile::RecordFile(FileSystem& files) : m_files(files) {}

std::string RecordFile::DbRecord(const std::string& path, const std::string& key, std::int16_t mode,
                                 const std::string& value, const std::string& note)
{
    if (mode == kWriteMode)
        return resultName(write(path, {key, value, note}));
    if (mode != kReadMode) {
        m_files.createIfMissing(path);
        return {};
    }
    const auto found = read(path, key);
    if (!found)
        return {};
    return found->key + kResultSeparator + found->value + kResultSeparator + found->note;
}

RecordFile::WriteResult RecordFile::write(const std::string& path, const Record& record)
{
    const std::string bytes = field(record.key, kKeyWidth) + field(record.value, kValueWidth) +
                              field(record.note, kNoteWidth);
    // A key that is cut, padded away or not in the code page would never match its own
    // record: every save would add another one and no read would find it.
    if (keyOf(bytes) != record.key)
        throw std::invalid_argument("the key \"" + record.key + "\" cannot be stored in " + path);

    m_files.createIfMissing(path);
    std::string contents = m_files.readFile(path);
    const std::size_t found = find(contents, record.key);
    const WriteResult result = found != 0         ? WriteResult::Modified
                               : contents.empty() ? WriteResult::New
                                                  : WriteResult::Appended;
    const std::size_t number = found != 0 ? found : appendPosition(contents, record.key);
    // The whole file goes down as one replacement, flushed to the disk, so a failed write or
    // a power cut leaves the old file or the new one, never a mix or nothing.
    m_files.replaceFile(path, withRecord(std::move(contents), number, bytes),
                        FileSystem::Durability::Flushed);
    return result;
}

std::optional<RecordFile::Record> RecordFile::read(const std::string& path, const std::string& key)
{
    m_files.createIfMissing(path);
    const std::string contents = m_files.readFile(path);
    const std::size_t found = find(contents, key);
    if (found == 0)
        return std::nullopt;
    const std::string_view record = recordAt(contents, found);
    return Record{keyOf(record), fieldText(record.substr(kKeyWidth, kValueWidth)),
                  fieldText(record.substr(kKeyWidth + kValueWidth, kNoteWidth))};
}

} // namespace corvano
