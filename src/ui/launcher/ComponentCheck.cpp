#include "ComponentCheck.h"

#include "platform/FileError.h"
#include "platform/SystemError.h"

namespace corvano {

ComponentCheck::ComponentCheck(SystemServices& system, std::string programFolder)
    : m_system(system), m_programFolder(std::move(programFolder))
{}

std::vector<ComponentCheck::Row> ComponentCheck::rowsFor(const std::string& windowsFolder,
                                                         const std::string& programFolder,
                                                         bool sysWow64)
{
    // The letter case differs between the test, the copy and the command line; Windows
    // ignores it. Only the 64-bit command line for MSINET.OCX ends with a blank.
    const std::string system = windowsFolder + (sysWow64 ? "\\SysWOW64\\" : "\\system32\\");
    return {
        {system + "comdlg32.ocx", programFolder + "\\COMDLG32.OCX", system + "COMDLG32.OCX",
         "regsvr32 " + system + "comdlg32.ocx"},
        {system + "MSINET.OCX", programFolder + "\\MSINET.OCX", system + "MSINET.OCX",
         "regsvr32 " + system + (sysWow64 ? "msinet.ocx " : "msinet.ocx")},
    };
}

std::optional<ComponentFailure> ComponentCheck::run()
{
    std::optional<std::string> windowsFolder;
    try {
        windowsFolder = m_system.windowsDirectory();
    } catch (const SystemError& error) {
        return ComponentFailure{ComponentFailure::Step::FindWindowsDirectory, error.subject(),
                                error.reason()};
    }
    // A system without a Windows directory has no system folder to check.
    if (!windowsFolder)
        return std::nullopt;
    const bool sysWow64 = isSysWow64(*windowsFolder);
    for (const Row& row : rowsFor(*windowsFolder, m_programFolder, sysWow64)) {
        if (auto failure = ensure(row))
            return failure;
    }
    return std::nullopt;
}

bool ComponentCheck::isSysWow64(const std::string& windowsFolder) const
{
    // The folder of 32-bit system libraries exists only on 64-bit Windows.
    return !m_system.findFirst(windowsFolder + "\\SysWOW64\\", SearchAttributes::WithFolders)
                .empty();
}

std::optional<ComponentFailure> ComponentCheck::ensure(const Row& row)
{
    // Only presence is tested: a present file that is not registered is left alone.
    if (!m_system.findFirst(row.presence, SearchAttributes::OrdinaryFiles).empty())
        return std::nullopt;
    // A component the program does not ship is one it does not use (the native Windows
    // windows have the system's save dialog and HTTP stack): nothing is copied or registered,
    // and the program starts.
    if (m_system.findFirst(row.source, SearchAttributes::OrdinaryFiles).empty())
        return std::nullopt;
    try {
        m_system.copyFile(row.source, row.target);
    } catch (const FileError& error) {
        return ComponentFailure{ComponentFailure::Step::Copy, error.path(), error.reason()};
    }
    try {
        m_system.startWithoutWaiting(row.command);
    } catch (const SystemError& error) {
        return ComponentFailure{ComponentFailure::Step::Register, error.subject(), error.reason()};
    }
    return std::nullopt;
}

} // namespace corvano
