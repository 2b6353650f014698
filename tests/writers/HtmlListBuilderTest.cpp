#include "writers/HtmlListBuilder.h"

#include "RecordingSurface.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"
#include "platform/LocalFileSystem.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

TEST(HtmlListBuilder, EachBuildReplacesTheFragmentAndAppendsDisplayLines)
{
    RecordingSurface surface;
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
    TemporaryFolder folder;
    LocalFileSystem files;
    HtmlListBuilder fresh(surface);
    fresh.save(files, folder.file("list.html")); // a save before any run
    EXPECT_EQ(folder.read("list.html"), "\r\n");
    builder.MakeHtmlList("a|#|雨😀");
    builder.save(files, folder.file("list.html"));
    const std::string saved = AnsiCodec::encode("<a href=\"a\">雨") + "&#x1F600;</a><br>\r\n";
    EXPECT_EQ(folder.read("list.html"), saved);
}
