#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvano {

// One folder on the way from a root down to the open folder.
struct FolderLink
{
    std::wstring name;
    std::wstring path; // a root ends with "\", every other folder does not
};

namespace FolderChain {

// The root of a full path: "C:\" (the letter in upper case) or "\\server\share\"; empty when
// the path starts with neither.
std::wstring rootOf(std::wstring_view fullPath);
// The root, named by its path, and each folder below it down to the last one of the path; "\"
// and "/" both separate, and empty parts are dropped. Empty when the path has no root.
std::vector<FolderLink> of(std::wstring_view fullPath);

} // namespace FolderChain

} // namespace corvano
