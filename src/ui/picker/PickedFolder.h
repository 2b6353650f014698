#pragma once

#include <QString>

namespace corvano {

// The folder last confirmed in the folder picker during this program run, always ending
// with the path separator, or empty before the first confirmation. Not saved between runs.
class PickedFolder
{
public:
    static const QString& value();
    // Stores the open folder of the picker; a separator is added unless it already ends
    // with one (a file-system root).
    static void confirm(const QString& openFolder);

private:
    static QString& storage();
};

} // namespace corvano
