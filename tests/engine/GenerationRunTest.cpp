#include "engine/GenerationRun.h"

#include "FailingFileSystem.h"
#include "FakeTransfer.h"
#include "RecordingSurface.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using Lines = std::vector<std::string>;

namespace {

const std::string kAddressError = "网址错误: 您提供的网页地址无效,无法完成操作！ (16)";

class RecordingWriters : public LinkListWriters
{
public:
    Lines calls;
    Result result = Result::Written;
    std::string base;

    void setAddressBase(const std::string& value) override { base = value; }
    void MakeHtmlList(const std::string& list) override { calls.push_back("html " + list); }
    Result MakeUrlFiles(const std::string&, const std::string& list) override
    {
        calls.push_back("files " + list);
        return result;
    }
    bool writesShortcuts() const override { return result != Result::Skipped; }
};

class GenerationRunTest : public ::testing::Test
{
protected:
    GenerationRunTest()
    {
        surface.texts = {"http://example.com/list.html", "", "URL=", "<ul>", "", ".html", "", ""};
        // A page in the ANSI code page, with a second link after the 65534 bytes a run reads.
        transfer.body = head + padding + "href=\"/b.html\">B</a></ul>";
        endTransfersWith(TransferFailure::None);
    }
    // While the run waits, the fetch animation ticks and the transfer ends on the first round.
    void endTransfersWith(TransferFailure failure)
    {
        surface.onProcessEvents = [this, failure] {
            run.Timer3_Timer();
            transfer.end(failure);
        };
    }

    const std::string head = AnsiCodec::encode("<ul>href=\"/a.html\">春雨</a>");
    const std::string padding = std::string(Transfer::kReadSize - head.size(), ' ');
    RecordingSurface surface;
    FakeTransfer transfer;
    RecordingWriters writers;
    FailingFileSystem files;
    TemporaryFolder programFolder;
    GenerationRun run{surface, transfer, writers, files, programFolder.path().string()};
};

} // namespace

// The road of a run
TEST_F(GenerationRunTest, WaitsThroughEventsThenReadsExtractsWritesAndConfirms)
{
    int rounds = 0;
    RunOutcome secondPress = RunOutcome::Done;
    surface.onProcessEvents = [&] {
        secondPress = run.Command3_Click();
        if (++rounds == 3)
            transfer.end();
    };
    EXPECT_EQ(run.Command3_Click(), RunOutcome::Done);
    EXPECT_EQ(rounds, 3);
    EXPECT_EQ(secondPress, RunOutcome::Ignored); // no nested run: one Execute below
    EXPECT_EQ(transfer.executed, Lines{"http://example.com/list.html get"});
    EXPECT_TRUE(surface.timerOn(RunTimer::Timer3));
    EXPECT_EQ(run.PageHtml(), "<ul>href=\"/a.html\">春雨</a>" + padding);
    EXPECT_EQ(writers.calls, (Lines{"html /a.html|#|春雨", "files /a.html|#|春雨"}));
    EXPECT_EQ(surface.messages, Lines{"URL生成: 恭喜，URL文件生成完毕！ (64)"});
    // Relative addresses complete against the page's address after redirects; a <base href>
    // past the part of the page that is read does not count.
    endTransfersWith(TransferFailure::None);
    transfer.redirectedTo = "http://example.com:8080/new/list.html";
    transfer.body = head + padding + "<base href=\"/late/\">";
    EXPECT_EQ(run.Command3_Click(), RunOutcome::Done);
    EXPECT_EQ(writers.base, "http://example.com:8080/new/list.html");
    // No link passing the filter, failed writers and an abort: no success message.
    surface.messages.clear();
    writers.calls.clear();
    surface.setText(Field::Contains, ".php");
    EXPECT_EQ(run.Command3_Click(), RunOutcome::NoLinks);
    surface.setText(Field::Contains, ".html");
    surface.onProcessEvents = [this] { run.abort(); };
    EXPECT_EQ(run.Command3_Click(), RunOutcome::Aborted);
    EXPECT_FALSE(run.running());
    EXPECT_TRUE(writers.calls.empty());
    writers.result = LinkListWriters::Result::Failed;
    endTransfersWith(TransferFailure::None);
    EXPECT_EQ(run.Command3_Click(), RunOutcome::WriteFailed);
    EXPECT_TRUE(surface.messages.empty());
}

// A template without "URL=" is questioned before the download: Yes puts in the standard content,
// No ends the run in the template's box; writers that write no shortcut do not ask
TEST_F(GenerationRunTest, ATemplateWithoutAnAddressIsQuestionedBeforeTheDownload)
{
    const std::string question =
        "URL文件内容: URL文件内容中没有“URL=”，生成的文件将不含网址。是否使用标准内容？\r\n"
        "[InternetShortcut]\r\nURL=";
    surface.setText(Field::Template, "[InternetShortcut]\r\nurl=");
    surface.answers = {false, true};
    EXPECT_EQ(run.Command3_Click(), RunOutcome::NoAddressInTemplate);
    EXPECT_TRUE(transfer.executed.empty());
    EXPECT_EQ(surface.focus, Field::Template);
    EXPECT_EQ(run.Command3_Click(), RunOutcome::Done);
    EXPECT_EQ(surface.text(Field::Template), "[InternetShortcut]\r\nURL=");
    EXPECT_EQ(surface.questions, Lines(2, question));
    surface.setText(Field::Template, "");
    writers.result = LinkListWriters::Result::Skipped;
    EXPECT_EQ(run.Command3_Click(), RunOutcome::Extracted);
    EXPECT_EQ(surface.questions.size(), 2U);
}

// Runs that end in a box: a transfer only of a typed web address, a log only of a time-out,
// nothing written; while the box is open the status is "生成失败", the animation stopped
TEST_F(GenerationRunTest, FailuresShowTheirBoxWithTheFailedStatus)
{
    struct Row
    {
        const char* what;
        Field field;
        const char* text;
        TransferFailure failure;
        RunOutcome outcome;
        std::string message;
        std::optional<Field> focus = {};
    };
    const std::string noStart = "字符串错误: 起始字符串不存在，请新重设置! (48)";
    const std::string noEnd = "字符串错误: 结束字符串不存在，请新重设置! (48)";
    const std::array<std::string, 3> failed{"生成失败", "", ""};
    using enum RunOutcome;
    using enum TransferFailure;
    using enum Field;
    for (const Row& row : std::vector<Row>{
             {"not an address", Address, "example.com/list.html", None, AddressError,
              kAddressError},
             {"failed", Address, " see http://example.com/x ", Failed, AddressError, kAddressError},
             {"start string in another case", Start, "<UL>", None, StringMissing, noStart, Start},
             {"no end string", End, "</ol>", None, StringMissing, noEnd, End},
             {"time-out", Contains, ".html", TimedOut, AddressError, kAddressError},
         }) {
        SCOPED_TRACE(row.what);
        surface = RecordingSurface{};
        surface.texts = {"http://example.com/list.html", "", "URL=", "<ul>", "", ".html", "", ""};
        transfer.executed.clear();
        surface.captions = {"生成完毕", "", "          共生成20个URL文件"};
        surface.setText(row.field, row.text);
        endTransfersWith(row.failure);
        EXPECT_EQ(run.Command3_Click(), row.outcome);
        EXPECT_EQ(surface.messages, Lines{row.message});
        EXPECT_EQ(surface.stringSettingsFocus, row.focus);
        const bool webAddress = surface.text(Field::Address).find("http://") != std::string::npos;
        EXPECT_EQ(transfer.executed,
                  webAddress ? Lines{surface.text(Field::Address) + " get"} : Lines{});
        EXPECT_EQ(std::filesystem::exists(programFolder.file("Error_CreateUrl.log")),
                  std::string_view(row.what) == "time-out");
        EXPECT_TRUE(writers.calls.empty());
        EXPECT_EQ(surface.captionsAtBoxes, (std::vector{failed}));
        run.Timer3_Timer();
        EXPECT_EQ(surface.captions, failed);
        EXPECT_FALSE(surface.timerOn(RunTimer::Timer3));
    }
    EXPECT_EQ(
        programFolder.read("Error_CreateUrl.log"),
        AnsiCodec::encode("网址          错误原因\r\n"
                          "http://example.com/list.html          因访问超时而未能生成URL\r\n"));
    files.failCall(FailingFileSystem::Call::Write, 1);
    EXPECT_EQ(run.Command3_Click(), RunOutcome::AddressError);
    EXPECT_EQ(surface.messages, Lines(2, kAddressError));
}
