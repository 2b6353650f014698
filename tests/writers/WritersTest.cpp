#include "FailingFileSystem.h"
#include "RecordingSurface.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"
#include "writers/HtmlListBuilder.h"
#include "writers/UrlFileWriter.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using Names = std::set<std::string>;
using Captions = std::array<std::string, 3>;

namespace {

class WritersTest : public ::testing::Test
{
protected:
    WritersTest() { surface.texts = {"", target.prefix(), "URL=", "", "", "", "/n/", "//x/n/"}; }
    bool write(const std::string& list) { return writer.MakeUrlFiles("<page>", list); }

    RecordingSurface surface;
    TemporaryFolder target;
    TemporaryFolder programFolder;
    FailingFileSystem files;
    UrlFileWriter writer{surface, files, programFolder.path().string()};
};

} // namespace

// Content: the template with the address after every "URL=", in GBK, with CR LF at the end
TEST_F(WritersTest, FillsTheTemplateWithTheRewrittenCleanedAddress)
{
    for (const auto& [contentTemplate, address, content] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"URL=\r\nurl=\r\n春URL=", "/n/1", "URL=//x/n/1\r\nurl=\r\n\xB4\xBAURL=//x/n/1\r\n"},
             {"plain", "a", "plain\r\n"},
             {"", "a", "\r\n"},
             // Characters GBK lacks are percent-encoded; tab, CR and LF cannot add lines.
             {"URL=", "/😀\r\n\tIconFile=evil", "URL=/%F0%9F%98%80IconFile=evil\r\n"},
         }) {
        surface.setText(Field::Template, contentTemplate);
        ASSERT_TRUE(write(address + "|#|t"));
        EXPECT_EQ(target.read("t.url"), content) << address;
    }
    // Completion, when asked for, follows the rewrite: "/n/1" is "//x/n/1" by then.
    surface.completeAddresses = true;
    writer.setAddressBase("http://example.com/list/page.html");
    ASSERT_TRUE(write("/n/1|#|a,2.html|#|b"));
    EXPECT_EQ(target.read("a.url") + target.read("b.url"),
              "URL=http://x/n/1\r\nURL=http://example.com/list/2.html\r\n");
}

// Names: from the title, never outside the target folder, never too long
TEST_F(WritersTest, NamesComeFromTitlesAndStayInTheTargetFolder)
{
    std::string rain;
    for (int i = 0; i < 100; ++i)
        rain += "雨"; // 300 bytes of UTF-8
    const std::string dots(300, '.');
    const std::string list = "1|#|春雨,2|#|a/b,3|#|,4|#|x\ny,5|#|..,6|#|../x,7|#|/etc/x,8|#|....";
    ASSERT_TRUE(write(list + ",9|#|   ,a|#|" + dots + ",b|#|" + rain));
    EXPECT_EQ(target.names(), (Names{"春雨.url", "a-b.url", ".url", "x-y.url", "...url", "..-x.url",
                                     "-etc-x.url", ".....url", "   .url",
                                     dots.substr(0, 251) + ".url", rain.substr(0, 249) + ".url"}));
    EXPECT_TRUE(programFolder.names().empty());
    // Device names: Windows would open the device, so "-" follows the part before the first dot.
    for (const auto& [title, name] : std::vector<std::pair<std::string, std::string>>{
             {"CON", "CON-.url"},
             {"con.txt", "con-.txt.url"},
             {"Aux.", "Aux-..url"},
             {"com1", "com1-.url"},
             {"COM9.a.b", "COM9-.a.b.url"},
             // Spaces before the dot are dropped by Windows; the superscript ports and the
             // console's two halves are devices too.
             {"CON ", "CON- .url"},
             {"nul  .txt", "nul-  .txt.url"},
             {"COM\u00B9", "COM\u00B9-.url"},
             {"lpt\u00B3.x", "lpt\u00B3-.x.url"},
             {"CONOUT$ ", "CONOUT$- .url"},
         })
        EXPECT_EQ(UrlFileWriter::fileNameOf(title, 255), name) << title;
    // Edge cases: names that only look like devices stay as they are.
    for (const std::string title :
         {"COM0", "LPT10", "CONSOLE", "x.CON", " CON", "CO", "COM\u2074", "CONIN", "CON -", ""})
        EXPECT_EQ(UrlFileWriter::fileNameOf(title, 255), title + ".url") << title;
    // The mark stays within the folder's limit: the name is cut one byte more to make room.
    EXPECT_EQ(UrlFileWriter::fileNameOf("con.txt", 11), "con-.tx.url");
    EXPECT_EQ(UrlFileWriter::fileNameOf("CON", 7), "CO.url");
    EXPECT_EQ(UrlFileWriter::fileNameOf("CON", 8), "CON-.url");
}

// Count, overwrite, labels, and the target folder: a prefix used as typed, else the program's
TEST_F(WritersTest, SameTitleOverwritesEveryRecordCountsAndAMissingFolderFallsBack)
{
    EXPECT_TRUE(writer.MakeUrlFiles("", "a|#|t")); // no page: nothing changes
    EXPECT_EQ(surface.captions, Captions{});
    ASSERT_TRUE(write("first|#|t,second|#|t"));
    EXPECT_EQ(target.names(), Names{"t.url"});
    EXPECT_EQ(target.read("t.url"), "URL=second\r\n");
    EXPECT_EQ(surface.captions, (Captions{"生成完毕", "", "          共生成2个URL文件"}));
    EXPECT_FALSE(surface.timerOn(RunTimer::Timer2));
    std::filesystem::create_directory(target.path() / "t");
    surface.setText(Field::Folder, target.file("t"));
    ASSERT_TRUE(write("a|#|t"));
    EXPECT_EQ(target.read("tt.url"), "URL=a\r\n");
    // The name prefix takes its share of the name limit.
    ASSERT_TRUE(write("a|#|" + std::string(300, 'x')));
    EXPECT_EQ(target.read("t" + std::string(250, 'x') + ".url"), "URL=a\r\n");
    surface.setText(Field::Folder, target.file("missing") + "/");
    ASSERT_TRUE(write("b|#|t"));
    EXPECT_EQ(programFolder.read("t.url"), "URL=b\r\n");
}

// A failed write or close stops the run, keeping earlier files and the old one under the name
TEST_F(WritersTest, FailedWriteOrCloseStopsTheRunAndKeepsEarlierFiles)
{
    using Call = FailingFileSystem::Call;
    target.write("b.url", "old b");
    for (const auto& [call, reason] :
         {std::pair{Call::Write, "磁盘已满"}, {Call::Close, "输入/输出错误"}}) {
        SCOPED_TRACE(reason);
        std::filesystem::remove(target.file("a.url"));
        surface.messages.clear();
        files.failCall(call, 2);
        EXPECT_FALSE(write("1|#|a,2|#|b,3|#|c"));
        EXPECT_EQ(target.names(), (Names{"a.url", "b.url"}));
        EXPECT_EQ(target.read("a.url") + target.read("b.url"), "URL=1\r\nold b");
        EXPECT_EQ(surface.messages,
                  std::vector<std::string>{"文件错误: 无法写入文件 " + target.file("b.url") + "：" +
                                           reason + " (16)"});
        // The status agrees with the box while it is open.
        EXPECT_EQ(surface.captionsAtBoxes.back(), (Captions{"生成失败", "", ""}));
        EXPECT_FALSE(surface.timerOn(RunTimer::Timer2));
    }
    EXPECT_EQ(files.count(Call::Sync), 0);
    // A path the system cannot create (the fallback folder is a file) is reported too.
    surface.setText(Field::Folder, target.file("b.url") + "/");
    UrlFileWriter stuck{surface, files, target.file("b.url")};
    EXPECT_FALSE(stuck.MakeUrlFiles("<page>", "a|#|t"));
    EXPECT_EQ(surface.messages.size(), 2u);
}

// The HTML list: each build replaces the fragment and appends display lines
TEST_F(WritersTest, EachHtmlListReplacesTheFragmentAndAppendsDisplayLines)
{
    HtmlListBuilder builder(surface);
    builder.MakeHtmlList("a|#|A,b|#|B");
    EXPECT_EQ(builder.HtmlList(), "<a href=\"a\">A</a><br><a href=\"b\">B</a><br>");
    // The rewrite texts of the moment apply; a quote cannot open an attribute.
    surface.setText(Field::OldText, "/n/");
    surface.setText(Field::NewText, "http://x.cn/n/");
    builder.MakeHtmlList("/n/1\" onclick=\"x|#|<b>&");
    EXPECT_EQ(builder.HtmlList(), "<a href=\"http://x.cn/n/1&quot; onclick=&quot;x\"><b>&</a><br>");
    EXPECT_EQ(surface.text9,
              "A        a\r\nB        b\r\n<b>&        http://x.cn/n/1\" onclick=\"x\r\n");
    // The saved file: GBK with references for what GBK lacks, CR LF.
    HtmlListBuilder fresh(surface);
    fresh.save(files, target.file("list.html")); // a save before any run
    EXPECT_EQ(target.read("list.html"), "\r\n");
    builder.MakeHtmlList("a|#|雨😀");
    builder.save(files, target.file("list.html"));
    const std::string saved = AnsiCodec::encode("<a href=\"a\">雨") + "&#x1F600;</a><br>\r\n";
    EXPECT_EQ(target.read("list.html"), saved);
}
