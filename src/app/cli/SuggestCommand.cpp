#include "SuggestCommand.h"

#include "CliSurface.h"
#include "CommandSettings.h"
#include "ExitCode.h"
#include "engine/ListProposal.h"
#include "engine/SuggestionRun.h"
#include "platform/PlatformTransfer.h"
#include "settings/SavedSettings.h"

#include <optional>

namespace corvano {

int SuggestCommand::execute(const CliOptions& options)
{
    CommandSettings settings(m_files, m_locations, options);
    if (!settings.load(false, m_err))
        return static_cast<int>(ExitCode::SettingsFailed);
    SavedSettings::Values& values = settings.values();

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
    if (!settings.saveIfAsked(m_err))
        exitCode = static_cast<int>(ExitCode::SettingsFailed);
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
