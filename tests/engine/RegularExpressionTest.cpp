#include "engine/RegularExpression.h"

#include <gtest/gtest.h>

using namespace corvano;

// The address pattern: case-sensitive, unanchored, ASCII \w
TEST(RegTest, FindsAWebAddressAnywhereInTheText)
{
    for (const char* text : {"http://a.b", "http://a-b.c-d/x y?z=1", "see http://a.b",
                             "http://127.0.0.1:8080/list.html", "\xFF\xFE http://a.b"})
        EXPECT_TRUE(RegTest(text, kAddressPattern)) << text;
    for (const char* text :
         {"http://localhost/", "https://a.b", "HTTP://A.B", "http://例子.测试", ""})
        EXPECT_FALSE(RegTest(text, kAddressPattern)) << text;
    // A backtracking engine that recurses per character overflows the stack here.
    EXPECT_TRUE(RegTest("http://a.b/" + std::string(200000, 'x'), kAddressPattern));
    // The file-name pattern: every forbidden or control character becomes one hyphen.
    for (const auto& [title, name] :
         std::vector<std::pair<std::string, std::string>>{{"a/b?c", "a-b-c"},
                                                          {R"(\/:*?"<>|)", "---------"},
                                                          {"雨\r\n天\t好\x7F", "雨--天-好-"},
                                                          {"abc", "abc"},
                                                          {"", ""}})
        EXPECT_EQ(RegReplace(title, kFileNamePattern), name) << title;
}
