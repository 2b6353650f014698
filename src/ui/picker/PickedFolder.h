#pragma once

#include <string>

// The folder last confirmed in the folder picker during this program run, always ending
// with the path separator ("\" on Windows, "/" elsewhere), or empty before the first
// confirmation. Not saved between runs. UTF-8.
namespace corvano::PickedFolder {

const std::string& value();
// Stores the open folder of the picker; a separator is added unless it already ends
// with one (a file-system root).
void confirm(const std::string& openFolder);

} // namespace corvano::PickedFolder
