#pragma once

#include "platform/FileError.h"
#include "platform/Folder.h"
#include "platform/LocalFileSystem.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <unistd.h>

namespace corvano::test {

// The real file system, except that a chosen call fails the way a full or failing disk makes
// it fail, and the calls are counted. A folder's files may be prepared on another thread.
class FailingFileSystem : public LocalFileSystem
{
public:
    enum class Call
    {
        Replace, // the whole replaceFile, of a path or in a folder, before it touches anything
        Write,   // with ENOSPC
        Sync,    // with EIO
        Close,   // with EIO, the descriptor closed all the same
        Link,    // naming a file written without a name, with ENOSPC
    };

    // The n-th call of that kind from now (1 = the next one) fails; 0 = none fails.
    void failCall(Call call, int n) { m_failAt[index(call)] = n; }
    void failReplaceNumber(int n) { failCall(Call::Replace, n); }
    // How many calls of that kind were made, failed ones included.
    int count(Call call) const { return m_count[index(call)]; }
    // From now on, files cannot be made without a name, as on a file system that lacks it.
    void lackUnnamedFiles() { m_unnamedFiles = false; }

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
        return failsNow(Call::Write) ? failWith(ENOSPC)
                                     : LocalFileSystem::writeSome(fd, data, size);
    }
    int syncFile(int fd) override
    {
        return failsNow(Call::Sync) ? failWith(EIO) : LocalFileSystem::syncFile(fd);
    }
    int closeFile(int fd) override
    {
        const int result = LocalFileSystem::closeFile(fd);
        return failsNow(Call::Close) ? failWith(EIO) : result;
    }
    int openUnnamed(int folderFd) override
    {
        return m_unnamedFiles ? LocalFileSystem::openUnnamed(folderFd) : failWith(EOPNOTSUPP);
    }
    int linkUnnamed(int fd, int folderFd, const char* name) override
    {
        return failsNow(Call::Link) ? failWith(ENOSPC)
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
        std::unique_ptr<PreparedFile> prepareFile(const std::string& name, std::string_view bytes,
                                                  Durability durability) override
        {
            if (m_files.failsNow(Call::Replace))
                throw FileError(m_path + name, std::make_error_code(std::errc::no_space_on_device));
            return m_real->prepareFile(name, bytes, durability);
        }
        std::size_t maxNameLength() const override { return m_real->maxNameLength(); }

    private:
        FailingFileSystem& m_files;
        std::string m_path;
        std::unique_ptr<Folder> m_real;
    };

    static std::size_t index(Call call) { return static_cast<std::size_t>(call); }
    static int failWith(int error)
    {
        errno = error;
        return -1;
    }
    bool failsNow(Call call)
    {
        ++m_count[index(call)];
        std::atomic<int>& failAt = m_failAt[index(call)];
        int left = failAt;
        while (left > 0 && !failAt.compare_exchange_weak(left, left - 1)) {
        }
        return left == 1;
    }

    std::array<std::atomic<int>, 5> m_failAt{};
    std::array<std::atomic<int>, 5> m_count{};
    std::atomic<bool> m_unnamedFiles = true;
};

} // namespace corvano::test
