#include "WindowSettings.h"

#include "SettingsFailure.h"
#include "platform/AnsiCodec.h"
#include "platform/FileError.h"

namespace corvano::WindowSettings {

namespace {

void warn(MainSurface& surface, const std::string& text)
{
    surface.showMessage(text, SettingsFailure::kTitle, MessageStyle::Exclamation);
}

// The record holds a fixed number of bytes in the ANSI code page; text that does not fit is
// lost at the next start, so the user hears of it now.
void warnIfNotKeptWhole(MainSurface& surface, const std::string& value)
{
    const std::string stored = AnsiCodec::encode(value);
    if (stored.size() > RecordFile::kValueWidth) {
        warn(surface, "设置共 " + std::to_string(stored.size()) + " 字节，超过了设置文件能保存的 " +
                          std::to_string(RecordFile::kValueWidth) + " 字节，超出的部分没有保存。");
    } else if (AnsiCodec::decode(stored) != value) {
        warn(surface, "设置中有系统编码无法表示的字符，保存时已换成“?”。");
    }
}

} // namespace

SavedSettings::Values restore(MainSurface& surface, FileSystem& files, const std::string& dbPath)
{
    try {
        RecordFile records(files);
        return SavedSettings::loadValues(records, dbPath);
    } catch (const FileError& error) {
        warn(surface, SettingsFailure::readText(error));
    }
    return {};
}

void save(MainSurface& surface, FileSystem& files, const std::string& dbPath)
{
    SavedSettings::Texts texts;
    for (const Field field : kFields)
        texts[field] = surface.text(field);
    const bool completeAddresses = surface.completesAddresses();
    try {
        RecordFile records(files);
        SavedSettings::save(records, dbPath, texts, completeAddresses);
    } catch (const FileError& error) {
        warn(surface, SettingsFailure::saveText(error));
        return;
    }
    warnIfNotKeptWhole(surface, SavedSettings::settingsValue(texts, completeAddresses));
}

} // namespace corvano::WindowSettings
