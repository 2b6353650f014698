#pragma once

#include "platform/FileError.h"
#include "platform/LocalFileSystem.h"

#include <array>
#include <cerrno>
#include <unistd.h>

namespace corvano::test {

// The real file system, except that a chosen call fails the way a full or failing disk makes
// it fail, and the calls are counted.
class FailingFileSystem : public LocalFileSystem
{
public:
    enum class Call
    {
        Replace, // the whole replaceFile, before it touches anything
        Write,   // with ENOSPC
        Sync,    // with EIO
        Close,   // with EIO, the descriptor closed all the same
    };

    // The n-th call of that kind from now (1 = the next one) fails; 0 = none fails.
    void failCall(Call call, int n) { m_failAt[index(call)] = n; }
    void failReplaceNumber(int n) { failCall(Call::Replace, n); }
    // How many calls of that kind were made, failed ones included.
    int count(Call call) const { return m_count[index(call)]; }

    void replaceFile(const std::string& path, std::string_view bytes,
                     Durability durability) override
    {
        if (failsNow(Call::Replace))
            throw FileError(path, std::make_error_code(std::errc::no_space_on_device));
        LocalFileSystem::replaceFile(path, bytes, durability);
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

private:
    static std::size_t index(Call call) { return static_cast<std::size_t>(call); }
    static int failWith(int error)
    {
        errno = error;
        return -1;
    }
    bool failsNow(Call call)
    {
        ++m_count[index(call)];
        int& failAt = m_failAt[index(call)];
        return failAt > 0 && --failAt == 0;
    }

    std::array<int, 4> m_failAt{};
    std::array<int, 4> m_count{};
};

} // namespace corvano::test
