#include "engine/GenerationRun.h"

#include "FailingFileSystem.h"
#include "FakeTransfer.h"
#include "RecordingSurface.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

namespace {

class RecordingWriters : public LinkListWriters
{
public:
    std::vector<std::string> calls;
    Result result = Result::Written;

    void MakeHtmlList(const std::string& linkList) override { calls.push_back("html " + linkList); }
    Result MakeUrlFiles(const std::string&, const std::string& linkList) override
    {
        calls.push_back("files " + linkList);
        return result;
    }
};

const char* kPage = "<ul>href=\"/a.html\">A</a>href=\"/b.html\">B</a></ul>";

class GenerationRunTest : public ::testing::Test
{
protected:
    GenerationRunTest()
    {
        surface.setText(1, "http://example.com/list.html");
        surface.setText(4, "<ul>");
        surface.setText(5, "</ul>");
        surface.setText(6, ".html");
        transfer.body = kPage;
        // While the run waits, the page arrives on the first round of events.
        surface.onProcessEvents = [this] {
            if (transfer.executing)
                transfer.complete();
        };
    }

    RecordingSurface surface;
    FakeTransfer transfer;
    RecordingWriters writers;
    FailingFileSystem files;
    TemporaryFolder programFolder;
    GenerationRun run{surface, transfer, writers, files, programFolder.path().string()};
};

} // namespace

// The road of a run
TEST_F(GenerationRunTest, FetchesExtractsWritesAndConfirms)
{
    EXPECT_EQ(run.Command3_Click(), RunOutcome::Done);
    EXPECT_EQ(transfer.calls, (std::vector<std::string>{
                                  "AccessType 0", "Protocol 4", "RequestTimeout 5000",
                                  "RemotePort 80", "Execute http://example.com/list.html get"}));
    EXPECT_TRUE(surface.timerOn(RunTimer::Timer3));
    EXPECT_EQ(run.LinkList(), "/a.html|#|A,/b.html|#|B");
    EXPECT_EQ(writers.calls, (std::vector<std::string>{"html /a.html|#|A,/b.html|#|B",
                                                       "files /a.html|#|A,/b.html|#|B"}));
    ASSERT_EQ(surface.messages.size(), 1u);
    EXPECT_EQ(surface.messages[0].text, "恭喜，URL文件生成完毕！");
    EXPECT_EQ(surface.messages[0].title, "URL生成");
    EXPECT_EQ(surface.messages[0].style, MessageStyle::Information);
}

TEST_F(GenerationRunTest, AddressGoesToTheTransferExactlyAsTyped)
{
    surface.setText(1, " see http://example.com/x ");
    run.Command3_Click();
    EXPECT_EQ(transfer.calls.back(), "Execute  see http://example.com/x  get");
}

TEST_F(GenerationRunTest, WaitsThroughEventProcessingUntilTheTransferEnds)
{
    int rounds = 0;
    surface.onProcessEvents = [&] {
        if (++rounds == 3)
            transfer.complete();
    };
    run.Command3_Click();
    EXPECT_EQ(surface.processEventsCalls, 3);
}

TEST_F(GenerationRunTest, DecodesTheFirst65534BytesOnly)
{
    transfer.body = std::string(65530, ' ') + "href=\"/a.html\">A</a>";
    surface.setText(4, "");
    surface.setText(5, "");
    run.Command3_Click();
    EXPECT_EQ(run.PageHtml().size(), 65534u);
    EXPECT_EQ(run.LinkList(), "");
}

TEST_F(GenerationRunTest, DecodesAPageInTheAnsiCodePageByDefault)
{
    transfer.body = AnsiCodec::encode("<ul>href=\"/a.html\">春雨</a></ul>");
    run.Command3_Click();
    EXPECT_EQ(run.LinkList(), "/a.html|#|春雨");
}

// Failures
TEST_F(GenerationRunTest, AddressThatIsNoWebAddressStopsBeforeTheTransfer)
{
    for (const char* address : {"example.com/list.html", "HTTP://EXAMPLE.COM/"}) {
        surface.setText(1, address);
        EXPECT_EQ(run.Command3_Click(), RunOutcome::AddressError);
    }
    EXPECT_TRUE(transfer.calls.empty());
    EXPECT_FALSE(surface.timerOn(RunTimer::Timer3));
    ASSERT_EQ(surface.messages.size(), 2u);
    EXPECT_EQ(surface.messages[0].text, "您提供的网页地址无效,无法完成操作！");
    EXPECT_EQ(surface.messages[0].title, "网址错误");
    EXPECT_EQ(surface.messages[0].style, MessageStyle::Critical);
}

TEST_F(GenerationRunTest, FailedTransferIsAnAddressErrorAndWritesNothing)
{
    surface.onProcessEvents = [this] { transfer.fail(TransferFailure::Failed); };
    EXPECT_EQ(run.Command3_Click(), RunOutcome::AddressError);
    EXPECT_FALSE(run.FetchOk());
    EXPECT_TRUE(writers.calls.empty());
    ASSERT_EQ(surface.messages.size(), 1u);
    EXPECT_EQ(surface.messages[0].title, "网址错误");
    EXPECT_FALSE(std::filesystem::exists(programFolder.path() / "Error_CreateUrl.log"));
}

TEST_F(GenerationRunTest, TimedOutTransferIsLogged)
{
    surface.onProcessEvents = [this] { transfer.fail(TransferFailure::TimedOut); };
    EXPECT_EQ(run.Command3_Click(), RunOutcome::AddressError);
    EXPECT_EQ(
        programFolder.read("Error_CreateUrl.log"),
        AnsiCodec::encode("网址          错误原因\r\n"
                          "http://example.com/list.html          因访问超时而未能生成URL\r\n"));
}

TEST_F(GenerationRunTest, UnwritableLogDoesNotHideTheAddressError)
{
    files.failReplaceNumber(1);
    surface.onProcessEvents = [this] { transfer.fail(TransferFailure::TimedOut); };
    EXPECT_EQ(run.Command3_Click(), RunOutcome::AddressError);
    EXPECT_EQ(surface.messages.size(), 1u);
}

TEST_F(GenerationRunTest, MissingStartStringSendsTheUserToTheStringSettings)
{
    surface.setText(4, "<UL>");
    EXPECT_EQ(run.Command3_Click(), RunOutcome::StringMissing);
    ASSERT_EQ(surface.messages.size(), 1u);
    EXPECT_EQ(surface.messages[0].text, "起始字符串不存在，请新重设置!");
    EXPECT_EQ(surface.messages[0].title, "字符串错误");
    EXPECT_EQ(surface.messages[0].style, MessageStyle::Exclamation);
    EXPECT_EQ(surface.stringSettingsFocus, 4);
    EXPECT_TRUE(writers.calls.empty());
}

TEST_F(GenerationRunTest, MissingEndStringFocusesTheEndField)
{
    surface.setText(5, "</ol>");
    EXPECT_EQ(run.Command3_Click(), RunOutcome::StringMissing);
    EXPECT_EQ(surface.messages.at(0).text, "结束字符串不存在，请新重设置!");
    EXPECT_EQ(surface.stringSettingsFocus, 5);
}

TEST_F(GenerationRunTest, NoLinkPassingTheFilterEndsSilently)
{
    surface.setText(6, ".php");
    EXPECT_EQ(run.Command3_Click(), RunOutcome::NoLinks);
    EXPECT_TRUE(surface.messages.empty());
    EXPECT_TRUE(writers.calls.empty());
    EXPECT_EQ(run.LinkList(), "");
}

TEST_F(GenerationRunTest, FailedWritersGetNoSuccessMessage)
{
    writers.result = LinkListWriters::Result::Failed;
    EXPECT_EQ(run.Command3_Click(), RunOutcome::WriteFailed);
    EXPECT_TRUE(surface.messages.empty());
}

// Runs that overlap
TEST_F(GenerationRunTest, SecondPressWhileWaitingIsIgnored)
{
    RunOutcome inner = RunOutcome::Done;
    surface.onProcessEvents = [&] {
        inner = run.Command3_Click();
        transfer.complete();
    };
    EXPECT_EQ(run.Command3_Click(), RunOutcome::Done);
    EXPECT_EQ(inner, RunOutcome::Ignored);
    EXPECT_EQ(std::count(transfer.calls.begin(), transfer.calls.end(),
                         "Execute http://example.com/list.html get"),
              1);
}

TEST_F(GenerationRunTest, AbortWhileWaitingEndsTheRunQuietly)
{
    surface.onProcessEvents = [this] { run.abort(); };
    EXPECT_EQ(run.Command3_Click(), RunOutcome::Aborted);
    EXPECT_TRUE(surface.messages.empty());
    EXPECT_FALSE(run.running());
}

// Animations
TEST_F(GenerationRunTest, FetchAnimationCountsFiveDotsThenClears)
{
    transfer.executing = true;
    std::vector<std::string> shown;
    for (int tick = 0; tick < 7; ++tick) {
        run.Timer3_Timer();
        shown.push_back(surface.captionOf(StatusLabel::Label4));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{".", "..", "...", "....", ".....", "", "."}));
    EXPECT_EQ(surface.captionOf(StatusLabel::Label3), "获取列表");
}

TEST_F(GenerationRunTest, FetchAnimationStopsItsTimerOnceTheTransferEnded)
{
    surface.setCaption(StatusLabel::Label3, "生成完毕");
    surface.setCaption(StatusLabel::Label4, "...");
    surface.setTimerEnabled(RunTimer::Timer3, true);
    run.Timer3_Timer();
    EXPECT_EQ(surface.captionOf(StatusLabel::Label4), "");
    EXPECT_EQ(surface.captionOf(StatusLabel::Label3), "生成完毕");
    EXPECT_FALSE(surface.timerOn(RunTimer::Timer3));
}

TEST_F(GenerationRunTest, WritingAnimationCountsFourMarksThenClears)
{
    std::vector<std::string> shown;
    for (int tick = 0; tick < 6; ++tick) {
        run.Timer2_Timer();
        shown.push_back(surface.captionOf(StatusLabel::Label4));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{">", ">>", ">>>", ">>>>", "", ">"}));
}
