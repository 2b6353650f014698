#include "engine/SuggestionRun.h"

#include "FakeTransfer.h"
#include "RecordingSurface.h"
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

namespace {

// The page in the ANSI code page, as a run reads it when the server names no charset.
const std::string kListPage =
    AnsiCodec::encode("<ul class=\"nav\"><li><a href=\"/\">首页</a></li></ul><ol class=\"新闻\">"
                      "<li><a href=\"/n/1.html\">春雨绵绵</a></li><li><a href=\"/n/2.html\">夏日"
                      "炎炎</a></li><li><a href=\"/n/3.html\">秋风习习</a></li></ol>");

struct Case
{
    const char* address;
    std::string body;
    TransferFailure failure;
    SuggestionOutcome outcome;
    std::string message;
    std::string start = {}; // of the proposal handed over; empty: none
};

} // namespace

// Each ending of a press: the strings are handed over only when a list was found.
TEST(SuggestionRun, EndsAsTheAddressAndThePageAllow)
{
    const std::string addressError = "网址错误: 您提供的网页地址无效,无法完成操作！ (16)";
    const char* web = "http://example.com/";
    using enum SuggestionOutcome;
    using enum TransferFailure;
    for (const Case& c : std::vector<Case>{
             {web, kListPage, None, Found, "自动识别: 已识别列表：共3个链接 (64)",
              "<ol class=\"新闻\">"},
             {web, "<p><a href=\"/a.html\">A</a></p>", None, NoList,
              "自动识别: 未找到链接列表 (64)"},
             {"ftp://example.com/", kListPage, None, AddressError, addressError},
             {web, kListPage, TimedOut, AddressError, addressError},
         }) {
        SCOPED_TRACE(c.message + " " + c.address);
        RecordingSurface surface;
        FakeTransfer transfer;
        surface.texts[Field::Address] = c.address;
        transfer.body = c.body;
        surface.onProcessEvents = [&] { transfer.end(c.failure); };
        std::string start;
        SuggestionRun run(surface, transfer, [&](const ListProposal& p) { start = p.start; });
        EXPECT_EQ(run.suggest(), c.outcome);
        EXPECT_EQ(surface.messages, std::vector{c.message});
        EXPECT_EQ(start, c.start);
        EXPECT_FALSE(run.running());
    }
}
