#include "settings/SavedSettings.h"

#include "TemporaryFolder.h"
#include "platform/LocalFileSystem.h"

#include <gtest/gtest.h>

using namespace corvano;
using Texts = SavedSettings::Texts;

TEST(SavedSettings, RestoresWhatCloseStoredWithItsPiecesShiftedOrCut)
{
    test::TemporaryFolder folder;
    LocalFileSystem files;
    RecordFile records(files);
    const std::string path = folder.file("db.dat");
    const auto restart = [&](const Texts& texts) {
        SavedSettings::save(records, path, texts);
        return SavedSettings::load(records, path);
    };
    EXPECT_EQ(SavedSettings::load(records, path), Texts{}); // the first start
    EXPECT_EQ(restart({"  a", "b ", "c\r\nURL=", "", "", "", "", "h  "}),
              (Texts{"a", "b ", "c\r\nURL=", "", "", "", "", "h"}));
    const std::string bytes = folder.read("db.dat");
    ASSERT_EQ(bytes.size(), 700u);
    EXPECT_EQ(bytes.substr(0, 36), "CURL                  a##b ##c\r\nURL=");
    // 保存生成URL的设置值 in the ANSI code page.
    EXPECT_EQ(bytes.substr(620, 20), "\xB1\xA3\xB4\xE6\xC9\xFA\xB3\xC9URL\xB5\xC4\xC9\xE8\xD6\xC3"
                                     "\xD6\xB5 ");
    // Edge cases: "##" inside a text shifts the pieces; "|$|" does not; a cut loses the tail.
    EXPECT_EQ(restart({"1", "2", "3", "a##b", "5", "6", "7", "8"}),
              (Texts{"1", "2", "3", "a", "b", "5", "6", "7"}));
    EXPECT_EQ(restart({"1", "a|$|b", "3", "4", "5", "6", "7", "8"}),
              (Texts{"1", "a|$|b", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(restart({std::string(590, 'a'), "bbbbbbbbbbbb", "c", "", "", "", "", "z"}),
              (Texts{std::string(590, 'a'), "bbbbbbbb"}));
}

// The check box "补全相对网址" as a ninth piece
TEST(SavedSettings, KeepsTheCompletionBoxAsANinthPieceOnlyWhenItIsOn)
{
    test::TemporaryFolder folder;
    LocalFileSystem files;
    RecordFile records(files);
    const std::string path = folder.file("db.dat");
    const Texts texts{"1", "2", "3", "4", "5", "6", "7", "8"};

    SavedSettings::save(records, path, texts, false);
    // The value field follows the 20-byte key; nothing comes after the eighth text.
    EXPECT_EQ(folder.read("db.dat").substr(20, 23), "1##2##3##4##5##6##7##8 ");
    EXPECT_FALSE(SavedSettings::loadValues(records, path).completeAddresses);

    SavedSettings::save(records, path, texts, true);
    EXPECT_EQ(folder.read("db.dat").substr(20, 26), "1##2##3##4##5##6##7##8##1 ");
    const auto values = SavedSettings::loadValues(records, path);
    EXPECT_TRUE(values.completeAddresses);
    EXPECT_EQ(values.texts, texts);
    EXPECT_EQ(SavedSettings::load(records, path), texts); // a reader of the eight texts alone

    // Edge cases: only "1" switches it on; a text holding "##" shifts its place.
    const auto on = [](std::string value) {
        return SavedSettings::restoreValues("CURL|$|" + value + "|$|note").completeAddresses;
    };
    EXPECT_FALSE(on("1##2##3##4##5##6##7##8"));
    EXPECT_FALSE(on("1##2##3##4##5##6##7##8##"));
    EXPECT_FALSE(on("1##2##3##4##5##6##7##8##0"));
    EXPECT_TRUE(on("1##2##3##4##5##6##7##8##1##more"));
    EXPECT_FALSE(on("1##2##3##4##5##6##7"));
}
