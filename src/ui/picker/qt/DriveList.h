#pragma once

#include <QComboBox>

namespace corvano {

// The mounted volumes as a drop-down list, the file-system root first. Each entry reads
// as the volume's root folder, followed by its label in brackets when it has one.
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    // The root folder of the selected volume.
    QString selectedRoot() const;
    // Selects the volume that holds the folder, without announcing a change.
    void selectVolumeOf(const QString& folder);
};

} // namespace corvano
