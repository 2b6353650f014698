#pragma once

#include "platform/LocalFileSystem.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <utility>

namespace corvano::test {

// The real file system with counted calls, a chosen one failing as on a full or failing disk.
class FailingFileSystem : public LocalFileSystem
{
public:
    enum class Call
    {
        Write,      // with ENOSPC
        Sync,       // of a file or a folder, with EIO
        Close,      // with EIO, the descriptor closed all the same
        Link,       // naming a file written without a name, with ENOSPC
        OpenFolder, // opening a folder to flush it, with EACCES
    };

    // The n-th call of that kind from now (1 = the next one) fails, with error where it is
    // not 0; n = 0: none fails.
    void failCall(Call call, int n, int error = 0)
    {
        m_calls[index(call)] = {n, error, count(call)};
    }
    // How many calls of that kind were made, failed ones included.
    int count(Call call) const { return m_calls[index(call)].count; }
    // Off: files cannot be made without a name, as on a file system that lacks it, or cannot
    // be named once made, as without /proc.
    bool unnamedFiles = true, proc = true;
    // Runs once, just before the next file written without a name is named.
    void beforeNextLink(std::function<void()> action) { m_beforeLink = std::move(action); }

protected:
    ssize_t writeSome(int fd, const char* data, std::size_t size) override
    {
        return failsNow(Call::Write, ENOSPC) ? -1 : LocalFileSystem::writeSome(fd, data, size);
    }
    int syncFile(int fd) override
    {
        return failsNow(Call::Sync, EIO) ? -1 : LocalFileSystem::syncFile(fd);
    }
    int closeFile(int fd) override
    {
        const int result = LocalFileSystem::closeFile(fd);
        return failsNow(Call::Close, EIO) ? -1 : result;
    }
    int openAt(int folderFd, const char* path, int flags) override
    {
        if ((flags & O_TMPFILE) == O_TMPFILE && !unnamedFiles)
            return failWith(EOPNOTSUPP);
        if ((flags & O_TMPFILE) != O_TMPFILE && (flags & O_DIRECTORY) != 0 &&
            failsNow(Call::OpenFolder, EACCES))
            return -1;
        return LocalFileSystem::openAt(folderFd, path, flags);
    }
    int linkUnnamed(int fd, int folderFd, const char* name) override
    {
        if (auto action = std::exchange(m_beforeLink, {}))
            action();
        if (!proc)
            return failWith(ENOENT);
        return failsNow(Call::Link, ENOSPC) ? -1 : LocalFileSystem::linkUnnamed(fd, folderFd, name);
    }

private:
    struct Plan
    {
        int failAt = 0, error = 0, count = 0;
    };

    static std::size_t index(Call call) { return static_cast<std::size_t>(call); }
    static int failWith(int error)
    {
        errno = error;
        return -1;
    }
    // Counts the call; when it is the one to fail, sets errno to the error chosen for it, or
    // else to the usual one.
    bool failsNow(Call call, int usual)
    {
        Plan& plan = m_calls[index(call)];
        ++plan.count;
        if (plan.failAt <= 0 || --plan.failAt != 0)
            return false;
        errno = plan.error != 0 ? plan.error : usual;
        return true;
    }

    std::array<Plan, 5> m_calls{};
    std::function<void()> m_beforeLink;
};

} // namespace corvano::test
