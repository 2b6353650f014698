#include "ExitCode.h"
#include "FailingFileSystem.h"
#include "GenerateCommand.h"
#include "LoopbackServer.h"
#include "SuggestCommand.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace corvano;
using namespace corvano::test;

namespace {

class CommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server.serve("/list.html", "<meta charset=\"utf-8\"><ul class=news>"
                                   "<li><a href=\"/n/1.html\">春雨</a><li><a href=\"/n/2.html\">"
                                   "Rain, then sun</a><li><a href=\"/n/x.php\">skip</a></ul>");
        server.serve("/dir/list.html", "<base href=\"/news/\"><ul class=news><a href=\"1.html\">"
                                       "A</a><a href=\"../n/2.html\">B</a></ul>");
        server.serve("/quoted.html", "<meta charset=\"utf-8\"><p><a href=\"/\">home</a></p>"
                                     "<ul class='news'><li><a href=\"/n/1.html\">春雨</a></li>"
                                     "<li><a href=\"/n/2.html\">夏风</a></li><li><a href=\"/n/3."
                                     "html\">秋月</a></li></ul>");
        server.serve("/plain.html", "<p><a href=\"/a.html\">A</a> and <a href=\"/b.html\">B</a>");
        server.routes().Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/dir/list.html");
        });
        server.start();
        options.texts = {"",      target.prefix(), "URL=", "<ul class=news>",
                         "</ul>", ".html",         "/n/",  "//x/n/"};
        options.texts[Field::Address] = server.url("/list.html");
        options.settingsFile = settings.file("db.dat");
    }

    template <typename Command = GenerateCommand> ExitCode run()
    {
        out = {};
        err = {};
        return static_cast<ExitCode>(
            Command(out, err, false, files, ProgramLocations::portable(settings.path().string()))
                .execute(options));
    }

    LoopbackServer server;
    TemporaryFolder target;
    TemporaryFolder settings;
    FailingFileSystem files;
    RecordFile records{files};
    CliOptions options;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

// A dry run or an early end writes nothing; the HTML list follows the shortcuts (exit 4 if not)
TEST_F(CommandTest, DryRunListsTheLinksAndARunWritesTheFilesAndTheHtmlList)
{
    options.dryRun = true;
    options.htmlFile = target.file("list.html");
    EXPECT_EQ(run(), ExitCode::Ok);
    EXPECT_EQ(out.str(), "春雨        //x/n/1.html\nRain, then sun        //x/n/2.html\n");
    EXPECT_TRUE(std::filesystem::is_empty(target.path()));
    EXPECT_FALSE(std::filesystem::exists(options.settingsFile)); // not even an empty one
    options.dryRun = false;
    options.texts[Field::Template] = "[InternetShortcut]"; // a terminal never puts in URL=
    EXPECT_EQ(run(), ExitCode::Usage);
    EXPECT_TRUE(err.str().starts_with("URL文件内容中没有“URL=”")) << err.str();
    options.texts[Field::Template] = "URL=";
    options.texts[Field::Contains] = ".asp";
    EXPECT_EQ(run(), ExitCode::NoLinks);
    EXPECT_EQ(out.str() + err.str(), "");
    options.texts[Field::Contains] = ".html";
    EXPECT_TRUE(std::filesystem::is_empty(target.path()));
    options.htmlFile = target.file("no/such/folder/list.html");
    EXPECT_EQ(run(), ExitCode::WriteFailed);
    EXPECT_NE(err.str().find(options.htmlFile), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(target.path() / "Rain, then sun.url"));
    options.htmlFile = target.file("list.html");
    EXPECT_EQ(run(), ExitCode::Ok);
    EXPECT_EQ(out.str(), "共生成2个URL文件\nURL生成: 恭喜，URL文件生成完毕！\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(target.read("list.html"),
              AnsiCodec::encode("<a href=\"//x/n/1.html\">春雨</a><br>"
                                "<a href=\"//x/n/2.html\">Rain, then sun</a><br>\r\n"));
}

// The record file: texts not given come from it, --save writes them back (the completion box
// too) whatever the outcome; one that cannot be read or written exits 5
TEST_F(CommandTest, TextsAndCompletionStartFromTheRecordFileAndSaveWritesThemBack)
{
    options.texts[Field::Address] = "not an address";
    options.texts[Field::Contains] = ".asp";
    options.completeAddresses = true;
    options.save = true;
    EXPECT_EQ(run(), ExitCode::AddressError);
    options.texts = {};
    options.completeAddresses.reset();
    options.save = false;
    EXPECT_EQ(run(), ExitCode::AddressError);
    EXPECT_EQ(SavedSettings::load(records, options.settingsFile)[Field::Template], "URL=");
    // Relative addresses completed against the page reached through a redirect and its <base>.
    options.texts[Field::Address] = server.url("/moved");
    options.texts[Field::Contains] = ".html";
    options.texts[Field::OldText] = options.texts[Field::NewText] = "";
    options.dryRun = true;
    EXPECT_EQ(run(), ExitCode::Ok);
    EXPECT_EQ(out.str(), "A        " + server.url("/news/1.html") + "\nB        " +
                             server.url("/n/2.html") + "\n");
    EXPECT_EQ(SavedSettings::load(records, options.settingsFile)[Field::Contains], ".asp");
    options.dryRun = false;
    options.texts[Field::Address] = server.url("/list.html");
    options.save = true;
    files.failCall(FailingFileSystem::Call::Write, 3); // two shortcut files, then the record file
    EXPECT_EQ(run(), ExitCode::SettingsFailed);
    EXPECT_NE(err.str().find("磁盘已满"), std::string::npos); // no space left
    EXPECT_EQ(target.read("春雨.url"), "URL=" + server.url("/n/1.html") + "\r\n");
    std::filesystem::remove(options.settingsFile);
    std::filesystem::create_directory(options.settingsFile); // a folder: unreadable as a file
    EXPECT_EQ(run(), ExitCode::SettingsFailed);
    EXPECT_NE(err.str().find(options.settingsFile), std::string::npos);
}

// The options line, quoted for the shell, and --save keeps the texts: found ones or as given
TEST_F(CommandTest, SuggestPrintsTheOptionsAndSavesThemOnlyWhenAListIsFound)
{
    options.suggest = options.save = true;
    options.texts[Field::Start] = "<ol>";
    options.texts[Field::Address] = server.url("/plain.html");
    EXPECT_EQ(run<SuggestCommand>(), ExitCode::NoLinks);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(err.str().starts_with("自动识别: 未找到链接列表\n")) << err.str();
    EXPECT_EQ(SavedSettings::load(records, options.settingsFile)[Field::Start], "<ol>");
    options.texts[Field::Address] = server.url("/quoted.html");
    EXPECT_EQ(run<SuggestCommand>(), ExitCode::Ok);
    EXPECT_EQ(out.str(), "--start '<ul class='\\''news'\\''>' --end '</ul>' --contains '/n/'\n");
    const auto saved = SavedSettings::load(records, options.settingsFile);
    EXPECT_EQ(saved[Field::Start] + " " + saved[Field::End] + " " + saved[Field::Contains],
              "<ul class='news'> </ul> /n/");
    EXPECT_EQ(saved[Field::Address], server.url("/quoted.html"));
}
