#pragma once

#include "LinkListWriters.h"
#include "MainSurface.h"
#include "platform/FileSystem.h"
#include "platform/Transfer.h"

#include <string>

namespace corvano {

enum class RunOutcome
{
    Done,
    NoLinks,
    AddressError,
    StringMissing,
    WriteFailed,
    Extracted, // the writers chose to write nothing (a dry run)
    Ignored,   // a press while a run was already in progress
    Aborted,
    NoAddressInTemplate, // the template holds no "URL=" and the user kept it
};

// One press of the generate button, from the address check to the final message.
class GenerationRun
{
public:
    GenerationRun(MainSurface& surface, Transfer& transfer, LinkListWriters& writers,
                  FileSystem& files, std::string logFolder);
    GenerationRun(const GenerationRun&) = delete;
    GenerationRun& operator=(const GenerationRun&) = delete;

    RunOutcome Command3_Click();
    void Timer2_Timer();
    void Timer3_Timer() { AnimateFetchStatus(); }
    void AnimateFetchStatus();
    void LogTimeoutError(const std::string& address);
    // Ends a run that waits for its page: the transfer is cancelled and the run returns.
    void abort();

    bool running() const { return m_running; }
    bool FetchOk() const { return m_fetchOk; }
    const std::string& PageHtml() const { return m_pageHtml; }
    const std::string& LinkList() const { return m_linkList; }

private:
    RunOutcome run();
    void BeginFetch(const std::string& address, RunTimer animationTimer);
    void waitWhileExecuting();
    void Inet1_StateChanged(TransferState state);
    bool templateReady();
    void showFailedStatus();
    RunOutcome reportAddressError();
    RunOutcome reportMissingString(Field field, const char* message);

    MainSurface& m_surface;
    Transfer& m_transfer;
    LinkListWriters& m_writers;
    FileSystem& m_files;
    std::string m_logFolder; // takes Error_CreateUrl.log

    bool m_fetchOk = true;
    std::string m_pageHtml;
    std::string m_linkList;
    std::string m_address;
    bool m_running = false;
    bool m_aborted = false;
};

} // namespace corvano
