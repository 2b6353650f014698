#pragma once

#include <string>

namespace corvano {

// Where the program's own files live. A portable copy (the build tree, an unpacked archive)
// keeps everything beside the executable: the pictures in img/, db.dat, the time-out log, and
// the folder that takes shortcut files when the target folder does not exist. An installed
// copy cannot write beside itself, so it reads its pictures from <prefix>/share/corvano/img
// and keeps the user's files in the XDG folders.
class ProgramLocations
{
public:
    // The record file that keeps the user's settings.
    static constexpr const char* kSettingsFileName = "db.dat";

    // What the installed layout takes from the environment; empty values take the defaults.
    struct Environment
    {
        std::string home;
        std::string configHome; // XDG_CONFIG_HOME
        std::string stateHome;  // XDG_STATE_HOME

        static Environment current();
    };

    // The locations of the running executable.
    static ProgramLocations detect();
    // What a window keeps its files in: the running executable's locations, or everything
    // beside programFolder when one is given (a test's copy); the user's folders are made.
    static ProgramLocations forWindow(const std::string& programFolder)
    {
        const ProgramLocations locations =
            programFolder.empty() ? detect() : portable(programFolder);
        locations.createFolders();
        return locations;
    }
    // Portable when programFolder holds img/ and can be written to; installed otherwise.
    static ProgramLocations detect(const std::string& programFolder,
                                   const Environment& environment);
    // Everything beside programFolder, whatever it holds.
    static ProgramLocations portable(const std::string& programFolder);

    bool isPortable() const { return m_portable; }
    const std::string& programFolder() const { return m_programFolder; }
    const std::string& pictureFolder() const { return m_pictureFolder; }
    const std::string& settingsFile() const { return m_settingsFile; }
    const std::string& logFolder() const { return m_logFolder; }
    // Takes the shortcut files when the target folder does not exist.
    const std::string& fallbackFolder() const { return m_fallbackFolder; }

    // Makes the folders of the user's files; an installed copy's may not exist yet. A folder
    // that cannot be made is left to fail, with its name, when a file is written there.
    void createFolders() const;

private:
    static ProgramLocations installed(const std::string& programFolder,
                                      const Environment& environment);

    bool m_portable = true;
    std::string m_programFolder;
    std::string m_pictureFolder;
    std::string m_settingsFile;
    std::string m_logFolder;
    std::string m_fallbackFolder;
};

} // namespace corvano
