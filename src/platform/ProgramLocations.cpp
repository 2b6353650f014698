#include "ProgramLocations.h"

#include "ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace corvano {

namespace {

namespace fs = std::filesystem;

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// XDG: an unset, empty or relative value means the default.
std::string xdgFolder(const std::string& value, const std::string& home, const char* fallback)
{
    if (!value.empty() && fs::path(value).is_absolute())
        return value;
    return (fs::path(home) / fallback).string();
}

bool holdsPictures(const std::string& folder)
{
    std::error_code error;
    return fs::is_directory(fs::path(folder) / "img", error);
}

bool writable(const std::string& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

ProgramLocations::Environment ProgramLocations::Environment::current()
{
    return {variable("HOME"), variable("XDG_CONFIG_HOME"), variable("XDG_STATE_HOME")};
}

ProgramLocations ProgramLocations::detect()
{
    return detect(ProgramFolder::path(), Environment::current());
}

ProgramLocations ProgramLocations::detect(const std::string& programFolder,
                                          const Environment& environment)
{
    return arrange(programFolder, layoutOf(holdsPictures(programFolder), writable(programFolder)),
                   environment);
}

ProgramLocations ProgramLocations::arrange(const std::string& programFolder, Layout layout,
                                           const Environment& environment)
{
    if (layout.userFilesBeside)
        return portable(programFolder);
    ProgramLocations locations = installed(programFolder, environment);
    if (layout.picturesBeside)
        locations.m_pictureFolder = (fs::path(programFolder) / "img").string();
    return locations;
}

ProgramLocations ProgramLocations::portable(const std::string& programFolder)
{
    ProgramLocations locations;
    const fs::path folder(programFolder);
    locations.m_programFolder = programFolder;
    locations.m_pictureFolder = (folder / "img").string();
    locations.m_settingsFile = (folder / kSettingsFileName).string();
    locations.m_logFolder = programFolder;
    locations.m_fallbackFolder = programFolder;
    return locations;
}

ProgramLocations ProgramLocations::installed(const std::string& programFolder,
                                             const Environment& environment)
{
    ProgramLocations locations;
    // bin/ and share/ are siblings under the prefix, so a moved prefix still finds its data.
    const fs::path prefix = fs::path(programFolder).parent_path();
    const std::string home = environment.home.empty() ? "/" : environment.home;
    locations.m_portable = false;
    locations.m_programFolder = programFolder;
    locations.m_pictureFolder = (prefix / "share" / "corvano" / "img").string();
    locations.m_settingsFile = (fs::path(xdgFolder(environment.configHome, home, ".config")) /
                                "corvano" / kSettingsFileName)
                                   .string();
    locations.m_logFolder =
        (fs::path(xdgFolder(environment.stateHome, home, ".local/state")) / "corvano").string();
    locations.m_fallbackFolder = home;
    return locations;
}

void ProgramLocations::createFolders() const
{
    std::error_code ignored;
    fs::create_directories(fs::path(m_settingsFile).parent_path(), ignored);
    fs::create_directories(m_logFolder, ignored);
}

} // namespace corvano
