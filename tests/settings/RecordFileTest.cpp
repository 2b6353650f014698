#include "settings/RecordFile.h"

#include "FailingFileSystem.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace corvano {
namespace {

// A record as it lies in the file: each field padded with spaces to its width.
std::string record(const std::string& key, const std::string& value, const std::string& note)
{
    auto padded = [](std::string bytes, std::size_t width) {
        bytes.resize(width, ' ');
        return bytes;
    };
    return padded(key, 20) + padded(value, 600) + padded(note, 80);
}

class RecordFileTest : public ::testing::Test
{
protected:
    std::string write(const std::string& key, const std::string& value,
                      const std::string& note = "n")
    {
        return m_records.DbRecord(m_path, key, -1, value, note);
    }
    std::string read(const std::string& key) { return m_records.DbRecord(m_path, key, 0, {}, {}); }
    std::string contents() const { return m_folder.read("db.dat"); }

    test::TemporaryFolder m_folder;
    test::FailingFileSystem m_files;
    RecordFile m_records{m_files};
    std::string m_path = m_folder.file("db.dat");
};

// Missing and empty files

TEST_F(RecordFileTest, ReadOfMissingFileFindsNothingAndCreatesEmptyFile)
{
    EXPECT_EQ(read("CURL"), "");
    EXPECT_EQ(contents(), "");
}

TEST_F(RecordFileTest, OtherModesTouchNothingButCreateMissingFile)
{
    EXPECT_EQ(m_records.DbRecord(m_path, "CURL", 1, "a", "b"), "");
    EXPECT_EQ(contents(), "");

    write("CURL", "a", "b");
    const std::string before = contents();
    EXPECT_EQ(m_records.DbRecord(m_path, "CURL", -2, "x", "y"), "");
    EXPECT_EQ(contents(), before);
}

TEST_F(RecordFileTest, FirstWriteIsOneByteExactRecord)
{
    EXPECT_EQ(write("CURL", "a", "b"), "newrec");
    EXPECT_EQ(contents(), record("CURL", "a", "b"));
    EXPECT_EQ(read("CURL"), "CURL|$|a|$|b");
}

TEST_F(RecordFileTest, WriteIntoEmptyFileIsNewRecord)
{
    m_folder.write("db.dat", "");
    EXPECT_EQ(write("K", "v"), "newrec");
    EXPECT_EQ(contents().size(), 700u);
}

// Replace and append

TEST_F(RecordFileTest, SameKeyReplacesItsRecordInPlace)
{
    write("A", "1");
    write("B", "2");
    EXPECT_EQ(write("A", "3", "m"), "modrec");
    EXPECT_EQ(contents(), record("A", "3", "m") + record("B", "2", "n"));
    EXPECT_EQ(read("A"), "A|$|3|$|m");
}

TEST_F(RecordFileTest, NewKeyIsAppendedBehindWholeRecords)
{
    write("A", "1");
    write("B", "2");
    EXPECT_EQ(write("C", "3"), "apprec");
    EXPECT_EQ(contents().substr(1400), record("C", "3", "n"));
    EXPECT_EQ(read("C"), "C|$|3|$|n");
}

TEST_F(RecordFileTest, KeysCompareExactly)
{
    write("CURL", "upper");
    EXPECT_EQ(write("curl", "lower"), "apprec");
    EXPECT_EQ(read("CURL"), "CURL|$|upper|$|n");
    EXPECT_EQ(read("CUR"), "");
}

TEST_F(RecordFileTest, PartRecordOf1000ByteFileIsNeverSearchedAndAppendReplacesIt)
{
    const std::string part = record("P", "partial", "").substr(0, 300);
    m_folder.write("db.dat", record("A", "1", "") + part);
    EXPECT_EQ(read("P"), "");

    EXPECT_EQ(write("B", "2"), "apprec");
    EXPECT_EQ(contents(), record("A", "1", "") + record("B", "2", "n"));
}

TEST_F(RecordFileTest, AppendTo1100ByteFileSkipsPartRecordWhichLaterCounts)
{
    const std::string part = record("P", "partial", "").substr(0, 400);
    m_folder.write("db.dat", record("A", "1", "") + part);
    EXPECT_EQ(write("B", "2"), "apprec");
    EXPECT_EQ(contents(),
              record("A", "1", "") + part + std::string(300, '\0') + record("B", "2", "n"));
    // Grown to three whole records, the old part now reads as record 2.
    EXPECT_EQ(read("P"), "P|$|partial" + std::string(373, ' ') + std::string(220, '\0') + "|$|" +
                             std::string(80, '\0'));
}

TEST_F(RecordFileTest, AppendAtHalfRecordRoundsToEvenNumber)
{
    m_folder.write("db.dat", std::string(1050, 'x')); // n + 1 = 2.5
    write("B", "2");
    EXPECT_EQ(contents().size(), 1400u);

    m_folder.write("db.dat", std::string(1750, 'x')); // n + 1 = 3.5
    write("B", "2");
    EXPECT_EQ(contents().size(), 2800u);
}

// Field contents

TEST_F(RecordFileTest, ReadTrimsSpacesButKeepsLineBreaksAndTabs)
{
    write("K", "  line 1\r\nline 2\t  ", " note ");
    EXPECT_EQ(read("K"), "K|$|line 1\r\nline 2\t|$|note");
}

TEST_F(RecordFileTest, TextIsStoredInTheAnsiCodePage)
{
    write("键", "中文", "注");
    EXPECT_EQ(contents(), record("\xBC\xFC", "\xD6\xD0\xCE\xC4", "\xD7\xA2"));
    EXPECT_EQ(read("键"), "键|$|中文|$|注");
}

TEST_F(RecordFileTest, LongValueIsCutAt600Bytes)
{
    write("K", std::string(600, 'a') + "b");
    EXPECT_EQ(read("K"), "K|$|" + std::string(600, 'a') + "|$|n");
}

TEST_F(RecordFileTest, CutNeverSplitsADoubleByteCharacter)
{
    write("K", std::string(599, 'a') + "中");
    EXPECT_EQ(contents().substr(20, 600), std::string(599, 'a') + " ");
    EXPECT_EQ(read("K"), "K|$|" + std::string(599, 'a') + "|$|n");
}

TEST_F(RecordFileTest, KeyThatCouldNotBeFoundAgainIsRefused)
{
    const std::string tooLong(21, 'k'), emoji = "\xF0\x9F\x98\x80";
    for (const std::string& key : {tooLong, std::string(" CURL"), std::string("CURL "), emoji}) {
        EXPECT_THROW(write(key, "v"), std::invalid_argument) << key;
        EXPECT_EQ(read(key), "") << key;
    }
    EXPECT_EQ(contents(), "");
}

// Failures

TEST_F(RecordFileTest, FailedWriteLeavesOldFileByteIdentical)
{
    write("A", "1");
    write("B", "2");
    const std::string before = contents();

    m_files.failReplaceNumber(1);
    EXPECT_THROW(write("A", "changed"), FileError);
    EXPECT_EQ(contents(), before);

    m_files.failReplaceNumber(1);
    EXPECT_THROW(write("C", "appended"), FileError);
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(read("A"), "A|$|1|$|n");
}

TEST_F(RecordFileTest, UnreadableFileFailsTheRead)
{
    write("A", "1");
    m_files.failReadsOf(m_path);
    EXPECT_THROW(read("A"), FileError);
}

} // namespace
} // namespace corvano
