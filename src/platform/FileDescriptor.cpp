#include "FileDescriptor.h"

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
