#include "engine/RegularExpression.h"

#include <gtest/gtest.h>

using namespace corvano;

// The address pattern
TEST(RegTest, AcceptsTextThatHoldsAWebAddress)
{
    EXPECT_TRUE(RegTest("http://a.b", kAddressPattern));
    EXPECT_TRUE(RegTest("http://a-b.c-d/x y?z=1", kAddressPattern));
    EXPECT_TRUE(RegTest("see http://a.b", kAddressPattern));
    EXPECT_TRUE(RegTest("http://127.0.0.1:8080/list.html", kAddressPattern));
}

TEST(RegTest, RejectsTextWithoutOne)
{
    EXPECT_FALSE(RegTest("http://localhost/", kAddressPattern));
    EXPECT_FALSE(RegTest("https://a.b", kAddressPattern));
    EXPECT_FALSE(RegTest("HTTP://A.B", kAddressPattern));
    EXPECT_FALSE(RegTest("http://例子.测试", kAddressPattern));
    EXPECT_FALSE(RegTest("", kAddressPattern));
}

// Edge cases
TEST(RegTest, SurvivesAVeryLongAddress)
{
    // A backtracking engine that recurses per character overflows the stack here.
    const std::string address = "http://a.b/" + std::string(200000, 'x');
    EXPECT_TRUE(RegTest(address, kAddressPattern));
}

TEST(RegTest, SearchesTextThatIsNotWellFormedUtf8)
{
    EXPECT_TRUE(RegTest("\xFF\xFE http://a.b", kAddressPattern));
}

// The file-name pattern
TEST(RegReplace, ReplacesEveryForbiddenCharacterWithOneHyphen)
{
    EXPECT_EQ(RegReplace("a/b?c", kFileNamePattern), "a-b-c");
    EXPECT_EQ(RegReplace("a:b", kFileNamePattern), "a-b");
    EXPECT_EQ(RegReplace(R"(\/:*?"<>|)", kFileNamePattern), "---------");
    EXPECT_EQ(RegReplace("abc", kFileNamePattern), "abc");
    EXPECT_EQ(RegReplace("", kFileNamePattern), "");
}

TEST(RegReplace, ReplacesControlCharactersAndKeepsChinese)
{
    EXPECT_EQ(RegReplace("雨\r\n天\t好\x7F", kFileNamePattern), "雨--天-好-");
}
