#include "TakenNames.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace corvano {

bool TakenNames::mayBeTaken(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    if (!m_listed) {
        m_names = list();
        m_listed = true;
    }
    return !m_names || m_names->contains(name);
}

void TakenNames::add(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    if (m_names)
        m_names->insert(name);
}

std::optional<std::unordered_set<std::string>> TakenNames::list() const
{
    // The folder's own descriptor may only name it (O_PATH); reading needs one of its own.
    const int fd = ::openat(m_folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::fdopendir(fd), ::closedir);
    if (!folder) {
        ::close(fd);
        return std::nullopt;
    }
    std::unordered_set<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(folder.get()))
        names.insert(entry->d_name);
    if (errno != 0)
        return std::nullopt;
    return names;
}

} // namespace corvano
