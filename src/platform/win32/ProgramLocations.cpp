// On Windows every copy is a portable one, as the archive unpacks it: the program keeps its
// files beside itself, in the folder it runs from.
#include "platform/ProgramLocations.h"

#include "Win32FileSystem.h"
#include "platform/ProgramFolder.h"

#include <windows.h>

namespace corvano {

ProgramLocations::Environment ProgramLocations::Environment::current()
{
    return {};
}

ProgramLocations ProgramLocations::detect()
{
    return portable(ProgramFolder::path());
}

ProgramLocations ProgramLocations::detect(const std::string& programFolder, const Environment&)
{
    return portable(programFolder);
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

ProgramLocations ProgramLocations::installed(const std::string& programFolder, const Environment&)
{
    return portable(programFolder);
}

void ProgramLocations::createFolders() const
{
    // The program's own folder exists: it runs from there.
}

} // namespace corvano
