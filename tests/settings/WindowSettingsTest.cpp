#include "settings/WindowSettings.h"

#include "FailingFileSystem.h"
#include "RecordingSurface.h"
#include "TemporaryFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using Lines = std::vector<std::string>;

namespace {

class WindowSettingsTest : public ::testing::Test
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
TEST_F(WindowSettingsTest, SettingsComeBackAndFailuresAreToldOnce)
{
    EXPECT_EQ(reopen().texts, SavedSettings::Texts{}); // the first start
    window.texts = {"http://old/", "D:\\链接\\", "URL=", "<ul>", "</ul>", ".html", "/n/", "/x/"};
    close();
    EXPECT_EQ(reopen().texts, window.texts);
    EXPECT_EQ(messages, Lines{});
    window.texts[Field::Address] = "http://new/";
    files.failReplaceNumber(1);
    close();
    EXPECT_EQ(reopen().texts[Field::Address], "http://old/");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path); // a folder in its place
    EXPECT_EQ(reopen().texts, SavedSettings::Texts{});
    close();
    ASSERT_EQ(messages.size(), 3u);
    for (const auto& [message, begins] : {std::pair{0, "保存"}, {1, "读取"}, {2, "保存"}})
        EXPECT_TRUE(messages[message].starts_with("设置错误: 无法" + std::string(begins) +
                                                  "设置文件 " + path + "："))
            << messages[message];
}

// Edge cases: settings the record cannot keep whole are saved as far as they go, with a box.
TEST_F(WindowSettingsTest, SettingsNotKeptWholeAreToldAtClose)
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
