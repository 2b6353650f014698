#include "GenerateCommand.h"

#include "ExitCode.h"
#include "FailingFileSystem.h"
#include "LoopbackServer.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace corvano;
using namespace corvano::test;

namespace {

const std::string kPage = "<html><head><meta charset=\"utf-8\"></head><body><ul class=news>"
                          "<li><a href=\"/n/1.html\">春雨</a></li>"
                          "<li><a href=\"/n/2.html\">Rain, then sun</a></li>"
                          "<li><a href=\"/n/x.php\">skip</a></li></ul></body></html>";

class GenerateCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server.routes().Get("/list.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(kPage, "text/html");
        });
        server.start();
        options.texts[0] = server.url("/list.html");
        options.texts[1] = target.prefix();
        options.texts[2] = "[InternetShortcut]\r\nURL=";
        options.texts[3] = "<ul class=news>";
        options.texts[4] = "</ul>";
        options.texts[5] = ".html";
        options.texts[6] = "/n/";
        options.texts[7] = "http://x.cn/n/";
        options.settingsFile = settings.file("db.dat");
    }

    int run()
    {
        out.str("");
        err.str("");
        return GenerateCommand(out, err, false, files).execute(options);
    }

    LoopbackServer server;
    TemporaryFolder target;
    TemporaryFolder settings;
    FailingFileSystem files;
    CliOptions options;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

// Runs that succeed
TEST_F(GenerateCommandTest, WritesTheFilesAndPrintsTheResult)
{
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(out.str(), "共生成2个URL文件\nURL生成: 恭喜，URL文件生成完毕！\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(target.read("春雨.url"), "[InternetShortcut]\r\nURL=http://x.cn/n/1.html\r\n");
    EXPECT_EQ(target.read("Rain, then sun.url"),
              "[InternetShortcut]\r\nURL=http://x.cn/n/2.html\r\n");
}

TEST_F(GenerateCommandTest, DryRunListsTheLinksAndWritesNothing)
{
    options.dryRun = true;
    options.htmlFile = target.file("list.html");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(out.str(), "春雨        http://x.cn/n/1.html\n"
                         "Rain, then sun        http://x.cn/n/2.html\n");
    EXPECT_TRUE(std::filesystem::is_empty(target.path()));
}

TEST_F(GenerateCommandTest, SavesTheHtmlListAsTheSaveButtonDoes)
{
    options.htmlFile = target.file("list.html");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(target.read("list.html"),
              AnsiCodec::encode("<a href=\"http://x.cn/n/1.html\">春雨</a><br>"
                                "<a href=\"http://x.cn/n/2.html\">Rain, then sun</a><br>\r\n"));
}

// Runs that end early, by exit status
TEST_F(GenerateCommandTest, NoLinkPassingTheFilterExitsOne)
{
    options.texts[5] = ".asp";
    options.htmlFile = target.file("list.html");
    EXPECT_EQ(run(), static_cast<int>(ExitCode::NoLinks));
    EXPECT_EQ(out.str() + err.str(), "");
    EXPECT_FALSE(std::filesystem::exists(target.path() / "list.html"));
}

TEST_F(GenerateCommandTest, UnreachablePageIsAnAddressError)
{
    options.texts[0] = server.url("/missing.html");
    EXPECT_EQ(run(), static_cast<int>(ExitCode::AddressError));
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind("网址错误: 您提供的网页地址无效,无法完成操作！\n", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(target.path()));
}

TEST_F(GenerateCommandTest, MissingStartStringExitsThree)
{
    options.texts[3] = "<ol>";
    EXPECT_EQ(run(), static_cast<int>(ExitCode::StringMissing));
    EXPECT_EQ(err.str(), "字符串错误: 起始字符串不存在，请新重设置!\n");
}

TEST_F(GenerateCommandTest, UnwritableHtmlFileExitsFourAndKeepsTheShortcuts)
{
    options.htmlFile = target.file("no/such/folder/list.html");
    EXPECT_EQ(run(), static_cast<int>(ExitCode::WriteFailed));
    EXPECT_NE(err.str().find(options.htmlFile), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(target.path() / "春雨.url"));
}

TEST_F(GenerateCommandTest, EmptyFolderTextWritesIntoTheWorkingFolder)
{
    options.texts[1] = "";
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(target.path());
    const int code = run();
    std::filesystem::current_path(previous);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(std::filesystem::exists(target.path() / "春雨.url"));
}

// The record file
TEST_F(GenerateCommandTest, TextsStartFromTheRecordFileAndOptionsReplaceThem)
{
    RecordFile records(files);
    SavedSettings::Texts saved;
    saved[0] = *options.texts[0];
    saved[5] = ".asp";
    SavedSettings::save(records, options.settingsFile, saved);
    options.texts[5].reset();
    options.dryRun = true;
    EXPECT_EQ(run(), static_cast<int>(ExitCode::NoLinks));
    options.texts[5] = ".html";
    EXPECT_EQ(run(), 0);
}

TEST_F(GenerateCommandTest, SaveWritesTheTextsBackWhateverTheOutcome)
{
    options.texts[0] = "not an address";
    options.save = true;
    EXPECT_EQ(run(), static_cast<int>(ExitCode::AddressError));
    RecordFile records(files);
    const auto texts = SavedSettings::load(records, options.settingsFile);
    EXPECT_EQ(texts[0], "not an address");
    EXPECT_EQ(texts[2], "[InternetShortcut]\r\nURL=");
}

TEST_F(GenerateCommandTest, UnreadableRecordFileExitsFiveBeforeAnyRun)
{
    files.failReadsOf(options.settingsFile);
    EXPECT_EQ(run(), static_cast<int>(ExitCode::SettingsFailed));
    EXPECT_NE(err.str().find(options.settingsFile), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(target.path()));
}

TEST_F(GenerateCommandTest, UnwritableRecordFileExitsFiveAfterTheRun)
{
    options.save = true;
    files.failReplaceNumber(3); // two shortcut files, then the record file
    EXPECT_EQ(run(), static_cast<int>(ExitCode::SettingsFailed));
    EXPECT_NE(err.str().find("No space left on device"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(target.path() / "春雨.url"));
}
