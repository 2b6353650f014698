#pragma once

#include <QString>

// The folder last confirmed in the folder picker during this program run, always ending
// with the path separator, or empty before the first confirmation. Not saved between runs.
namespace corvano::PickedFolder {

const QString& value();
// Stores the open folder of the picker; a separator is added unless it already ends
// with one (a file-system root).
void confirm(const QString& openFolder);

} // namespace corvano::PickedFolder
