#pragma once

#include "ui/common/win32/Picture.h"

#include <optional>
#include <string>

namespace corvano {

// A picture read from a file, read again on each load. A file that has gone or broken since
// the last good read leaves that read's picture in place.
class PictureFile
{
public:
    // UTF-8 path.
    explicit PictureFile(std::string path) : m_path(std::move(path)) {}

    // False when the file is missing or not a picture.
    bool load();
    // Null until a load has succeeded.
    const Picture* picture() const { return m_picture ? &*m_picture : nullptr; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    std::optional<Picture> m_picture;
};

} // namespace corvano
