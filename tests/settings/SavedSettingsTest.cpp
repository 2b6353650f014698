#include "settings/SavedSettings.h"

#include "TemporaryFolder.h"
#include "platform/LocalFileSystem.h"

#include <gtest/gtest.h>

namespace corvano {
namespace {

using Texts = SavedSettings::Texts;

class SavedSettingsTest : public ::testing::Test
{
protected:
    Texts restart(const Texts& texts)
    {
        SavedSettings::save(m_records, m_path, texts);
        return SavedSettings::load(m_records, m_path);
    }

    test::TemporaryFolder m_folder;
    LocalFileSystem m_files;
    RecordFile m_records{m_files};
    std::string m_path = m_folder.file("db.dat");
};

TEST_F(SavedSettingsTest, FirstStartRestoresNothingThenCloseStoresTheJoinedTexts)
{
    EXPECT_EQ(SavedSettings::load(m_records, m_path), Texts{});
    SavedSettings::save(m_records, m_path, {"  a", "b ", "c\r\nURL=", "", "", "", "", "h  "});
    const std::string bytes = m_folder.read("db.dat");
    ASSERT_EQ(bytes.size(), 700u);
    EXPECT_EQ(bytes.substr(0, 36), "CURL                  a##b ##c\r\nURL=");
    // 保存生成URL的设置值 in the ANSI code page.
    EXPECT_EQ(bytes.substr(620, 20), "\xB1\xA3\xB4\xE6\xC9\xFA\xB3\xC9URL\xB5\xC4\xC9\xE8\xD6\xC3"
                                     "\xD6\xB5 ");
    EXPECT_EQ(SavedSettings::load(m_records, m_path),
              (Texts{"a", "b ", "c\r\nURL=", "", "", "", "", "h"}));
}

TEST_F(SavedSettingsTest, SeparatorsInsideTexts)
{
    EXPECT_EQ(restart({"1", "2", "3", "a##b", "5", "6", "7", "8"}),
              (Texts{"1", "2", "3", "a", "b", "5", "6", "7"}));
    const Texts withReadSeparator{"1", "a|$|b", "3", "4", "5", "6", "7", "8"};
    EXPECT_EQ(restart(withReadSeparator), withReadSeparator);
}

TEST_F(SavedSettingsTest, ValueCutAt600BytesLeavesTheLostTextsEmpty)
{
    EXPECT_EQ(restart({std::string(590, 'a'), "bbbbbbbbbbbb", "c", "", "", "", "", "z"}),
              (Texts{std::string(590, 'a'), "bbbbbbbb"}));
}

} // namespace
} // namespace corvano
