#include "PickedFolder.h"

namespace corvano::PickedFolder {

namespace {

QString& storage()
{
    static QString folder;
    return folder;
}

} // namespace

const QString& value()
{
    return storage();
}

void confirm(const QString& openFolder)
{
    storage() = openFolder.endsWith(QLatin1Char('/')) ? openFolder : openFolder + '/';
}

} // namespace corvano::PickedFolder
