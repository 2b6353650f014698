#include "settings/SavedSettings.h"

#include "TemporaryFolder.h"
#include "platform/LocalFileSystem.h"

#include <gtest/gtest.h>

using namespace corvano;
using Texts = SavedSettings::Texts;

namespace {

class SavedSettingsTest : public ::testing::Test
{
protected:
    Texts restart(const Texts& texts)
    {
        SavedSettings::save(records, path, texts);
        return SavedSettings::load(records, path);
    }

    test::TemporaryFolder folder;
    LocalFileSystem files;
    RecordFile records{files};
    const std::string path = folder.file("db.dat");
};

} // namespace

TEST_F(SavedSettingsTest, RestoresWhatCloseStoredWithItsPiecesShiftedOrCut)
{
    EXPECT_EQ(SavedSettings::load(records, path), Texts{}); // the first start
    EXPECT_EQ(restart({"  a", "b ", "c\r\nURL=", "", "", "", "", "h  "}),
              (Texts{"a", "b ", "c\r\nURL=", "", "", "", "", "h"}));
    const std::string bytes = folder.read("db.dat");
    ASSERT_EQ(bytes.size(), 700u);
    EXPECT_EQ(bytes.substr(0, 36), "CURL                  a##b ##c\r\nURL=");
    // Edge cases: "##" inside a text shifts the pieces; "|$|" does not; a cut loses the tail.
    EXPECT_EQ(restart({"1", "2", "3", "a##b", "5", "6", "7", "8"}),
              (Texts{"1", "2", "3", "a", "b", "5", "6", "7"}));
    EXPECT_EQ(restart({"1", "a|$|b", "3", "4", "5", "6", "7", "8"}),
              (Texts{"1", "a|$|b", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(restart({std::string(590, 'a'), "bbbbbbbbbbbb", "c", "", "", "", "", "z"}),
              (Texts{std::string(590, 'a'), "bbbbbbbb"}));
    // The check box "补全相对网址" as a ninth piece, written only when it is on.
    const Texts texts{"1", "2", "3", "4", "5", "6", "7", "8"};
    SavedSettings::save(records, path, texts, false);
    EXPECT_EQ(folder.read("db.dat").substr(20, 23), "1##2##3##4##5##6##7##8 ");
    EXPECT_FALSE(SavedSettings::loadValues(records, path).completeAddresses);
    SavedSettings::save(records, path, texts, true);
    EXPECT_EQ(folder.read("db.dat").substr(20, 26), "1##2##3##4##5##6##7##8##1 ");
    EXPECT_TRUE(SavedSettings::loadValues(records, path).completeAddresses);
    EXPECT_EQ(SavedSettings::load(records, path), texts); // a reader of the eight texts alone
    // Edge cases: only "1" switches it on; a text holding "##" shifts its place.
    for (const auto& [value, on] : {std::pair{"1##2##3##4##5##6##7##8##", false},
                                    {"1##2##3##4##5##6##7##8##1##more", true},
                                    {"1##2##3##4##5##6##7", false}})
        EXPECT_EQ(SavedSettings::restoreValues(std::string("CURL|$|") + value + "|$|note")
                      .completeAddresses,
                  on)
            << value;
}
