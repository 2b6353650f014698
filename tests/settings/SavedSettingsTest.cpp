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

// First start

TEST_F(SavedSettingsTest, FirstStartRestoresNothingAndCloseWritesOneRecord)
{
    EXPECT_EQ(SavedSettings::load(m_records, m_path), Texts{});
    EXPECT_EQ(m_folder.read("db.dat"), "");

    SavedSettings::save(m_records, m_path, {"http://a/", "b", "c", "d", "e", "f", "g", "h"});
    const std::string bytes = m_folder.read("db.dat");
    ASSERT_EQ(bytes.size(), 700u);
    EXPECT_EQ(bytes.substr(0, 20), "CURL" + std::string(16, ' '));
    EXPECT_EQ(bytes.substr(20, 31), "http://a/##b##c##d##e##f##g##h ");
    // The note in the ANSI code page: 保存生成URL的设置值, 19 bytes.
    EXPECT_EQ(bytes.substr(620, 20), "\xB1\xA3\xB4\xE6\xC9\xFA\xB3\xC9URL\xB5\xC4\xC9\xE8\xD6\xC3"
                                     "\xD6\xB5 ");
}

// Round trips

TEST_F(SavedSettingsTest, TextsSurviveARestart)
{
    const Texts texts{"http://例子.cn/list",
                      "/tmp/快捷方式/",
                      "[InternetShortcut]\r\nURL=\r\n",
                      "<ul>",
                      "</ul>",
                      ".html",
                      "../",
                      "http://例子.cn/"};
    EXPECT_EQ(restart(texts), texts);
}

TEST_F(SavedSettingsTest, OnlySpacesAtTheVeryEndsAreLost)
{
    const Texts saved = restart({"  x", "  keep  ", "", "", "", "", "", "y  "});
    EXPECT_EQ(saved[0], "x");
    EXPECT_EQ(saved[1], "  keep  ");
    EXPECT_EQ(saved[7], "y");
}

TEST_F(SavedSettingsTest, SeparatorInsideATextShiftsTheLaterTexts)
{
    const Texts saved = restart({"1", "2", "3", "a##b", "5", "6", "7", "8"});
    EXPECT_EQ(saved, (Texts{"1", "2", "3", "a", "b", "5", "6", "7"}));
}

TEST_F(SavedSettingsTest, ReadSeparatorInsideATextLosesNothing)
{
    const Texts texts{"1", "a|$|b", "3", "4", "5", "6", "7", "8"};
    EXPECT_EQ(restart(texts), texts);
}

// Damaged or foreign values

TEST_F(SavedSettingsTest, ValueCutShortLeavesTheMissingTextsEmpty)
{
    const Texts saved = restart({std::string(590, 'a'), "bbbbbbbbbbbb", "c", "", "", "", "", "z"});
    EXPECT_EQ(saved[0], std::string(590, 'a'));
    EXPECT_EQ(saved[1], "bbbbbbbb");
    EXPECT_EQ(saved[2], "");
    EXPECT_EQ(saved[7], "");
}

TEST_F(SavedSettingsTest, PiecesBeyondTheEighthAreIgnored)
{
    const Texts texts = SavedSettings::restore("CURL|$|1##2##3##4##5##6##7##8##9##10|$|note");
    EXPECT_EQ(texts, (Texts{"1", "2", "3", "4", "5", "6", "7", "8"}));
}

} // namespace
} // namespace corvano
