#include "writers/HtmlListBuilder.h"

#include "FailingFileSystem.h"
#include "RecordingSurface.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

TEST(HtmlListBuilder, BuildsEntriesAndDisplayLinesInListOrder)
{
    RecordingSurface surface;
    HtmlListBuilder builder(surface);
    builder.MakeHtmlList("a|#|A,b|#|B");
    EXPECT_EQ(builder.HtmlList(), "<a href=\"a\">A</a><br><a href=\"b\">B</a><br>");
    EXPECT_EQ(surface.text9, "A        a\r\nB        b\r\n");
}

TEST(HtmlListBuilder, EveryBuildAppendsToText9AndReplacesTheFragment)
{
    RecordingSurface surface;
    HtmlListBuilder builder(surface);
    builder.MakeHtmlList("a|#|A");
    builder.MakeHtmlList("a|#|A");
    EXPECT_EQ(builder.HtmlList(), "<a href=\"a\">A</a><br>");
    EXPECT_EQ(surface.text9, "A        a\r\nA        a\r\n");
}

TEST(HtmlListBuilder, UsesTheRewriteTextsOfTheMoment)
{
    RecordingSurface surface;
    surface.setText(7, "/n/");
    surface.setText(8, "http://x.cn/n/");
    HtmlListBuilder builder(surface);
    builder.MakeHtmlList("/n/1.html|#|T");
    EXPECT_EQ(builder.HtmlList(), "<a href=\"http://x.cn/n/1.html\">T</a><br>");
}

TEST(HtmlListBuilder, QuoteInAnAddressCannotOpenAnAttribute)
{
    RecordingSurface surface;
    HtmlListBuilder builder(surface);
    builder.MakeHtmlList("a\" onclick=\"x|#|<b>&");
    EXPECT_EQ(builder.HtmlList(), "<a href=\"a&quot; onclick=&quot;x\"><b>&</a><br>");
}

// The saved file
TEST(HtmlListBuilder, SavesGbkWithCrLfAndReferencesForWhatGbkLacks)
{
    RecordingSurface surface;
    TemporaryFolder folder;
    LocalFileSystem files;
    HtmlListBuilder builder(surface);
    builder.MakeHtmlList("a|#|雨😀");
    builder.save(files, folder.file("list"));
    EXPECT_EQ(folder.read("list"), AnsiCodec::encode("<a href=\"a\">雨") + "&#x1F600;</a><br>\r\n");
}

TEST(HtmlListBuilder, SaveBeforeAnyRunWritesOnlyALineBreak)
{
    RecordingSurface surface;
    TemporaryFolder folder;
    LocalFileSystem files;
    HtmlListBuilder builder(surface);
    builder.MakeHtmlList("");
    builder.save(files, folder.file("empty.html"));
    EXPECT_EQ(folder.read("empty.html"), "\r\n");
    EXPECT_EQ(surface.text9, "");
}

TEST(HtmlListBuilder, FailedSaveKeepsTheOldFile)
{
    RecordingSurface surface;
    TemporaryFolder folder;
    folder.write("list.html", "old");
    FailingFileSystem files;
    files.failReplaceNumber(1);
    HtmlListBuilder builder(surface);
    builder.MakeHtmlList("a|#|A");
    EXPECT_THROW(builder.save(files, folder.file("list.html")), FileError);
    EXPECT_EQ(folder.read("list.html"), "old");
}
