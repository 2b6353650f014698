#include "Win32Folder.h"

#include "Win32FileSystem.h"

namespace corvano {

void Win32Folder::replaceFile(const std::string& name, std::string_view bytes,
                              FileSystem::Durability durability)
{
    m_files.replaceFile(m_path + name, bytes, durability);
}

} // namespace corvano
