#include "Win32Folder.h"

#include "Win32FileSystem.h"
#include "platform/FileError.h"

namespace corvano {

void Win32Folder::replaceFile(const std::string& name, std::string_view bytes,
                              FileSystem::Durability durability)
{
    m_files.replaceFile(m_path + name, bytes, durability);
}

bool Win32Folder::updateFile(const std::string& name, std::string_view bytes)
{
    const std::string path = m_path + name;
    if (holds(path, bytes))
        return false;
    m_files.replaceFile(path, bytes, FileSystem::Durability::Cached);
    return true;
}

bool Win32Folder::holds(const std::string& path, std::string_view bytes) const
{
    try {
        return m_files.exists(path) && m_files.fileLength(path) == bytes.size() &&
               m_files.readFile(path) == bytes;
    } catch (const FileError&) {
        return false; // written anew
    }
}

} // namespace corvano
