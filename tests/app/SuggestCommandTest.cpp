#include "SuggestCommand.h"

#include "ExitCode.h"
#include "FailingFileSystem.h"
#include "LoopbackServer.h"
#include "TemporaryFolder.h"
#include "settings/SavedSettings.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace corvano;
using namespace corvano::test;

namespace {

class SuggestCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server.serve("/list.html", "<meta charset=\"utf-8\"><p><a href=\"/\">home</a></p>"
                                   "<ul class='news'><li><a href=\"/n/1.html\">春雨</a></li>"
                                   "<li><a href=\"/n/2.html\">夏风</a></li><li><a href=\"/n/3."
                                   "html\">秋月</a></li></ul>");
        server.serve("/plain.html", "<p><a href=\"/a.html\">A</a> and <a href=\"/b.html\">B</a>");
        server.start();
        options.settingsFile = settings.file("db.dat");
        options.suggest = true;
    }

    ExitCode run(const std::string& path)
    {
        out = {};
        err = {};
        options.texts[Field::Address] = server.url(path);
        return static_cast<ExitCode>(
            SuggestCommand(out, err, false, files,
                           ProgramLocations::portable(settings.path().string()))
                .execute(options));
    }

    LoopbackServer server;
    TemporaryFolder settings;
    FailingFileSystem files;
    RecordFile records{files};
    CliOptions options;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

// The options line, quoted for the shell, and with --save the three texts kept; without a
// proposal nothing on stdout, the reason on stderr and the texts saved as given
TEST_F(SuggestCommandTest, PrintsTheOptionsAndSavesThemOnlyWhenAListIsFound)
{
    options.texts[Field::Start] = "<ol>";
    options.save = true;
    EXPECT_EQ(run("/plain.html"), ExitCode::NoLinks);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(err.str().starts_with("自动识别: 未找到链接列表\n")) << err.str();
    EXPECT_EQ(run("/missing.html"), ExitCode::AddressError);
    EXPECT_TRUE(err.str().starts_with("网址错误: 您提供的网页地址无效,无法完成操作！\n"));
    EXPECT_EQ(SavedSettings::load(records, options.settingsFile)[Field::Start], "<ol>");
    EXPECT_EQ(run("/list.html"), ExitCode::Ok);
    EXPECT_EQ(out.str(), "--start '<ul class='\\''news'\\''>' --end '</ul>' --contains '/n/'\n");
    const auto saved = SavedSettings::load(records, options.settingsFile);
    EXPECT_EQ(saved[Field::Start] + " " + saved[Field::End] + " " + saved[Field::Contains],
              "<ul class='news'> </ul> /n/");
    EXPECT_EQ(saved[Field::Address], server.url("/list.html"));
}
