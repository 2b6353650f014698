#include "CommandSettings.h"

#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "platform/ProgramLocations.h"
#include "settings/SettingsFailure.h"

namespace corvano {

CommandSettings::CommandSettings(FileSystem& files, const ProgramLocations& locations,
                                 const CliOptions& options)
    : m_files(files), m_locations(locations), m_options(options), m_records(files),
      m_path(options.settingsFile.empty() ? locations.settingsFile() : options.settingsFile)
{}

bool CommandSettings::load(bool commandWrites, std::ostream& err)
{
    const bool writes = commandWrites || m_options.save;
    if (writes)
        m_locations.createFolders();
    try {
        // Reading a record file makes one where none was.
        if (writes || m_files.exists(m_path))
            m_values = SavedSettings::loadValues(m_records, m_path);
    } catch (const FileError& error) {
        err << SettingsFailure::kTitle << ": " << SettingsFailure::readText(error) << '\n';
        return false;
    }
    for (const Field field : kFields) {
        if (m_options.texts[field])
            m_values.texts[field] = *m_options.texts[field];
    }
    m_values.completeAddresses = m_options.completeAddresses.value_or(m_values.completeAddresses);
    return true;
}

bool CommandSettings::saveIfAsked(std::ostream& err)
{
    if (!m_options.save)
        return true;
    try {
        SavedSettings::save(m_records, m_path, m_values.texts, m_values.completeAddresses);
        return true;
    } catch (const FileError& error) {
        err << SettingsFailure::kTitle << ": " << SettingsFailure::saveText(error) << '\n';
        return false;
    }
}

} // namespace corvano
