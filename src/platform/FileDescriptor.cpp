#include "FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace corvano {

FileDescriptor::~FileDescriptor()
{
    close();
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.release();
    }
    return *this;
}

std::optional<std::string> FileDescriptor::readUpTo(std::size_t limit) const
{
    std::string contents;
    char buffer[65536];
    while (contents.size() < limit) {
        const ssize_t got = ::read(m_fd, buffer, std::min(sizeof buffer, limit - contents.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    return contents;
}

int FileDescriptor::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool FileDescriptor::close()
{
    if (m_fd < 0)
        return true;
    return ::close(release()) == 0;
}

} // namespace corvano
