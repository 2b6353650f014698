#include "GenerationRun.h"

#include "AddressCompletion.h"
#include "LinkExtractor.h"
#include "PageDecoder.h"
#include "PageFetch.h"
#include "RegularExpression.h"
#include "TextSearch.h"
#include "platform/AnsiCodec.h"
#include "platform/FileError.h"

namespace corvano {

namespace {

constexpr const char* kDoneText = "恭喜，URL文件生成完毕！";
constexpr const char* kDoneTitle = "URL生成";
constexpr const char* kStringErrorTitle = "字符串错误";
constexpr const char* kStartMissingText = "起始字符串不存在，请新重设置!";
constexpr const char* kEndMissingText = "结束字符串不存在，请新重设置!";
constexpr const char* kTemplateTitle = "URL文件内容";
constexpr const char* kTemplateQuestion =
    "URL文件内容中没有“URL=”，生成的文件将不含网址。是否使用标准内容？";

// Marks a run in progress for as long as it lasts, whichever way it returns.
class RunningFlag
{
public:
    explicit RunningFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

GenerationRun::GenerationRun(MainSurface& surface, Transfer& transfer, LinkListWriters& writers,
                             FileSystem& files, std::string logFolder)
    : m_surface(surface), m_transfer(transfer), m_writers(writers), m_files(files),
      m_logFolder(std::move(logFolder))
{
    m_transfer.setStateHandler([this](TransferState state) { Inet1_StateChanged(state); });
}

RunOutcome GenerationRun::Command3_Click()
{
    // A press while a run waits for its page is ignored rather than nested.
    if (m_running)
        return RunOutcome::Ignored;
    const RunningFlag running(m_running);
    m_aborted = false;
    return run();
}

RunOutcome GenerationRun::run()
{
    m_fetchOk = true;
    m_linkList.clear();
    // An earlier run's result must not stand for this one's.
    for (const StatusLabel label : {StatusLabel::Label3, StatusLabel::Label4, StatusLabel::Label5})
        m_surface.setCaption(label, "");
    m_address = m_surface.text(Field::Address);
    if (!RegTest(m_address, kAddressPattern))
        return reportAddressError();
    if (!templateReady())
        return RunOutcome::NoAddressInTemplate;

    BeginFetch(m_address, RunTimer::Timer3);
    waitWhileExecuting();
    if (m_aborted)
        return RunOutcome::Aborted;
    if (!m_fetchOk)
        return reportAddressError();

    m_pageHtml =
        PageDecoder::decode(m_transfer.GetChunk(Transfer::kReadSize), m_transfer.contentType());
    const auto extraction =
        LinkExtractor::ExtractLinks(m_pageHtml, m_surface.text(Field::Start),
                                    m_surface.text(Field::End), m_surface.text(Field::Contains));
    m_linkList = extraction.linkList;
    if (extraction.error == LinkExtractor::Error::StartStringMissing)
        return reportMissingString(Field::Start, kStartMissingText);
    if (extraction.error == LinkExtractor::Error::EndStringMissing)
        return reportMissingString(Field::End, kEndMissingText);
    if (m_linkList.empty())
        return RunOutcome::NoLinks;

    m_writers.setAddressBase(AddressCompletion::baseOf(m_pageHtml, m_transfer.effectiveUrl()));
    m_writers.MakeHtmlList(m_linkList);
    switch (m_writers.MakeUrlFiles(m_pageHtml, m_linkList)) {
    case LinkListWriters::Result::Failed:
        return RunOutcome::WriteFailed;
    case LinkListWriters::Result::Skipped:
        return RunOutcome::Extracted;
    case LinkListWriters::Result::Written:
        break;
    }
    m_surface.showMessage(kDoneText, kDoneTitle, MessageStyle::Information);
    return RunOutcome::Done;
}

void GenerationRun::BeginFetch(const std::string& address, RunTimer animationTimer)
{
    waitWhileExecuting();
    PageFetch::begin(m_transfer, address);
    m_surface.setTimerEnabled(animationTimer, true);
}

void GenerationRun::waitWhileExecuting()
{
    while (m_transfer.StillExecuting())
        m_surface.processEvents();
}

void GenerationRun::Inet1_StateChanged(TransferState state)
{
    if (state != TransferState::Error)
        return;
    m_fetchOk = false;
    if (m_transfer.failure() == TransferFailure::TimedOut)
        LogTimeoutError(m_address);
}

void GenerationRun::abort()
{
    if (!m_running)
        return;
    m_aborted = true;
    m_transfer.cancel();
}

// A template without "URL=" would write shortcuts that open nothing: the user chooses between
// the standard content and mending the template before anything is downloaded.
bool GenerationRun::templateReady()
{
    if (!m_writers.writesShortcuts() ||
        m_surface.text(Field::Template).find(kUrlField) != std::string::npos)
        return true;
    const std::string question =
        std::string(kTemplateQuestion) + "\r\n" + std::string(kStandardTemplate);
    if (m_surface.askYesNo(question, kTemplateTitle)) {
        m_surface.setText(Field::Template, kStandardTemplate);
        return true;
    }
    m_surface.focusText(Field::Template);
    return false;
}

// Set before the box, so the status agrees with it while it is open.
void GenerationRun::showFailedStatus()
{
    m_surface.setTimerEnabled(RunTimer::Timer3, false);
    m_surface.setCaption(StatusLabel::Label4, "");
    m_surface.setCaption(StatusLabel::Label3, kFailedStatus);
}

RunOutcome GenerationRun::reportAddressError()
{
    showFailedStatus();
    PageFetch::reportAddressError(m_surface);
    return RunOutcome::AddressError;
}

RunOutcome GenerationRun::reportMissingString(Field field, const char* message)
{
    showFailedStatus();
    m_surface.showMessage(message, kStringErrorTitle, MessageStyle::Exclamation);
    m_surface.showStringSettings(field);
    return RunOutcome::StringMissing;
}

void GenerationRun::AnimateFetchStatus()
{
    PageFetch::animate(m_surface, m_transfer);
}

void GenerationRun::Timer2_Timer()
{
    std::string marks = m_surface.caption(StatusLabel::Label4) + ">";
    if (TextSearch::characterCount(marks) == 5)
        marks.clear();
    m_surface.setCaption(StatusLabel::Label4, marks);
}

void GenerationRun::LogTimeoutError(const std::string& address)
{
    const std::string log = "网址" + std::string(10, ' ') + "错误原因\r\n" + address +
                            std::string(10, ' ') + "因访问超时而未能生成URL\r\n";
    try {
        m_files.replaceFile(m_logFolder + FileSystem::kSeparator + "Error_CreateUrl.log",
                            AnsiCodec::encode(log), FileSystem::Durability::Cached);
    } catch (const FileError&) {
        // The address-error box that follows already tells the user the run failed; a log
        // that cannot be written must not hide it.
    }
}

} // namespace corvano
