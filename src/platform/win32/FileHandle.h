#pragma once

#include <utility>
#include <windows.h>

namespace corvano {

// Closes a Windows handle when it goes out of scope.
class FileHandle
{
public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~FileHandle()
    {
        if (isOpen())
            ::CloseHandle(m_handle);
    }
    FileHandle(FileHandle&& other) noexcept : m_handle(other.release()) {}
    FileHandle& operator=(FileHandle&&) = delete;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return m_handle; }
    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }
    // Closes now and reports whether the close succeeded.
    bool close()
    {
        const bool closed = ::CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

} // namespace corvano
