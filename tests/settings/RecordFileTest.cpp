#include "settings/RecordFile.h"

#include "FailingFileSystem.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace corvano {
namespace {

std::string record(std::string key, std::string value, std::string note)
{
    key.resize(20, ' ');
    value.resize(600, ' ');
    note.resize(80, ' ');
    return key + value + note;
}

class RecordFileTest : public ::testing::Test
{
protected:
    std::string write(const std::string& key, const std::string& value, std::string note = "n")
    {
        return m_records.DbRecord(m_path, key, -1, value, note);
    }
    std::string read(const std::string& key) { return m_records.DbRecord(m_path, key, 0, {}, {}); }
    std::string bytes() const { return m_folder.read("db.dat"); }

    test::TemporaryFolder m_folder;
    test::FailingFileSystem m_files;
    RecordFile m_records{m_files};
    std::string m_path = m_folder.file("db.dat");
};

// Writes and reads

TEST_F(RecordFileTest, MissingFileIsCreatedEmptyByEveryMode)
{
    EXPECT_EQ(read("CURL"), "");
    EXPECT_EQ(bytes(), "");
    std::filesystem::remove(m_path);
    EXPECT_EQ(m_records.DbRecord(m_path, "CURL", 1, "a", "b"), "");
    EXPECT_EQ(bytes(), "");
}

TEST_F(RecordFileTest, WritesNewAppendedAndReplacedRecordsByteExact)
{
    EXPECT_EQ(write("CURL", "a", "b"), "newrec");
    EXPECT_EQ(write("curl", "x"), "apprec");
    EXPECT_EQ(write("CURL", "c", "d"), "modrec");
    EXPECT_EQ(bytes(), record("CURL", "c", "d") + record("curl", "x", "n"));
    EXPECT_EQ(read("CURL"), "CURL|$|c|$|d");
    EXPECT_EQ(m_records.DbRecord(m_path, "CURL", 1, "z", "z"), "");
    EXPECT_EQ(read("CURL"), "CURL|$|c|$|d");
}

// Edge cases: files that end in part of a record

TEST_F(RecordFileTest, AppendGoesToRecordNPlusOneRoundedHalfToEven)
{
    for (const auto& [size, grown] :
         {std::pair{1000, 1400}, {1050, 1400}, {1100, 2100}, {1750, 2800}}) {
        m_folder.write("db.dat", std::string(size, 'x'));
        EXPECT_EQ(write("B", "2"), "apprec");
        EXPECT_EQ(bytes().size(), static_cast<std::size_t>(grown)) << size;
        EXPECT_EQ(bytes().substr(grown - 700), record("B", "2", "n")) << size;
    }
}

TEST_F(RecordFileTest, PartRecordIsSearchedOnlyOnceTheFileHasGrownOverIt)
{
    const std::string part = record("P", "p", "").substr(0, 400);
    m_folder.write("db.dat", record("A", "1", "") + part);
    EXPECT_EQ(read("P"), "");
    write("B", "2");
    EXPECT_EQ(bytes().substr(700, 700), part + std::string(300, '\0'));
    EXPECT_EQ(read("P").substr(0, 9), "P|$|p    ");
}

TEST_F(RecordFileTest, PartRecordWithTheSameKeyCannotHideTheNewRecord)
{
    m_folder.write("db.dat", record("A", "1", "") + record("K", "old", "").substr(0, 400));
    EXPECT_EQ(write("K", "new"), "apprec");
    EXPECT_EQ(read("K"), "K|$|new|$|n");
    EXPECT_EQ(bytes().size(), 1400u);
}

// Edge cases: field contents

TEST_F(RecordFileTest, FieldsKeepAllButSurroundingSpacesInTheAnsiCodePage)
{
    write("键", "  \t中\r\n\t  ", " 注 ");
    EXPECT_EQ(bytes(), record("\xBC\xFC", "  \t\xD6\xD0\r\n\t", " \xD7\xA2"));
    EXPECT_EQ(read("键"), "键|$|\t中\r\n\t|$|注");
}

TEST_F(RecordFileTest, LongValueIsCutBeforeADoubleByteCharacter)
{
    write("K", std::string(599, 'a') + "中");
    EXPECT_EQ(bytes().substr(20, 600), std::string(599, 'a') + " ");
    write("K", std::string(600, 'a') + "b");
    EXPECT_EQ(read("K"), "K|$|" + std::string(600, 'a') + "|$|n");
}

TEST_F(RecordFileTest, KeyThatCouldNotBeFoundAgainIsRefused)
{
    const std::string tooLong(21, 'k'), emoji = "\xF0\x9F\x98\x80";
    for (const std::string& key : {tooLong, std::string(" K"), std::string("K "), emoji})
        EXPECT_THROW(write(key, "v"), std::invalid_argument) << key;
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

// Failures

TEST_F(RecordFileTest, FailedWriteLeavesOldFileByteIdentical)
{
    write("A", "1");
    const std::string before = bytes();
    for (const std::string key : {"A", "B"}) {
        m_files.failReplaceNumber(1);
        EXPECT_THROW(write(key, "changed"), FileError);
        EXPECT_EQ(bytes(), before);
    }
}

} // namespace
} // namespace corvano
