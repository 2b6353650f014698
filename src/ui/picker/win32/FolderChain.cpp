#include "FolderChain.h"

namespace corvano::FolderChain {

namespace {

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool isLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Where the part that starts at `from` ends: at the next separator or the end.
std::size_t partEnd(std::wstring_view path, std::size_t from)
{
    while (from < path.size() && !isSeparator(path[from]))
        ++from;
    return from;
}

std::wstring shareRoot(std::wstring_view path)
{
    const std::size_t serverEnd = partEnd(path, 2);
    const std::size_t shareEnd = partEnd(path, serverEnd + 1);
    if (serverEnd == 2 || serverEnd >= path.size() || shareEnd == serverEnd + 1)
        return {};
    return L"\\\\" + std::wstring(path.substr(2, serverEnd - 2)) + L'\\' +
           std::wstring(path.substr(serverEnd + 1, shareEnd - serverEnd - 1)) + L'\\';
}

// How many characters of a path with a root the root takes, without the separator after it.
std::size_t rootLength(std::wstring_view path)
{
    return path[1] == L':' ? 2 : partEnd(path, partEnd(path, 2) + 1);
}

} // namespace

std::wstring rootOf(std::wstring_view fullPath)
{
    if (fullPath.size() >= 2 && isLetter(fullPath[0]) && fullPath[1] == L':' &&
        (fullPath.size() == 2 || isSeparator(fullPath[2]))) {
        const wchar_t letter = fullPath[0] >= L'a' ? fullPath[0] - L'a' + L'A' : fullPath[0];
        return {letter, L':', L'\\'};
    }
    if (fullPath.size() > 2 && isSeparator(fullPath[0]) && isSeparator(fullPath[1]))
        return shareRoot(fullPath);
    return {};
}

std::vector<FolderLink> of(std::wstring_view fullPath)
{
    const std::wstring root = rootOf(fullPath);
    if (root.empty())
        return {};
    std::vector<FolderLink> chain{{root, root}};
    for (std::size_t start = rootLength(fullPath); start < fullPath.size();) {
        const std::size_t end = partEnd(fullPath, start + 1);
        const std::wstring_view name = fullPath.substr(start + 1, end - start - 1);
        if (!name.empty()) {
            const std::wstring& above = chain.back().path;
            chain.push_back({std::wstring(name),
                             above + (above.back() == L'\\' ? L"" : L"\\") + std::wstring(name)});
        }
        start = end;
    }
    return chain;
}

} // namespace corvano::FolderChain
