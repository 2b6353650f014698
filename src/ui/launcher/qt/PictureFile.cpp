#include "PictureFile.h"

namespace corvano {

bool PictureFile::load()
{
    QPixmap fresh;
    if (!fresh.load(m_path))
        return false;
    m_pixmap = std::move(fresh);
    return true;
}

} // namespace corvano
