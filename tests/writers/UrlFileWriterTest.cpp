#include "writers/UrlFileWriter.h"

#include "FailingFileSystem.h"
#include "RecordingSurface.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

namespace {

class UrlFileWriterTest : public ::testing::Test
{
protected:
    UrlFileWriterTest()
    {
        surface.setText(2, target.prefix());
        surface.setText(3, "[InternetShortcut]\r\nURL=");
    }

    bool write(const std::string& list) { return writer.MakeUrlFiles("<page>", list); }
    std::size_t filesIn(const TemporaryFolder& folder) const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.path()), {}));
    }

    RecordingSurface surface;
    TemporaryFolder target;
    TemporaryFolder programFolder;
    FailingFileSystem files;
    UrlFileWriter writer{surface, files, programFolder.path().string()};
};

} // namespace

// Content and names
TEST_F(UrlFileWriterTest, WritesTheTemplateWithTheAddressInGbkAndCrLf)
{
    ASSERT_TRUE(write("http://x.cn/1.html|#|春雨"));
    EXPECT_EQ(target.read("春雨.url"), "[InternetShortcut]\r\nURL=http://x.cn/1.html\r\n");
}

TEST_F(UrlFileWriterTest, FillsEveryUrlFieldAndOnlyTheUpperCaseOne)
{
    surface.setText(3, "URL=\r\nurl=\r\n\xE6\x98\xA5URL=");
    ASSERT_TRUE(write("a|#|t"));
    EXPECT_EQ(target.read("t.url"), "URL=a\r\nurl=\r\n" + AnsiCodec::encode("春") + "URL=a\r\n");
}

TEST_F(UrlFileWriterTest, TemplateWithoutFieldAndEmptyTemplate)
{
    surface.setText(3, "plain");
    ASSERT_TRUE(write("a|#|t"));
    EXPECT_EQ(target.read("t.url"), "plain\r\n");
    surface.setText(3, "");
    ASSERT_TRUE(write("a|#|t"));
    EXPECT_EQ(target.read("t.url"), "\r\n");
}

TEST_F(UrlFileWriterTest, NamesComeFromTitlesWithForbiddenCharactersReplaced)
{
    ASSERT_TRUE(write("a|#|a/b,b|#|,c|#|x\ny"));
    EXPECT_TRUE(std::filesystem::exists(target.path() / "a-b.url"));
    EXPECT_TRUE(std::filesystem::exists(target.path() / ".url"));
    EXPECT_TRUE(std::filesystem::exists(target.path() / "x-y.url"));
}

TEST_F(UrlFileWriterTest, RewritesAddressesAndStripsLineBreaksFromThem)
{
    surface.setText(7, "/n/");
    surface.setText(8, "http://x.cn/n/");
    ASSERT_TRUE(write("/n/1.html\r\nIconFile=evil|#|t"));
    EXPECT_EQ(target.read("t.url"),
              "[InternetShortcut]\r\nURL=http://x.cn/n/1.htmlIconFile=evil\r\n");
}

TEST_F(UrlFileWriterTest, AddressCharactersGbkLacksArePercentEncoded)
{
    ASSERT_TRUE(write("http://x.cn/😀|#|t"));
    EXPECT_EQ(target.read("t.url"), "[InternetShortcut]\r\nURL=http://x.cn/%F0%9F%98%80\r\n");
}

TEST_F(UrlFileWriterTest, LongTitleIsShortenedAtACharacterBoundary)
{
    std::string title;
    for (int i = 0; i < 100; ++i)
        title += "雨"; // 300 bytes of UTF-8
    ASSERT_TRUE(write("a|#|" + title));
    const auto entry = *std::filesystem::directory_iterator(target.path());
    const std::string name = entry.path().filename().string();
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name, title.substr(0, 251 / 3 * 3) + ".url");
}

// Count, overwrite and labels
TEST_F(UrlFileWriterTest, SameTitleOverwritesAndCountsEveryRecord)
{
    ASSERT_TRUE(write("first|#|t,second|#|t"));
    EXPECT_EQ(filesIn(target), 1u);
    EXPECT_EQ(target.read("t.url"), "[InternetShortcut]\r\nURL=second\r\n");
    EXPECT_EQ(surface.captionOf(StatusLabel::Label5), "          共生成2个URL文件");
    EXPECT_EQ(surface.captionOf(StatusLabel::Label3), "生成完毕");
    EXPECT_EQ(surface.captionOf(StatusLabel::Label4), "");
    EXPECT_FALSE(surface.timerOn(RunTimer::Timer2));
    EXPECT_EQ(surface.log.front(), "caption 3 正在生成");
}

TEST_F(UrlFileWriterTest, EmptyPageChangesNothing)
{
    EXPECT_TRUE(writer.MakeUrlFiles("", "a|#|t"));
    EXPECT_EQ(filesIn(target), 0u);
    EXPECT_TRUE(surface.log.empty());
}

// The target folder
TEST_F(UrlFileWriterTest, FolderTextIsAPrefixUsedAsTyped)
{
    std::filesystem::create_directory(target.path() / "links");
    surface.setText(2, target.file("links"));
    ASSERT_TRUE(write("a|#|t"));
    EXPECT_TRUE(std::filesystem::exists(target.path() / "linkst.url"));
}

TEST_F(UrlFileWriterTest, MissingFolderFallsBackToTheProgramFolder)
{
    surface.setText(2, target.file("missing") + "/");
    ASSERT_TRUE(write("a|#|t"));
    EXPECT_EQ(programFolder.read("t.url"), "[InternetShortcut]\r\nURL=a\r\n");
}

TEST_F(UrlFileWriterTest, TitlesCannotLeaveTheTargetFolder)
{
    const std::string longName(300, '.');
    ASSERT_TRUE(write("a|#|..,b|#|../x,c|#|/etc/x,d|#|....,e|#|   ,f|#|" + longName));
    for (const char* name : {"...url", "..-x.url", "-etc-x.url", ".....url", "   .url"})
        EXPECT_TRUE(std::filesystem::exists(target.path() / name)) << name;
    EXPECT_TRUE(std::filesystem::exists(target.path() / (std::string(251, '.') + ".url")));
    EXPECT_EQ(filesIn(target), 6u);
    EXPECT_EQ(filesIn(programFolder), 0u);
}

// Failures
TEST_F(UrlFileWriterTest, FailedWriteStopsTheRunAndKeepsEarlierFiles)
{
    target.write("b.url", "old b");
    files.failReplaceNumber(2);
    EXPECT_FALSE(write("1|#|a,2|#|b,3|#|c"));
    EXPECT_EQ(target.read("a.url"), "[InternetShortcut]\r\nURL=1\r\n");
    EXPECT_EQ(target.read("b.url"), "old b");
    EXPECT_FALSE(std::filesystem::exists(target.path() / "c.url"));
    ASSERT_EQ(surface.messages.size(), 1u);
    EXPECT_NE(surface.messages[0].text.find(target.file("b.url")), std::string::npos);
    EXPECT_NE(surface.messages[0].text.find("No space left on device"), std::string::npos);
    EXPECT_EQ(surface.messages[0].style, MessageStyle::Critical);
    EXPECT_FALSE(surface.timerOn(RunTimer::Timer2));
    EXPECT_EQ(surface.captionOf(StatusLabel::Label4), "");
    EXPECT_EQ(surface.captionOf(StatusLabel::Label5), "");
}

TEST_F(UrlFileWriterTest, ImpossiblePathIsReportedNotThrown)
{
    target.write("file", "x");
    surface.setText(2, target.file("file") + "/");
    // The text names no folder, so the files go to the program folder; make that impossible.
    UrlFileWriter stuck{surface, files, target.file("file")};
    EXPECT_FALSE(stuck.MakeUrlFiles("<page>", "a|#|t"));
    EXPECT_EQ(surface.messages.size(), 1u);
}
