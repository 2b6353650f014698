#pragma once

#include <string>
#include <string_view>

// The text of a drive list entry: the drive's letter in lower case and its colon, then the
// volume label in brackets when the volume has one ("c: [SYSTEM]").
namespace corvano::DriveEntry {

// root: the drive's root folder ("C:\").
std::wstring text(std::wstring_view root, std::wstring_view label);
// The root folder an entry names: its first two characters followed by "\"; an entry of two
// characters or fewer is taken whole.
std::wstring rootOf(std::wstring_view entry);

} // namespace corvano::DriveEntry
