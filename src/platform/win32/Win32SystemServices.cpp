#include "Win32SystemServices.h"

#include "FileHandle.h"
#include "WideText.h"
#include "Win32Error.h"
#include "Win32FileSystem.h"
#include "platform/AnsiCodec.h"
#include "platform/SystemError.h"
#include "platform/WindowsDirectoryQuery.h"

#include <memory>
#include <stdexcept>
#include <windows.h>

namespace corvano {

namespace {

struct SearchCloser
{
    void operator()(void* search) const { ::FindClose(search); }
};
using Search = std::unique_ptr<void, SearchCloser>;

bool matches(const WIN32_FIND_DATAW& entry, SearchAttributes attributes)
{
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        return false;
    return !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
           attributes == SearchAttributes::WithFolders;
}

} // namespace

std::optional<std::string> Win32SystemServices::windowsDirectory() const
{
    const std::string ansi = WindowsDirectoryQuery::read(
        [](char* buffer, unsigned size) { return ::GetWindowsDirectoryA(buffer, size); });
    try {
        return AnsiCodec::decode(ansi);
    } catch (const std::runtime_error& error) {
        throw SystemError("the Windows directory", error.what());
    }
}

std::string Win32SystemServices::findFirst(const std::string& path,
                                           SearchAttributes attributes) const
{
    std::wstring pattern = Win32FileSystem::systemPath(path);
    // A folder's own entries: its listing starts with ".", so a folder search finds it.
    if (!pattern.empty() && pattern.back() == L'\\')
        pattern += L'*';
    WIN32_FIND_DATAW entry{};
    HANDLE first = ::FindFirstFileW(pattern.c_str(), &entry);
    if (first == INVALID_HANDLE_VALUE)
        return {};
    const Search search(first);
    do {
        if (matches(entry, attributes))
            return WideText::toUtf8(entry.cFileName);
    } while (::FindNextFileW(search.get(), &entry));
    return {};
}

void Win32SystemServices::copyFile(const std::string& source, const std::string& target)
{
    const std::wstring from = Win32FileSystem::systemPath(source);
    // Checked first, so that a missing source is not blamed on the target.
    const DWORD attributes = ::GetFileAttributesW(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        throw Win32Error::fileError(source, ::GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        throw FileError(source, std::make_error_code(std::errc::is_a_directory));
    if (!::CopyFileW(from.c_str(), Win32FileSystem::systemPath(target).c_str(), FALSE))
        throw Win32Error::fileError(target, ::GetLastError());
}

void Win32SystemServices::startWithoutWaiting(const std::string& commandLine)
{
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring line = WideText::fromUtf8(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started))
        throw SystemError(commandLine, Win32Error::text(::GetLastError()));
    // Not waited for: the handles are only let go.
    const FileHandle process(started.hProcess);
    const FileHandle thread(started.hThread);
}

} // namespace corvano
