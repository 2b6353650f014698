#pragma once

#include "engine/Field.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace corvano {

// The command line of corvano-cli. Each text option sets one of the main window's texts.
struct CliOptions
{
    FieldValues<std::optional<std::string>> texts;
    std::optional<bool> completeAddresses; // --absolute or --no-absolute; none: as saved
    bool dryRun = false;
    bool suggest = false;     // propose the start, end and contains strings instead of a run
    std::string htmlFile;     // empty: no HTML list is saved
    std::string settingsFile; // empty: the program's own db.dat
    bool save = false;
    std::chrono::seconds idleLimit{60};
    std::vector<std::string> openFiles; // --open: shortcut files to open instead of a run

    // Parses argv; on --help, --version or a usage error it prints and returns an exit code.
    static std::variant<CliOptions, int> parse(int argc, const char* const* argv, std::ostream& out,
                                               std::ostream& err);
    // Line breaks of a typed template become CR LF, as in the window's multi-line box.
    static std::string withCrLf(const std::string& text);
};

} // namespace corvano
