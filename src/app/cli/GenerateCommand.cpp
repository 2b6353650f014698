#include "GenerateCommand.h"

#include "CliSurface.h"
#include "DryRunWriters.h"
#include "ExitCode.h"
#include "engine/GenerationRun.h"
#include "platform/FileError.h"
#include "platform/PlatformTransfer.h"
#include "platform/ProgramLocations.h"
#include "settings/SavedSettings.h"
#include "settings/SettingsFailure.h"
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
    RecordFile records(m_files);
    // A dry run writes nothing, unless its texts are to be saved: no folder, and no empty
    // record file where none was (reading one makes it).
    const bool writes = !options.dryRun || options.save;
    if (writes)
        m_locations.createFolders();
    const std::string settingsPath =
        options.settingsFile.empty() ? m_locations.settingsFile() : options.settingsFile;
    SavedSettings::Values saved;
    try {
        if (writes || m_files.exists(settingsPath))
            saved = SavedSettings::loadValues(records, settingsPath);
    } catch (const FileError& error) {
        m_err << SettingsFailure::kTitle << ": " << SettingsFailure::readText(error) << '\n';
        return static_cast<int>(ExitCode::SettingsFailed);
    }
    for (const Field field : kFields) {
        if (options.texts[field])
            saved.texts[field] = *options.texts[field];
    }
    saved.completeAddresses = options.completeAddresses.value_or(saved.completeAddresses);
    int exitCode = generate(saved, options);
    if (options.save && !saveSettings(records, settingsPath, saved))
        exitCode = static_cast<int>(ExitCode::SettingsFailed);
    return exitCode;
}

bool GenerateCommand::saveSettings(RecordFile& records, const std::string& path,
                                   const SavedSettings::Values& values)
{
    try {
        SavedSettings::save(records, path, values.texts, values.completeAddresses);
        return true;
    } catch (const FileError& error) {
        m_err << SettingsFailure::kTitle << ": " << SettingsFailure::saveText(error) << '\n';
        return false;
    }
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
