#include "engine/PageDecoder.h"

#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace std::string_literals;

namespace {

// ASCII text as UTF-16, for pages built in the tests.
std::string utf16(std::string_view ascii, bool bigEndian)
{
    std::string out;
    for (const char c : ascii)
        out += bigEndian ? "\0"s + c : c + "\0"s;
    return out;
}

} // namespace

// A byte-order mark, else the Content-Type, else a meta element, else the ANSI code page
TEST(PageDecoder, DecodesByTheFirstCharsetFound)
{
    const std::string gbk = AnsiCodec::encode("春雨");
    const std::string meta =
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">春雨";
    const std::string link = "<a href=\"/x\">x</a>";
    for (const auto& [bytes, type, text] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"<meta charset=gbk>春雨", "text/html; charset=UTF-8", "<meta charset=gbk>春雨"},
             {gbk, "text/html; charset=\"gb2312\"", "春雨"},
             {"\xEF\xBB\xBF春雨", "", "春雨"},
             {"\xFF\xFE\x25\x66"s, "", "春"},
             {meta, "text/html", meta},
             {gbk, "text/html", "春雨"},
             // A character cut off at the end is dropped.
             {std::string("春雨").substr(0, 5), "text/html; charset=utf-8", "春"},
             // The mark decides, whatever the header or a meta element says.
             {"\xFE\xFF" + utf16(link, true), "text/html; charset=utf-16", link},
             {"\xFF\xFE" + utf16(link, false), "text/html; charset=utf-16be", link},
             {"\xEF\xBB\xBF<meta charset=gbk>春", "text/html; charset=big5",
              "<meta charset=gbk>春"},
             // A bad unit costs one character, not the rest of the page.
             {"\xFF\xFE\x00\xDC"s + utf16(link, false), "", "\uFFFD" + link},
         })
        EXPECT_EQ(PageDecoder::decode(bytes, type), text) << type;
    // Labels as browsers read them: names of GBK (in any case, with spaces) read the characters
    // only GBK has; Latin-1 pages are windows-1252; encodings that can hide markup from a filter
    // give one replacement character for the whole page; an unknown label counts for nothing.
    const std::string gbkOnly = AnsiCodec::encode("镕碁");
    EXPECT_EQ(PageDecoder::decode(gbkOnly, "text/html; charset= GB2312\t"), "镕碁");
    EXPECT_EQ(PageDecoder::decode("<meta charset=x-gbk>" + gbkOnly, ""),
              "<meta charset=x-gbk>镕碁");
    EXPECT_EQ(PageDecoder::decode("\x80", "text/html; charset=iso-8859-1"), "€");
    EXPECT_EQ(PageDecoder::decode("<a href=x>", "text/html; charset=iso-2022-kr"), "\uFFFD");
    EXPECT_EQ(PageDecoder::charsetOf("x", "text/html; charset=utf-32"), "GBK");
    // Meta elements: only a charset attribute or the content of http-equiv="Content-Type" count.
    for (const auto& [head, name] : std::vector<std::pair<std::string, std::string>>{
             {"<meta name=\"description\" content=\"charset detection demo\">"
              "<meta charset=\"utf-8\">",
              "UTF-8"},
             {"<meta content='text/html; charset=utf-8' http-equiv=\"content-type\">", "UTF-8"},
             {"<meta http-equiv=Content-Type content=\"text/html;charset = sjis\">", "Shift_JIS"},
             {"<meta charset = ' latin1 ' >", "windows-1252"},
             {"<meta content=\"text/html; charset=utf-8\" charset=big5>", "Big5"},
             // A page read this far as ASCII is not UTF-16, whatever it says.
             {"<meta charset=utf-16be>", "UTF-8"},
             {"<meta charset=klingon><meta charset=utf-8>", "UTF-8"},
             // Edge cases: no declaration at all
             {"<meta http-equiv=\"refresh\" content=\"0; charset=utf-8\">", "GBK"},
             {"<!-- <meta charset=\"utf-8\"> -->", "GBK"},
             {"<a title='<meta charset=\"utf-8\">'>", "GBK"},
             {"<metadata charset=utf-8>", "GBK"},
             {std::string(1100, ' ') + "<meta charset=\"utf-8\">", "GBK"},
             {std::string(1000, ' ') + "<meta charset=\"utf-8\">", "UTF-8"},
         })
        EXPECT_EQ(PageDecoder::charsetOf(head, "text/html"), name) << head;
}
