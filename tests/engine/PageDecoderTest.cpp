#include "engine/PageDecoder.h"

#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;

namespace {

const std::string kGbkText = AnsiCodec::encode("春雨");

} // namespace

// Where the charset comes from
TEST(PageDecoder, DeclaredCharsetWinsOverTheMeta)
{
    EXPECT_EQ(PageDecoder::decode("<meta charset=gbk>春雨", "text/html; charset=UTF-8"),
              "<meta charset=gbk>春雨");
    EXPECT_EQ(PageDecoder::decode(kGbkText, "text/html; charset=\"gb2312\""), "春雨");
}

TEST(PageDecoder, ByteOrderMarkIsUsedAndDropped)
{
    EXPECT_EQ(PageDecoder::decode("\xEF\xBB\xBF春雨", ""), "春雨");
    EXPECT_EQ(PageDecoder::decode(std::string("\xFF\xFE\x25\x66", 4), ""), "春");
}

TEST(PageDecoder, MetaInTheFirst1024BytesIsHonoured)
{
    EXPECT_EQ(PageDecoder::decode("<META HTTP-EQUIV=\"Content-Type\" "
                                  "CONTENT=\"text/html; charset=utf-8\">春雨",
                                  "text/html"),
              "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">春雨");
    const std::string late = std::string(1100, ' ') + "<meta charset=\"utf-8\">";
    EXPECT_EQ(PageDecoder::charsetOf(late, ""), "GBK");
}

TEST(PageDecoder, FallsBackToTheAnsiCodePage)
{
    EXPECT_EQ(PageDecoder::decode(kGbkText, "text/html"), "春雨");
    EXPECT_EQ(PageDecoder::decode(kGbkText, "text/html; charset=klingon"), "春雨");
}

// Edge cases
TEST(PageDecoder, CutOffCharacterAtTheEndIsDropped)
{
    const std::string cut = std::string("春雨").substr(0, 5);
    EXPECT_EQ(PageDecoder::decode(cut, "text/html; charset=utf-8"), "春");
}

TEST(PageDecoder, CharsetWordWithoutAValueIsIgnored)
{
    EXPECT_EQ(PageDecoder::charsetOf("<meta name=charset>", "text/html"), "GBK");
}
