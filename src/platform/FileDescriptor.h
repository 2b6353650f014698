#pragma once

#include <optional>
#include <string>

namespace corvano {

// Closes a POSIX file descriptor when it goes out of scope.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    int release();
    // The bytes up to the end or up to limit; nullopt with errno set when a read fails.
    std::optional<std::string> readUpTo(std::size_t limit) const;
    // Closes now and reports whether the close succeeded (it can fail on a full disk).
    bool close();

private:
    int m_fd;
};

} // namespace corvano
