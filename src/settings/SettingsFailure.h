#pragma once

#include "platform/FileError.h"

#include <string>

namespace corvano {

// How a record file that could not be read or saved is told to the user, by the window and
// by the command line alike: the file, its reason, and what became of the settings.
namespace SettingsFailure {

inline constexpr const char* kTitle = "设置错误";

// The saved settings could not be read at the start.
std::string readText(const FileError& error);
// The settings could not be saved at the end.
std::string saveText(const FileError& error);

} // namespace SettingsFailure

} // namespace corvano
