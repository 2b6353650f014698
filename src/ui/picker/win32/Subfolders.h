#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The folders the folder list shows beneath the open folder.
namespace corvano::Subfolders {

// Names as people sort them: runs of digits by their value ("a9" before "a10"), letters in
// the user's language, a capital after its small letter.
bool naturalLess(std::wstring_view a, std::wstring_view b);
// The names of the folder's subfolders that are not hidden, in natural order; nothing when
// the folder cannot be listed (missing, no access, a drive that is not ready).
std::optional<std::vector<std::wstring>> of(const std::wstring& folder);

} // namespace corvano::Subfolders
