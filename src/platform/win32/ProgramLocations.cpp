// On Windows a copy is portable when the folder it runs from can be written, as an unpacked
// archive can: it keeps its files beside itself. A copy in a folder the user cannot write
// (C:\Program Files, a read-only share) keeps the settings and the log in
// %APPDATA%\Corvano and sends the files of a missing target folder to the user's profile
// folder. The pictures always come from the program's own img folder. Of the environment,
// home is %USERPROFILE% and configHome %APPDATA% here.
#include "platform/ProgramLocations.h"

#include "FileHandle.h"
#include "WideText.h"
#include "Win32FileSystem.h"
#include "platform/ProgramFolder.h"

#include <windows.h>

namespace corvano {

namespace {

constexpr const char* kOwnFolder = "Corvano";

std::string variable(const wchar_t* name)
{
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    std::wstring value(size, L'\0');
    const DWORD length = size ? ::GetEnvironmentVariableW(name, value.data(), size) : 0;
    return length > 0 && length < size ? WideText::toUtf8(value.substr(0, length)) : "";
}

// Whether a file can be made in the folder, tried with one that vanishes when closed: the
// folder's access list, a read-only share and a locked-down Program Files all answer alike.
bool writable(const std::string& folder)
{
    const std::wstring probe = Win32FileSystem::systemPath(
        folder + "\\.corvano-" + std::to_string(::GetCurrentProcessId()) + ".tmp");
    FileHandle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.isOpen();
}

} // namespace

ProgramLocations::Environment ProgramLocations::Environment::current()
{
    return {variable(L"USERPROFILE"), variable(L"APPDATA"), {}};
}

ProgramLocations ProgramLocations::detect()
{
    return detect(ProgramFolder::path(), Environment::current());
}

ProgramLocations ProgramLocations::detect(const std::string& programFolder,
                                          const Environment& environment)
{
    // The pictures are always the program's own here, so only writability decides.
    return arrange(programFolder, layoutOf(true, writable(programFolder)), environment);
}

ProgramLocations ProgramLocations::arrange(const std::string& programFolder, Layout layout,
                                           const Environment& environment)
{
    if (layout.userFilesBeside)
        return portable(programFolder);
    return installed(programFolder, environment);
}

ProgramLocations ProgramLocations::portable(const std::string& programFolder)
{
    const std::string folder = programFolder + "\\";
    ProgramLocations locations;
    locations.m_programFolder = programFolder;
    locations.m_pictureFolder = folder + "img";
    locations.m_settingsFile = folder + kSettingsFileName;
    locations.m_logFolder = programFolder;
    locations.m_fallbackFolder = programFolder;
    return locations;
}

ProgramLocations ProgramLocations::installed(const std::string& programFolder,
                                             const Environment& environment)
{
    // Without a profile the system is not set up for users; the copy stays portable and
    // its writes fail with the folder's name.
    const std::string& home = environment.home;
    const std::string appData = environment.configHome.empty() && !home.empty()
                                    ? home + "\\AppData\\Roaming"
                                    : environment.configHome;
    if (appData.empty())
        return portable(programFolder);
    ProgramLocations locations;
    locations.m_portable = false;
    locations.m_programFolder = programFolder;
    locations.m_pictureFolder = programFolder + "\\img";
    locations.m_logFolder = appData + "\\" + kOwnFolder;
    locations.m_settingsFile = locations.m_logFolder + "\\" + kSettingsFileName;
    locations.m_fallbackFolder = home.empty() ? locations.m_logFolder : home;
    return locations;
}

void ProgramLocations::createFolders() const
{
    // A portable copy's folder exists: it runs from there.
    if (!m_portable)
        ::CreateDirectoryW(Win32FileSystem::systemPath(m_logFolder).c_str(), nullptr);
}

} // namespace corvano
