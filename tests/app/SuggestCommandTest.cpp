#include "SuggestCommand.h"

#include "ExitCode.h"
#include "LoopbackServer.h"
#include "TemporaryFolder.h"
#include "platform/LocalFileSystem.h"
#include "settings/SavedSettings.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace corvano;
using namespace corvano::test;

// The options line, quoted for the shell, and --save keeps the texts: found ones or as given
TEST(SuggestCommandTest, PrintsTheOptionsAndSavesThemOnlyWhenAListIsFound)
{
    LoopbackServer server;
    server.serve("/list.html", "<meta charset=\"utf-8\"><p><a href=\"/\">home</a></p>"
                               "<ul class='news'><li><a href=\"/n/1.html\">春雨</a></li>"
                               "<li><a href=\"/n/2.html\">夏风</a></li><li><a href=\"/n/3."
                               "html\">秋月</a></li></ul>");
    server.serve("/plain.html", "<p><a href=\"/a.html\">A</a> and <a href=\"/b.html\">B</a>");
    server.start();
    TemporaryFolder settings;
    LocalFileSystem files;
    RecordFile records{files};
    CliOptions options;
    options.settingsFile = settings.file("db.dat");
    options.suggest = true;
    std::ostringstream out, err;
    const auto run = [&](const std::string& path) {
        out.str("");
        err.str("");
        options.texts[Field::Address] = server.url(path);
        const auto locations = ProgramLocations::portable(settings.path().string());
        return static_cast<ExitCode>(
            SuggestCommand(out, err, false, files, locations).execute(options));
    };
    options.texts[Field::Start] = "<ol>";
    options.save = true;
    EXPECT_EQ(run("/plain.html"), ExitCode::NoLinks);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(err.str().starts_with("自动识别: 未找到链接列表\n")) << err.str();
    EXPECT_EQ(SavedSettings::load(records, options.settingsFile)[Field::Start], "<ol>");
    EXPECT_EQ(run("/list.html"), ExitCode::Ok);
    EXPECT_EQ(out.str(), "--start '<ul class='\\''news'\\''>' --end '</ul>' --contains '/n/'\n");
    const auto saved = SavedSettings::load(records, options.settingsFile);
    EXPECT_EQ(saved[Field::Start] + " " + saved[Field::End] + " " + saved[Field::Contains],
              "<ul class='news'> </ul> /n/");
    EXPECT_EQ(saved[Field::Address], server.url("/list.html"));
}
