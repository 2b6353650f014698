#include "engine/PageDecoder.h"

#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;

// The declared charset, else a byte-order mark, else a meta element, else the ANSI code page
TEST(PageDecoder, DecodesByTheFirstCharsetFound)
{
    const std::string gbk = AnsiCodec::encode("春雨");
    const std::string meta =
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">春雨";
    for (const auto& [bytes, type, text] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"<meta charset=gbk>春雨", "text/html; charset=UTF-8", "<meta charset=gbk>春雨"},
             {gbk, "text/html; charset=\"gb2312\"", "春雨"},
             {"\xEF\xBB\xBF春雨", "", "春雨"},
             {std::string("\xFF\xFE\x25\x66", 4), "", "春"},
             {meta, "text/html", meta},
             {gbk, "text/html", "春雨"},
             {gbk, "text/html; charset=klingon", "春雨"},
             // A character cut off at the end is dropped.
             {std::string("春雨").substr(0, 5), "text/html; charset=utf-8", "春"},
         })
        EXPECT_EQ(PageDecoder::decode(bytes, type), text) << type;
}

// Edge cases
TEST(PageDecoder, MetaCountsOnlyInTheFirst1024BytesAndWithAValue)
{
    const std::string meta = "<meta charset=\"utf-8\">";
    EXPECT_EQ(PageDecoder::charsetOf(std::string(1000, ' ') + meta, ""), "utf-8");
    EXPECT_EQ(PageDecoder::charsetOf(std::string(1100, ' ') + meta, ""), "GBK");
    EXPECT_EQ(PageDecoder::charsetOf("<meta name=charset>", "text/html"), "GBK");
}
