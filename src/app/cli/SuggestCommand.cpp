#include "SuggestCommand.h"

#include "CliSurface.h"
#include "ExitCode.h"
#include "engine/ListProposal.h"
#include "engine/SuggestionRun.h"
#include "platform/FileError.h"
#include "platform/PlatformTransfer.h"
#include "settings/SavedSettings.h"
#include "settings/SettingsFailure.h"

#include <optional>

namespace corvano {

int SuggestCommand::execute(const CliOptions& options)
{
    RecordFile records(m_files);
    m_locations.createFolders();
    const std::string settingsPath =
        options.settingsFile.empty() ? m_locations.settingsFile() : options.settingsFile;
    SavedSettings::Values values;
    try {
        values = SavedSettings::loadValues(records, settingsPath);
    } catch (const FileError& error) {
        m_err << SettingsFailure::kTitle << ": " << SettingsFailure::readText(error) << '\n';
        return static_cast<int>(ExitCode::SettingsFailed);
    }
    for (const Field field : kFields) {
        if (options.texts[field])
            values.texts[field] = *options.texts[field];
    }
    values.completeAddresses = options.completeAddresses.value_or(values.completeAddresses);

    // stdout carries the options line alone; every box of the run goes to stderr.
    CliSurface surface(m_err, m_err, m_showProgress);
    surface.setText(Field::Address, values.texts[Field::Address]);
    PlatformTransfer transfer(surface.events(), options.idleLimit);
    std::optional<ListProposal> found;
    SuggestionRun run(surface, transfer, [&found](const ListProposal& p) { found = p; });
    surface.setTimerHandler(RunTimer::Timer3, [&run] { run.Timer3_Timer(); });
    const SuggestionOutcome outcome = run.suggest();
    surface.finishProgress();

    int exitCode = static_cast<int>(ExitCode::NoLinks);
    if (found) {
        m_out << optionsLine(*found) << '\n' << std::flush;
        values.texts[Field::Start] = found->start;
        values.texts[Field::End] = found->end;
        values.texts[Field::Contains] = found->contains;
        exitCode = static_cast<int>(ExitCode::Ok);
    } else if (outcome == SuggestionOutcome::AddressError) {
        if (transfer.failure() != TransferFailure::None)
            m_err << transfer.failureText() << '\n';
        exitCode = static_cast<int>(ExitCode::AddressError);
    }
    if (options.save) {
        try {
            SavedSettings::save(records, settingsPath, values.texts, values.completeAddresses);
        } catch (const FileError& error) {
            m_err << SettingsFailure::kTitle << ": " << SettingsFailure::saveText(error) << '\n';
            exitCode = static_cast<int>(ExitCode::SettingsFailed);
        }
    }
    return exitCode;
}

std::string SuggestCommand::optionsLine(const ListProposal& proposal)
{
    return "--start " + shellQuoted(proposal.start) + " --end " + shellQuoted(proposal.end) +
           " --contains " + shellQuoted(proposal.contains);
}

std::string SuggestCommand::shellQuoted(std::string_view text)
{
    // Inside single quotes only the quote itself needs care: close, escape it, reopen.
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

} // namespace corvano
