#include "DriveFolders.h"

#include "DriveEntry.h"
#include "FolderChain.h"
#include "QuietDriveErrors.h"

#include <windows.h>

namespace corvano::DriveFolders {

namespace {

std::wstring volumeLabel(const std::wstring& root)
{
    wchar_t label[MAX_PATH + 1] = {};
    if (!::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                 nullptr, 0))
        return {};
    return label;
}

// The roots of the drives, "C:\" and so on; the list ends with an empty string.
std::wstring rootList()
{
    std::wstring roots(::GetLogicalDriveStringsW(0, nullptr), L'\0');
    roots.resize(::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data()));
    return roots;
}

bool isFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::vector<std::wstring> entries()
{
    const QuietDriveErrors quiet;
    const std::wstring roots = rootList();
    std::vector<std::wstring> found;
    for (std::size_t at = 0; at < roots.size() && roots[at] != L'\0';) {
        const std::wstring root(roots.c_str() + at);
        found.push_back(DriveEntry::text(root, volumeLabel(root)));
        at += root.size() + 1;
    }
    return found;
}

std::wstring currentFolder(const std::wstring& root)
{
    // A drive named without a folder ("D:") stands for that drive's current folder.
    const std::vector<FolderLink> chain = FolderChain::of(fullPath(root.substr(0, 2)));
    return chain.empty() ? std::wstring() : chain.back().path;
}

bool makeRootCurrent(const std::wstring& root)
{
    const QuietDriveErrors quiet;
    const std::wstring drive = FolderChain::rootOf(root);
    if (drive.empty() || !isFolder(drive))
        return false;
    if (FolderChain::rootOf(currentDirectory()) == drive)
        return ::SetCurrentDirectoryW(drive.c_str()) != 0;
    // Windows keeps the current folder of every drive but the current one in "=X:".
    const std::wstring variable = L"=" + drive.substr(0, 2);
    return ::SetEnvironmentVariableW(variable.c_str(), drive.c_str()) != 0;
}

std::wstring fullPath(const std::wstring& path)
{
    std::wstring full(MAX_PATH, L'\0');
    DWORD length =
        ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    }
    full.resize(length < full.size() ? length : 0);
    return full;
}

std::wstring currentDirectory()
{
    std::wstring folder(::GetCurrentDirectoryW(0, nullptr), L'\0');
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    folder.resize(length < folder.size() ? length : 0);
    return folder;
}

} // namespace corvano::DriveFolders
