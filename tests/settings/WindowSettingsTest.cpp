#include "settings/WindowSettings.h"

#include "FailingFileSystem.h"
#include "RecordingSurface.h"
#include "TemporaryFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

namespace {

class WindowSettingsTest : public ::testing::Test
{
protected:
    // A window reopened on the same db.dat.
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
    std::vector<std::string> messages;
};

} // namespace

// A db.dat that can be neither read nor replaced: one box each, and the window goes on.
TEST_F(WindowSettingsTest, AFileThatCannotBeReadOrWrittenIsToldOnce)
{
    std::filesystem::create_directory(path); // a folder in its place
    window.texts[Field::Address] = "http://a/";
    EXPECT_EQ(reopen().texts, SavedSettings::Texts{});
    close();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].starts_with("设置错误: 无法读取设置文件 " + path + "："))
        << messages[0];
    EXPECT_TRUE(messages[0].ends_with("上次保存的设置未能恢复。 (48)")) << messages[0];
    EXPECT_TRUE(messages[1].starts_with("设置错误: 无法保存设置文件 " + path + "："))
        << messages[1];
}

// What the window shows at close comes back at the next load; a failed write keeps it
TEST_F(WindowSettingsTest, AFailedWriteKeepsTheSettingsSavedBefore)
{
    EXPECT_EQ(reopen().texts, SavedSettings::Texts{}); // the first start
    window.texts = {"http://old/", "D:\\链接\\", "URL=", "<ul>", "</ul>", ".html", "/n/", "/x/"};
    window.completeAddresses = true;
    close();
    EXPECT_EQ(reopen().texts, window.texts);
    EXPECT_TRUE(reopen().completeAddresses);
    EXPECT_EQ(messages, std::vector<std::string>{});
    window.texts[Field::Address] = "http://new/";
    files.failReplaceNumber(1);
    close();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].find("本次输入的设置没有保存。") != std::string::npos) << messages[0];
    EXPECT_EQ(reopen().texts[Field::Address], "http://old/");
}

// Edge cases: settings the record cannot keep whole are saved as far as they go, with a box.
TEST_F(WindowSettingsTest, SettingsNotKeptWholeAreToldAtClose)
{
    const struct
    {
        std::string template_;
        std::string message;
    } cases[] = {
        {std::string(700, 'x'),
         "设置错误: 设置共 714 字节，超过了设置文件能保存的 600 字节，超出的部分没有保存。 (48)"},
        {"表情😀", "设置错误: 设置中有系统编码无法表示的字符，保存时已换成“?”。 (48)"},
        {std::string(700, 'x') + "😀", "设置错误: 设置共 715 字节"},
        {std::string(586, 'x'), ""}, // exactly the 600 bytes a record keeps
        {"正好", ""},
    };
    for (const auto& [template_, message] : cases) {
        window.texts[Field::Template] = template_;
        close();
        const std::string shown = messages.empty() ? "" : messages.back();
        EXPECT_EQ(shown.empty(), message.empty()) << shown;
        EXPECT_TRUE(shown.starts_with(message)) << shown;
        EXPECT_LE(messages.size(), 1u);
        messages.clear();
    }
    EXPECT_EQ(reopen().texts[Field::Template], "正好");
}
