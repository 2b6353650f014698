#include "DriveList.h"

#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>

namespace corvano {

namespace {

QList<QStorageInfo> volumes()
{
    QList<QStorageInfo> found;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Files mounted over files (as containers do) are no places to open.
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        const auto sameRoot = [&](const QStorageInfo& seen) {
            return seen.rootPath() == volume.rootPath();
        };
        if (std::none_of(found.begin(), found.end(), sameRoot))
            found.append(volume);
    }
    std::sort(found.begin(), found.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
        if (a.isRoot() != b.isRoot())
            return a.isRoot();
        return a.rootPath() < b.rootPath();
    });
    return found;
}

// The volume's root folder, followed by its label in brackets when it has one.
QString entryText(const QString& rootPath, const QString& label)
{
    return label.isEmpty() ? rootPath : rootPath + " [" + label + ']';
}

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    for (const QStorageInfo& volume : volumes())
        addItem(entryText(volume.rootPath(), volume.name()), volume.rootPath());
}

QString DriveList::selectedRoot() const
{
    return currentData().toString();
}

void DriveList::selectVolumeOf(const QString& folder)
{
    const int index = findData(QStorageInfo(folder).rootPath());
    if (index < 0)
        return;
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

} // namespace corvano
