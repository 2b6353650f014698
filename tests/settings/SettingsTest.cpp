#include "FailingFileSystem.h"
#include "RecordingSurface.h"
#include "TemporaryFolder.h"
#include "settings/WindowSettings.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using Lines = std::vector<std::string>;
using Texts = SavedSettings::Texts;

namespace {

class SettingsTest : public ::testing::Test
{
protected:
    // A window reopened on the same db.dat; its boxes join those of the closes.
    SavedSettings::Values reopen()
    {
        RecordingSurface fresh;
        const auto values = WindowSettings::restore(fresh, files, path);
        messages.insert(messages.end(), fresh.messages.begin(), fresh.messages.end());
        return values;
    }
    void close()
    {
        WindowSettings::save(window, files, path);
        messages.insert(messages.end(), window.messages.begin(), window.messages.end());
        window.messages.clear();
    }

    TemporaryFolder folder;
    FailingFileSystem files;
    const std::string path = folder.file("db.dat");
    RecordingSurface window;
    Lines messages;
};

} // namespace

// Closed settings come back; a failed save keeps the old ones; each failure is told once
TEST_F(SettingsTest, SettingsComeBackAndFailuresAreToldOnce)
{
    EXPECT_EQ(reopen().texts, Texts{}); // the first start
    window.texts = {"http://old/", "D:\\链接\\", "URL=", "<ul>", "</ul>", ".html", "/n/", "/x/"};
    close();
    EXPECT_EQ(reopen().texts, window.texts);
    EXPECT_EQ(messages, Lines{});
    window.texts[Field::Address] = "http://new/";
    files.failCall(FailingFileSystem::Call::Write, 1);
    close();
    EXPECT_EQ(reopen().texts[Field::Address], "http://old/");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path); // a folder in its place
    EXPECT_EQ(reopen().texts, Texts{});
    close();
    ASSERT_EQ(messages.size(), 3u);
    for (const auto& [message, begins] : {std::pair{0, "保存"}, {1, "读取"}, {2, "保存"}})
        EXPECT_TRUE(messages[message].starts_with("设置错误: 无法" + std::string(begins) +
                                                  "设置文件 " + path + "："))
            << messages[message];
}

// Edge cases: settings the record cannot keep whole are saved as far as they go, with a box.
TEST_F(SettingsTest, SettingsNotKeptWholeAreToldAtClose)
{
    for (const auto& [template_, message] : std::vector<std::pair<std::string, std::string>>{
             {std::string(700, 'x'), "设置错误: 设置共 714 字节，超过了设置文件能保存的 600 "
                                     "字节，超出的部分没有保存。 (48)"},
             {"表情😀", "设置错误: 设置中有系统编码无法表示的字符，保存时已换成“?”。 (48)"},
             {std::string(586, 'x'), ""}, // exactly the 600 bytes a record keeps
             {"正好", ""},
         }) {
        window.texts[Field::Template] = template_;
        close();
        ASSERT_LE(messages.size(), 1u);
        const std::string shown = messages.empty() ? "" : messages[0];
        EXPECT_EQ(shown.substr(0, message.empty() ? shown.size() : message.size()), message);
        messages.clear();
    }
    EXPECT_EQ(reopen().texts[Field::Template], "正好");
}

// The eight texts and the completion box as one record: what close stored comes back
TEST_F(SettingsTest, SavedTextsComeBackWithTheirPiecesShiftedOrCut)
{
    RecordFile records{files};
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
