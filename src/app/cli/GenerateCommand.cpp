#include "GenerateCommand.h"

#include "CliSurface.h"
#include "CommandSettings.h"
#include "DryRunWriters.h"
#include "ExitCode.h"
#include "engine/GenerationRun.h"
#include "platform/FileError.h"
#include "platform/PlatformTransfer.h"
#include "platform/ProgramLocations.h"
#include "settings/SavedSettings.h"
#include "writers/OutputWriters.h"
#include "writers/WriteFailure.h"

namespace corvano {

namespace {

constexpr const char* kNoAddressInTemplate =
    "URL文件内容中没有“URL=”，生成的文件将不含网址：请用 --template 给出含“URL=”的内容，"
    "如 $'[InternetShortcut]\\nURL='";

} // namespace

int GenerateCommand::execute(const CliOptions& options)
{
    CommandSettings settings(m_files, m_locations, options);
    if (!settings.load(!options.dryRun, m_err))
        return static_cast<int>(ExitCode::SettingsFailed);
    int exitCode = generate(settings.values(), options);
    if (!settings.saveIfAsked(m_err))
        exitCode = static_cast<int>(ExitCode::SettingsFailed);
    return exitCode;
}

int GenerateCommand::generate(const SavedSettings::Values& values, const CliOptions& options)
{
    CliSurface surface(m_out, m_err, m_showProgress);
    for (const Field field : kFields)
        surface.setText(field, values.texts[field]);
    surface.setCompletesAddresses(values.completeAddresses);
    PlatformTransfer transfer(surface.events(), options.idleLimit);
    DryRunWriters dryRun(surface);
    OutputWriters output(surface, m_files, m_locations.fallbackFolder());
    LinkListWriters& writers = options.dryRun ? static_cast<LinkListWriters&>(dryRun) : output;
    GenerationRun run(surface, transfer, writers, m_files, m_locations.logFolder());
    surface.setTimerHandler(RunTimer::Timer2, [&run] { run.Timer2_Timer(); });
    surface.setTimerHandler(RunTimer::Timer3, [&run] { run.Timer3_Timer(); });

    const RunOutcome outcome = run.Command3_Click();
    surface.finishProgress();
    if (outcome == RunOutcome::AddressError && transfer.failure() != TransferFailure::None)
        m_err << transfer.failureText() << '\n';
    if (outcome == RunOutcome::Extracted)
        printLines(m_out, surface.text9());
    if (outcome == RunOutcome::NoAddressInTemplate)
        m_err << kNoAddressInTemplate << '\n';
    int exitCode = exitCodeOf(outcome);
    if (!options.htmlFile.empty() && output.reachedUrlFiles() &&
        !saveHtml(output.html(), run.LinkList(), m_files, options.htmlFile, surface))
        exitCode = static_cast<int>(ExitCode::WriteFailed);
    return exitCode;
}

bool GenerateCommand::saveHtml(HtmlListBuilder& html, const std::string& linkList,
                               FileSystem& files, const std::string& path, MainSurface& surface)
{
    // As the save button does: rebuild from the current list and texts, then write.
    html.MakeHtmlList(linkList);
    try {
        html.save(files, path);
        return true;
    } catch (const FileError& error) {
        WriteFailure::report(surface, error);
        return false;
    }
}

void GenerateCommand::printLines(std::ostream& stream, const std::string& crlfText)
{
    for (const char c : crlfText) {
        if (c != '\r')
            stream << c;
    }
    stream << std::flush;
}

int GenerateCommand::exitCodeOf(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Done:
    case RunOutcome::Extracted:
        return static_cast<int>(ExitCode::Ok);
    case RunOutcome::NoLinks:
    case RunOutcome::Ignored:
    case RunOutcome::Aborted:
        return static_cast<int>(ExitCode::NoLinks);
    case RunOutcome::AddressError:
        return static_cast<int>(ExitCode::AddressError);
    case RunOutcome::StringMissing:
        return static_cast<int>(ExitCode::StringMissing);
    case RunOutcome::WriteFailed:
        return static_cast<int>(ExitCode::WriteFailed);
    case RunOutcome::NoAddressInTemplate:
        return static_cast<int>(ExitCode::Usage);
    }
    return static_cast<int>(ExitCode::NoLinks);
}

} // namespace corvano
