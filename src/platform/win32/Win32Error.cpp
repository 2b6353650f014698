#include "Win32Error.h"

#include "WideText.h"

#include <windows.h>

namespace corvano {

namespace {

std::errc portableCause(unsigned long error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::errc::permission_denied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::errc::no_space_on_device;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return std::errc::no_such_file_or_directory;
    case ERROR_FILENAME_EXCED_RANGE:
        return std::errc::filename_too_long;
    case ERROR_WRITE_PROTECT:
        return std::errc::read_only_file_system;
    case ERROR_DIRECTORY:
        return std::errc::not_a_directory;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return std::errc::io_error;
    default:
        return std::errc{};
    }
}

} // namespace

FileError Win32Error::fileError(const std::string& path, unsigned long error)
{
    const std::errc cause = portableCause(error);
    if (cause != std::errc{})
        return FileError(path, std::make_error_code(cause));
    return FileError(path, text(error));
}

std::string Win32Error::text(unsigned long error, void* module)
{
    wchar_t* buffer = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                        (module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM);
    const DWORD length =
        ::FormatMessageW(flags, module, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message(buffer ? buffer : L"", length);
    ::LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (message.empty())
        return "Windows error " + std::to_string(error);
    return WideText::toUtf8(message);
}

} // namespace corvano
