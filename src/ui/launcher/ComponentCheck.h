#pragma once

#include "platform/SystemServices.h"

#include <optional>
#include <string>
#include <vector>

namespace corvano {

// Why the component check could not finish; names the file or the command line concerned.
struct ComponentFailure
{
    enum class Step
    {
        FindWindowsDirectory,
        Copy,
        Register,
    };

    Step step;
    std::string subject;
    std::string reason;
};

// The control libraries the program ships, made sure of at every start before any window is
// shown: each one missing from the folder of 32-bit system libraries is copied there from the
// program's folder and handed to the registration tool, which is not waited for. One the
// program's folder does not hold is not needed and is left alone.
class ComponentCheck
{
public:
    // One component: where it is looked for, copied from and to, and how it is registered.
    struct Row
    {
        std::string presence;
        std::string source;
        std::string target;
        std::string command;
    };

    // programFolder: the folder of the executable, without a trailing separator.
    ComponentCheck(SystemServices& system, std::string programFolder);

    // Stops at the first failure and returns it; later steps do not run.
    [[nodiscard]] std::optional<ComponentFailure> run();

    // The rows for a Windows directory; the SysWOW64 rows on 64-bit Windows.
    static std::vector<Row> rowsFor(const std::string& windowsFolder,
                                    const std::string& programFolder, bool sysWow64);

private:
    bool isSysWow64(const std::string& windowsFolder) const;
    std::optional<ComponentFailure> ensure(const Row& row);

    SystemServices& m_system;
    std::string m_programFolder;
};

} // namespace corvano
