#include "platform/AnsiCodec.h"

#include "platform/CharsetDecoder.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

using namespace corvano;

// The code page
TEST(AnsiCodec, RoundTripsChineseThroughGbk)
{
    const std::string gbk = AnsiCodec::encode("中文ABC");
    EXPECT_EQ(gbk, "\xD6\xD0\xCE\xC4"
                   "ABC");
    EXPECT_EQ(AnsiCodec::decode(gbk), "中文ABC");
}

TEST(AnsiCodec, FallbacksForCharactersGbkLacks)
{
    EXPECT_EQ(AnsiCodec::encode("a😀b"), "a?b");
    EXPECT_EQ(AnsiCodec::encode("a😀b", AnsiCodec::Fallback::PercentUtf8), "a%F0%9F%98%80b");
    EXPECT_EQ(AnsiCodec::encode("a😀b", AnsiCodec::Fallback::CharacterReference), "a&#x1F600;b");
}

TEST(AnsiCodec, IllFormedInputBecomesAFallbackNotAnError)
{
    EXPECT_EQ(AnsiCodec::encode("a\xFF"
                                "b"),
              "a?b");
}

TEST(AnsiCodec, TruncateNeverSplitsADoubleByteCharacter)
{
    const std::string gbk = AnsiCodec::encode("a中文");
    EXPECT_EQ(AnsiCodec::truncate(gbk, 4), AnsiCodec::encode("a中"));
    EXPECT_EQ(AnsiCodec::truncate(gbk, 2), "a");
    EXPECT_EQ(AnsiCodec::truncate(gbk, 100), gbk);
}

// Decoding named charsets
TEST(CharsetDecoder, ReplacesBadBytesAndDropsACutOffTail)
{
    EXPECT_EQ(CharsetDecoder::decode("a\xFF"
                                     "b",
                                     "UTF-8"),
              "a\uFFFD"
              "b");
    EXPECT_EQ(CharsetDecoder::decode("ab\xE4\xB8", "UTF-8"), "ab");
    EXPECT_EQ(CharsetDecoder::decode("ab\xD6", "GBK"), "ab");
    EXPECT_FALSE(CharsetDecoder::decode("ab", "no-such-charset"));
}

TEST(CharsetDecoder, OutputIsAlwaysWellFormed)
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    for (const char* charset : {"UTF-8", "GBK", "UTF-16LE", "ISO-8859-1"})
        EXPECT_TRUE(Utf8::isValid(*CharsetDecoder::decode(bytes, charset))) << charset;
}
