#pragma once

#include "CliOptions.h"

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
    GenerateCommand(std::ostream& out, std::ostream& err, bool showProgress)
        : m_out(out), m_err(err), m_showProgress(showProgress)
    {}

    int execute(const CliOptions& options);
    static int exitCodeOf(RunOutcome outcome);

private:
    static bool saveHtml(HtmlListBuilder& html, const std::string& linkList, FileSystem& files,
                         const std::string& path, MainSurface& surface);
    static void printLines(std::ostream& stream, const std::string& crlfText);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_showProgress;
};

} // namespace corvano
