#pragma once

#include <QPixmap>
#include <QString>

namespace corvano {

// A picture read from a file, read again on each load. A file that has gone or broken since
// the last good read leaves that read's picture in place.
class PictureFile
{
public:
    explicit PictureFile(QString path) : m_path(std::move(path)) {}

    // False when the file is missing or not a picture.
    bool load();
    const QPixmap& pixmap() const { return m_pixmap; }
    const QString& path() const { return m_path; }

private:
    QString m_path;
    QPixmap m_pixmap;
};

} // namespace corvano
