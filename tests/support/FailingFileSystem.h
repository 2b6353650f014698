#pragma once

#include "platform/FileError.h"
#include "platform/Folder.h"
#include "platform/LocalFileSystem.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <utility>

namespace corvano::test {

// The real file system, except that a chosen call fails the way a full or failing disk makes
// it fail, and the calls are counted.
class FailingFileSystem : public LocalFileSystem
{
public:
    enum class Call
    {
        Replace,    // the whole replaceFile, of a path or in a folder, before it touches anything
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
        m_failAt[index(call)] = n;
        m_error[index(call)] = error;
    }
    void failReplaceNumber(int n) { failCall(Call::Replace, n); }
    // How many calls of that kind were made, failed ones included.
    int count(Call call) const { return m_count[index(call)]; }
    // From now on, files cannot be made without a name, as on a file system that lacks it.
    void lackUnnamedFiles() { m_unnamedFiles = false; }
    // From now on, files made without a name cannot be named, as without /proc.
    void lackProc() { m_proc = false; }
    // Runs once, just before the next file written without a name is named.
    void beforeNextLink(std::function<void()> action) { m_beforeLink = std::move(action); }

    void replaceFile(const std::string& path, std::string_view bytes,
                     Durability durability) override
    {
        if (failsNow(Call::Replace))
            throw FileError(path, std::make_error_code(std::errc::no_space_on_device));
        LocalFileSystem::replaceFile(path, bytes, durability);
    }
    std::unique_ptr<Folder> openFolder(const std::string& path) override
    {
        return std::make_unique<FailingFolder>(*this, path, LocalFileSystem::openFolder(path));
    }

protected:
    ssize_t writeSome(int fd, const char* data, std::size_t size) override
    {
        return failsNow(Call::Write) ? failWith(Call::Write, ENOSPC)
                                     : LocalFileSystem::writeSome(fd, data, size);
    }
    int syncFile(int fd) override
    {
        return failsNow(Call::Sync) ? failWith(Call::Sync, EIO) : LocalFileSystem::syncFile(fd);
    }
    int closeFile(int fd) override
    {
        const int result = LocalFileSystem::closeFile(fd);
        return failsNow(Call::Close) ? failWith(Call::Close, EIO) : result;
    }
    int openAt(int folderFd, const char* path, int flags) override
    {
        if ((flags & O_TMPFILE) == O_TMPFILE) {
            if (!m_unnamedFiles)
                return fail(EOPNOTSUPP);
        } else if ((flags & O_DIRECTORY) != 0 && failsNow(Call::OpenFolder)) {
            return failWith(Call::OpenFolder, EACCES);
        }
        return LocalFileSystem::openAt(folderFd, path, flags);
    }
    int linkUnnamed(int fd, int folderFd, const char* name) override
    {
        if (auto action = std::exchange(m_beforeLink, {}))
            action();
        if (!m_proc)
            return fail(ENOENT);
        return failsNow(Call::Link) ? failWith(Call::Link, ENOSPC)
                                    : LocalFileSystem::linkUnnamed(fd, folderFd, name);
    }

private:
    // The real folder, behind the same Replace failure as a path's replaceFile.
    class FailingFolder : public Folder
    {
    public:
        FailingFolder(FailingFileSystem& files, std::string path, std::unique_ptr<Folder> real)
            : m_files(files), m_path(std::move(path)), m_real(std::move(real))
        {}
        void replaceFile(const std::string& name, std::string_view bytes,
                         Durability durability) override
        {
            if (m_files.failsNow(Call::Replace))
                throw FileError(m_path + name, std::make_error_code(std::errc::no_space_on_device));
            m_real->replaceFile(name, bytes, durability);
        }
        bool holds(const std::string& name, std::string_view bytes) const override
        {
            return m_real->holds(name, bytes);
        }
        std::size_t maxNameLength() const override { return m_real->maxNameLength(); }

    private:
        FailingFileSystem& m_files;
        std::string m_path;
        std::unique_ptr<Folder> m_real;
    };

    static std::size_t index(Call call) { return static_cast<std::size_t>(call); }
    static int fail(int error)
    {
        errno = error;
        return -1;
    }
    // With the error chosen for the call, or else the usual one.
    int failWith(Call call, int usual) const
    {
        return fail(m_error[index(call)] != 0 ? m_error[index(call)] : usual);
    }
    bool failsNow(Call call)
    {
        ++m_count[index(call)];
        int& failAt = m_failAt[index(call)];
        return failAt > 0 && --failAt == 0;
    }

    std::array<int, 6> m_failAt{};
    std::array<int, 6> m_error{};
    std::array<int, 6> m_count{};
    bool m_unnamedFiles = true;
    bool m_proc = true;
    std::function<void()> m_beforeLink;
};

} // namespace corvano::test
