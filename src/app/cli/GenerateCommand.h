#pragma once

#include "CliOptions.h"
#include "platform/ProgramLocations.h"
#include "settings/SavedSettings.h"

#include <ostream>

namespace corvano {

enum class RunOutcome;
class FileSystem;
class HtmlListBuilder;
class MainSurface;

// One generation run from the command line; returns the process exit code.
class GenerateCommand
{
public:
    GenerateCommand(std::ostream& out, std::ostream& err, bool showProgress, FileSystem& files,
                    ProgramLocations locations)
        : m_out(out), m_err(err), m_showProgress(showProgress), m_files(files),
          m_locations(std::move(locations))
    {}

    int execute(const CliOptions& options);
    static int exitCodeOf(RunOutcome outcome);

private:
    int generate(const SavedSettings::Values& values, const CliOptions& options);
    static bool saveHtml(HtmlListBuilder& html, const std::string& linkList, FileSystem& files,
                         const std::string& path, MainSurface& surface);
    static void printLines(std::ostream& stream, const std::string& crlfText);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_showProgress;
    FileSystem& m_files;
    ProgramLocations m_locations;
};

} // namespace corvano
