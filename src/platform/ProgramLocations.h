#pragma once

#include <string>

namespace corvano {

// Where the program's own files live. A portable copy (the build tree, an unpacked archive)
// keeps everything beside the executable: the pictures in img/, db.dat, the time-out log, and
// the folder that takes shortcut files when the target folder does not exist. An installed
// copy cannot write beside itself, so it reads its pictures from <prefix>/share/corvano/img
// and keeps the user's files in the XDG folders. A copy whose folder holds img/ but cannot be
// written (unpacked by root, a read-only medium) reads its own pictures and keeps the user's
// files in the XDG folders.
class ProgramLocations
{
public:
    // What the program's folder offers decides each kind of file's place on every system.
    struct Layout
    {
        bool picturesBeside;  // the pictures are read from the program's own img/
        bool userFilesBeside; // db.dat, the log and the fallback folder are beside the program
    };
    static constexpr Layout layoutOf(bool holdsPictures, bool writable)
    {
        return {holdsPictures, holdsPictures && writable};
    }

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
    // Portable when programFolder holds img/ and can be written to; the pictures come from
    // its img/ whenever that is there.
    static ProgramLocations detect(const std::string& programFolder,
                                   const Environment& environment);
    // The places a layout gives: the user's files beside programFolder or in the XDG folders,
    // the pictures in its img/ or in <prefix>/share/corvano/img.
    static ProgramLocations arrange(const std::string& programFolder, Layout layout,
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
