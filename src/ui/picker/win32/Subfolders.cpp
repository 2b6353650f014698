#include "Subfolders.h"

#include "QuietDriveErrors.h"

#include <algorithm>
#include <memory>
#include <windows.h>

namespace corvano::Subfolders {

namespace {

struct SearchCloser
{
    void operator()(void* search) const { ::FindClose(search); }
};
using Search = std::unique_ptr<void, SearchCloser>;

// The folder's search pattern in the form without the length limit of classic paths.
std::wstring patternOf(const std::wstring& folder)
{
    std::wstring pattern = folder.starts_with(L"\\\\?\\") ? folder
                           : folder.starts_with(L"\\\\")  ? L"\\\\?\\UNC" + folder.substr(1)
                                                          : L"\\\\?\\" + folder;
    if (!pattern.ends_with(L'\\'))
        pattern += L'\\';
    return pattern + L'*';
}

bool isShownFolder(const WIN32_FIND_DATAW& entry)
{
    const std::wstring_view name = entry.cFileName;
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && name != L"." && name != L"..";
}

} // namespace

bool naturalLess(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, SORT_DIGITSASNUMBERS, a.data(),
                             static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                             nullptr, nullptr, 0) == CSTR_LESS_THAN;
}

std::optional<std::vector<std::wstring>> of(const std::wstring& folder)
{
    const QuietDriveErrors quiet;
    WIN32_FIND_DATAW entry;
    const HANDLE first = ::FindFirstFileExW(patternOf(folder).c_str(), FindExInfoBasic, &entry,
                                            FindExSearchLimitToDirectories, nullptr, 0);
    std::vector<std::wstring> names;
    if (first == INVALID_HANDLE_VALUE) {
        // An empty root has not even "." and "..".
        if (::GetLastError() == ERROR_FILE_NOT_FOUND)
            return names;
        return std::nullopt;
    }
    const Search search(first);
    do {
        if (isShownFolder(entry))
            names.emplace_back(entry.cFileName);
    } while (::FindNextFileW(search.get(), &entry));
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

} // namespace corvano::Subfolders
