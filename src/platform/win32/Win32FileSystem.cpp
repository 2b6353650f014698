#include "Win32FileSystem.h"

#include "FileHandle.h"
#include "WideText.h"
#include "Win32Error.h"
#include "Win32Folder.h"

#include <algorithm>
#include <array>
#include <random>
#include <windows.h>

namespace corvano {

namespace {

[[noreturn]] void fail(const std::string& path, DWORD error = ::GetLastError())
{
    throw Win32Error::fileError(path, error);
}

std::wstring folderOf(const std::wstring& path)
{
    const auto separator = path.find_last_of(L"\\:");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// A short name, so that a target whose name is at the length limit still gets a temporary.
std::wstring temporaryNameIn(const std::wstring& folder)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    wchar_t name[32];
    std::swprintf(name, 32, L".cv%012llx.tmp",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    return folder + name;
}

FileHandle createTemporaryIn(const std::wstring& folder, std::wstring& name,
                             const std::string& path)
{
    for (int attempt = 0;; ++attempt) {
        name = temporaryNameIn(folder);
        FileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.isOpen())
            return file;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS || attempt == 16)
            fail(path, error);
    }
}

void writeAll(HANDLE file, std::string_view bytes, const std::string& path)
{
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            fail(path);
        bytes.remove_prefix(written);
    }
}

// Virus scanners, the search indexer and sync clients open a new file for a moment; while
// they hold it, it can be neither replaced nor moved over. The waits add up to one second.
constexpr std::array<unsigned, 8> kHeldFileWaits = {10, 20, 40, 80, 150, 200, 250, 250};

bool isHeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

// Paths from this length on take the long form: a classic path stays under MAX_PATH (260 with
// its end), and so must the temporary made beside the target, whose 19-character name may be
// longer than the target's own.
constexpr std::size_t kClassicPathRoom = MAX_PATH - 24;

// The "\\?\" form of a long path: made absolute and its "." and ".." resolved first, since
// the system takes that form as it stands. A path that cannot be made absolute stays as it is.
std::wstring withoutLengthLimit(const std::wstring& path)
{
    if (path.starts_with(L"\\\\?\\"))
        return path;
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    const DWORD written =
        length ? ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr) : 0;
    if (written == 0 || written >= length)
        return path;
    full.resize(written);
    if (full.starts_with(L"\\\\.\\") || full.starts_with(L"\\\\?\\"))
        return full;
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2); // \\server\share
    return L"\\\\?\\" + full;
}

} // namespace

bool Win32FileSystem::replaceExisting(const std::wstring& target, const std::wstring& temporary)
{
    return ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}

bool Win32FileSystem::moveInto(const std::wstring& temporary, const std::wstring& target)
{
    return ::MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void Win32FileSystem::pause(unsigned milliseconds)
{
    ::Sleep(milliseconds);
}

unsigned long Win32FileSystem::tryPutInPlace(const std::wstring& temporary,
                                             const std::wstring& target)
{
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        replaceExisting(target, temporary))
        return ERROR_SUCCESS;
    return moveInto(temporary, target) ? ERROR_SUCCESS : ::GetLastError();
}

void Win32FileSystem::putInPlace(const std::wstring& temporary, const std::wstring& target,
                                 const std::string& path)
{
    DWORD error = tryPutInPlace(temporary, target);
    for (const unsigned wait : kHeldFileWaits) {
        if (error == ERROR_SUCCESS || !isHeldByAnother(error))
            break;
        pause(wait);
        error = tryPutInPlace(temporary, target);
    }
    if (error != ERROR_SUCCESS)
        fail(path, error);
}

std::wstring Win32FileSystem::systemPath(const std::string& path)
{
    std::wstring wide = WideText::fromUtf8(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide.size() < kClassicPathRoom ? wide : withoutLengthLimit(wide);
}

std::size_t Win32FileSystem::lastSeparator(std::string_view path) const
{
    return path.find_last_of("\\/:");
}

bool Win32FileSystem::exists(const std::string& path) const
{
    // An empty text looks in the current folder, which always exists.
    return path.empty() ||
           ::GetFileAttributesW(systemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::uintmax_t Win32FileSystem::fileLength(const std::string& path) const
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data))
        fail(path);
    return (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Win32FileSystem::readFile(const std::string& path) const
{
    FileHandle file(::CreateFileW(systemPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        fail(path);
    std::string contents;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
            fail(path);
        if (got == 0)
            return contents;
        contents.append(buffer, got);
    }
}

void Win32FileSystem::createIfMissing(const std::string& path)
{
    FileHandle file(::CreateFileW(systemPath(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        fail(path);
}

void Win32FileSystem::replaceFile(const std::string& path, std::string_view bytes,
                                  Durability durability)
{
    const std::wstring target = systemPath(path);
    // A folder is never replaced by a file (some systems' ReplaceFileW would move it aside).
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(path, std::make_error_code(std::errc::is_a_directory));
    std::wstring temporary;
    FileHandle file = createTemporaryIn(folderOf(target), temporary, path);
    try {
        writeAll(file.get(), bytes, path);
        if (durability == Durability::Flushed && !::FlushFileBuffers(file.get()))
            fail(path);
        if (!file.close())
            fail(path);
        putInPlace(temporary, target, path);
    } catch (...) {
        if (file.isOpen())
            file.close();
        ::DeleteFileW(temporary.c_str());
        throw;
    }
}

std::unique_ptr<Folder> Win32FileSystem::openFolder(const std::string& path)
{
    if (!path.empty() && !exists(path))
        throw FileError(path, std::make_error_code(std::errc::no_such_file_or_directory));
    return std::make_unique<Win32Folder>(*this, path);
}

} // namespace corvano
