#include "platform/AnsiCodec.h"

#include "platform/CharsetDecoder.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

using namespace corvano;

// The code page (the writers' and record file's tests show the other fallbacks and the cut)
TEST(AnsiCodec, RoundTripsChineseThroughGbkAndMarksTheRest)
{
    EXPECT_EQ(AnsiCodec::encode("中文 ABC"), "\xD6\xD0\xCE\xC4 ABC");
    EXPECT_EQ(AnsiCodec::decode("\xD6\xD0\xCE\xC4 ABC"), "中文 ABC");
    EXPECT_EQ(AnsiCodec::encode("a😀b\xFF"), "a?b?");
}

// A template file must be real UTF-8: an overlong form could smuggle in a "/" or a "<".
TEST(Utf8, AcceptsOnlyShortestForms)
{
    EXPECT_TRUE(Utf8::isValid("\xC2\x80 \xE4\xB8\xAD"));
    for (const char* overlong : {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF"})
        EXPECT_FALSE(Utf8::isValid(overlong)) << overlong;
}

// Decoding named charsets
TEST(CharsetDecoder, ReplacesBadBytesDropsACutOffTailAndAlwaysYieldsUtf8)
{
    EXPECT_EQ(CharsetDecoder::decode("a\xFF-b", "UTF-8"), "a\uFFFD-b");
    EXPECT_EQ(CharsetDecoder::decode("ab\xE4\xB8", "UTF-8"), "ab");
    EXPECT_EQ(CharsetDecoder::decode("ab\xD6", "GBK"), "ab");
    EXPECT_FALSE(CharsetDecoder::decode("ab", "no-such-charset"));
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    for (const char* charset : {"UTF-8", "GBK", "UTF-16LE", "ISO-8859-1"})
        EXPECT_TRUE(Utf8::isValid(*CharsetDecoder::decode(bytes, charset))) << charset;
    // An ill-formed unit of UTF-16 or UTF-32 is replaced whole; the text after it reads in step.
    using namespace std::string_literals;
    for (const auto& [charset, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"UTF-16LE", "a\0\x00\xDC"
                          "b\0"s}, // a lone low surrogate
             {"UTF-16LE", "a\0\x00\xD8"
                          "b\0"s},                  // a high surrogate with no low one
             {"UTF-16", "\xFE\xFF\0a\xDC\x00\0b"s}, // the mark's byte order holds on
             {"UTF-32LE", "a\0\0\0\0\0\x11\0b\0\0\0"s},
         })
        EXPECT_EQ(CharsetDecoder::decode(bytes, charset), "a\uFFFDb") << charset;
}
