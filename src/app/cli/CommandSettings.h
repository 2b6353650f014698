#pragma once

#include "CliOptions.h"
#include "settings/RecordFile.h"
#include "settings/SavedSettings.h"

#include <ostream>
#include <string>

namespace corvano {

class FileSystem;
class ProgramLocations;

// The texts a command starts from: the record file's, with the texts given as options laid
// over them, and written back when --save asks for it.
class CommandSettings
{
public:
    CommandSettings(FileSystem& files, const ProgramLocations& locations,
                    const CliOptions& options);

    // False after telling err that the record file could not be read. A command that writes
    // nothing makes no folder and no record file: only one that exists is read.
    bool load(bool commandWrites, std::ostream& err);
    // False after telling err that the texts could not be saved.
    bool saveIfAsked(std::ostream& err);

    SavedSettings::Values& values() { return m_values; }

private:
    FileSystem& m_files;
    const ProgramLocations& m_locations;
    const CliOptions& m_options;
    RecordFile m_records;
    std::string m_path;
    SavedSettings::Values m_values;
};

} // namespace corvano
