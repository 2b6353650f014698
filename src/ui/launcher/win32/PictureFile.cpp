#include "PictureFile.h"

namespace corvano {

bool PictureFile::load()
{
    std::optional<Picture> fresh = Picture::fromFile(m_path);
    if (!fresh)
        return false;
    m_picture = std::move(fresh);
    return true;
}

} // namespace corvano
