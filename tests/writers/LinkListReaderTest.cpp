#include "writers/LinkListReader.h"

#include "writers/AddressRewrite.h"

#include <gtest/gtest.h>

using namespace corvano;

// Records, fields, and the commas the list cannot escape
TEST(LinkListReader, SplitsRecordsAndKeepsCommasInsideTheirRecord)
{
    using Records = std::vector<std::string>;
    for (const auto& [list, records] : std::vector<std::pair<std::string, Records>>{
             {"a|#|A,b|#|B,c|#|", {"a | A", "b | B", "c | "}},
             {"", {}},
             {"a|#|A|#|extra", {"a | A"}},
             {"/n/1.html|#|Rain, then sun,/n/2.html|#|Wind",
              {"/n/1.html | Rain, then sun", "/n/2.html | Wind"}},
             {"/a,b,c.html|#|T", {"/a,b,c.html | T"}},
             {"a,b", {}},
         }) {
        Records read;
        for (const auto& record : LinkListReader::read(list))
            read.push_back(record.address + " | " + record.title);
        EXPECT_EQ(read, records) << list;
    }
    // The address rewrite: the test ignores letter case, the replacement does not.
    for (const auto& [address, from, to, rewritten] :
         std::vector<std::tuple<std::string, std::string, std::string, std::string>>{
             {"1abc2abc", "abc", "x", "1x2x"},
             {"1ABC2", "abc", "x", "1ABC2"},
             {"1ABC2abc", "abc", "x", "1ABC2x"},
             {"1abc2", "abc", "", "1abc2"},
             {"1abc2", "", "x", "1abc2"},
         })
        EXPECT_EQ(AddressRewrite::apply(address, from, to), rewritten) << address;
}
