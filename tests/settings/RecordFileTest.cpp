#include "settings/RecordFile.h"

#include "FailingFileSystem.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace corvano;

namespace {

std::string record(std::string key, std::string value, std::string note = "n")
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

} // namespace

// Writes and reads, through the typed calls and the procedure the system names
TEST_F(RecordFileTest, WritesNewAppendedAndReplacedRecordsByteExact)
{
    EXPECT_EQ(read("CURL"), ""); // a missing file is created, empty
    EXPECT_EQ(bytes(), "");
    EXPECT_EQ(m_records.write(m_path, {"CURL", "a", "b"}), RecordFile::WriteResult::New);
    // Each write reaches the disk: the file, then its folder.
    EXPECT_EQ(m_files.count(test::FailingFileSystem::Call::Sync), 2);
    EXPECT_EQ(write("curl", "x"), "apprec");
    EXPECT_EQ(write("CURL", "c", "d"), "modrec");
    EXPECT_EQ(bytes(), record("CURL", "c", "d") + record("curl", "x"));
    EXPECT_EQ(read("CURL"), "CURL|$|c|$|d");
    // Other modes only create the file.
    std::filesystem::remove(m_path);
    EXPECT_EQ(m_records.DbRecord(m_path, "CURL", 1, "a", "b"), "");
    EXPECT_EQ(bytes(), "");
    // Edge cases: field contents.
    write("键", "  \t中\r\n\t  ", " 注 ");
    EXPECT_EQ(bytes(), record("\xBC\xFC", "  \t\xD6\xD0\r\n\t", " \xD7\xA2"));
    EXPECT_EQ(read("键"), "键|$|\t中\r\n\t|$|注");
    // 丂 (0x81 0x40): GBK lead bytes start at 0x81, below the GB2312 range.
    write("K", std::string(599, 'a') + "丂");
    EXPECT_EQ(bytes().substr(720, 600), std::string(599, 'a') + " ");
    write("K", std::string(600, 'a') + "b");
    EXPECT_EQ(read("K"), "K|$|" + std::string(600, 'a') + "|$|n");
    // A key that could not be found again is refused.
    for (const std::string& key : {std::string(21, 'k'), std::string(" K"), std::string("K "),
                                   std::string("\xF0\x9F\x98\x80")})
        EXPECT_THROW(write(key, "v"), std::invalid_argument) << key;
    EXPECT_EQ(bytes().size(), 1400u);
}

// Edge cases: files that end in part of a record. An append goes to record n + 1, n rounded
// half to even; a part record is searched only once the file has grown over it
TEST_F(RecordFileTest, APartRecordIsSearchedOnlyOnceTheFileHasGrownOverIt)
{
    for (const auto& [size, grown] : {std::pair{1050, 1400}, {1100, 2100}, {1750, 2800}}) {
        SCOPED_TRACE(size);
        m_folder.write("db.dat", std::string(size, 'x'));
        EXPECT_EQ(write("B", "2"), "apprec");
        EXPECT_EQ(bytes().size(), static_cast<std::size_t>(grown));
        EXPECT_EQ(bytes().substr(grown - 700), record("B", "2"));
    }
    const std::string part = record("P", "p", "").substr(0, 400);
    m_folder.write("db.dat", record("A", "1", "") + part);
    EXPECT_EQ(read("P"), "");
    write("B", "2");
    EXPECT_EQ(bytes().substr(700, 700), part + std::string(300, '\0'));
    EXPECT_EQ(read("P").substr(0, 9), "P|$|p    ");
    // A torn record of the same key cannot hide the new one.
    m_folder.write("db.dat", record("A", "1", "") + record("K", "old", "").substr(0, 400));
    EXPECT_EQ(write("K", "new"), "apprec");
    EXPECT_EQ(read("K"), "K|$|new|$|n");
    EXPECT_EQ(bytes().size(), 1400u);
}
