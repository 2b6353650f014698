#pragma once

#include "CliOptions.h"
#include "platform/ProgramLocations.h"

#include <ostream>
#include <string>
#include <string_view>

namespace corvano {

class FileSystem;
struct ListProposal;

// corvano-cli --suggest: fetches the page as a run does and prints the start, end and
// contains options that cut its main list out, ready to paste after corvano-cli.
class SuggestCommand
{
public:
    SuggestCommand(std::ostream& out, std::ostream& err, bool showProgress, FileSystem& files,
                   ProgramLocations locations)
        : m_out(out), m_err(err), m_showProgress(showProgress), m_files(files),
          m_locations(std::move(locations))
    {}

    int execute(const CliOptions& options);
    // The proposal as options, each value quoted for a POSIX shell.
    static std::string optionsLine(const ListProposal& proposal);
    static std::string shellQuoted(std::string_view text);

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_showProgress;
    FileSystem& m_files;
    ProgramLocations m_locations;
};

} // namespace corvano
