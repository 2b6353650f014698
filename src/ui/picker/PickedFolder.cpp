#include "PickedFolder.h"

namespace corvano {

const QString& PickedFolder::value()
{
    return storage();
}

void PickedFolder::confirm(const QString& openFolder)
{
    storage() = openFolder.endsWith(QLatin1Char('/')) ? openFolder : openFolder + '/';
}

QString& PickedFolder::storage()
{
    static QString folder;
    return folder;
}

} // namespace corvano
