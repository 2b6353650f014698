#include "writers/LinkListReader.h"

#include "writers/AddressRewrite.h"

#include <gtest/gtest.h>

using namespace corvano;

namespace {

std::vector<std::string> flatten(std::string_view list)
{
    std::vector<std::string> out;
    for (const auto& record : LinkListReader::read(list))
        out.push_back(record.address + " | " + record.title);
    return out;
}

} // namespace

// Records and fields
TEST(LinkListReader, SplitsRecordsAndFields)
{
    EXPECT_EQ(flatten("a|#|A,b|#|B,c|#|"), (std::vector<std::string>{"a | A", "b | B", "c | "}));
    EXPECT_TRUE(flatten("").empty());
}

TEST(LinkListReader, IgnoresFieldsAfterTheTitle)
{
    EXPECT_EQ(flatten("a|#|A|#|extra"), (std::vector<std::string>{"a | A"}));
}

// Commas the list cannot escape
TEST(LinkListReader, CommaInATitleStaysInThatTitle)
{
    EXPECT_EQ(flatten("/n/1.html|#|Rain, then sun,/n/2.html|#|Wind"),
              (std::vector<std::string>{"/n/1.html | Rain, then sun", "/n/2.html | Wind"}));
}

TEST(LinkListReader, CommaInTheFirstAddressJoinsTheNextPiece)
{
    EXPECT_EQ(flatten("/a,b,c.html|#|T"), (std::vector<std::string>{"/a,b,c.html | T"}));
}

TEST(LinkListReader, TextWithoutAnyFieldSeparatorHoldsNoRecord)
{
    EXPECT_TRUE(flatten("a,b").empty());
}

// The address rewrite
TEST(AddressRewrite, ReplacesEveryExactOccurrence)
{
    EXPECT_EQ(AddressRewrite::apply("1abc2abc", "abc", "x"), "1x2x");
}

TEST(AddressRewrite, TestIgnoresCaseButReplacementDoesNot)
{
    EXPECT_EQ(AddressRewrite::apply("1ABC2", "abc", "x"), "1ABC2");
    EXPECT_EQ(AddressRewrite::apply("1ABC2abc", "abc", "x"), "1ABC2x");
}

TEST(AddressRewrite, NeedsBothTexts)
{
    EXPECT_EQ(AddressRewrite::apply("1abc2", "abc", ""), "1abc2");
    EXPECT_EQ(AddressRewrite::apply("1abc2", "", "x"), "1abc2");
}
