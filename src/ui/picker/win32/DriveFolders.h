#pragma once

#include <string>
#include <vector>

// The machine's drives and the current folder Windows keeps for each of them.
namespace corvano::DriveFolders {

// One drive list entry per drive, in the order of the letters.
std::vector<std::wstring> entries();
// The drive's current folder, its root when none was made current; a root ends with "\",
// every other folder does not. root: "C:\".
std::wstring currentFolder(const std::wstring& root);
// Makes the root the current folder of its drive; false, with nothing changed, when the drive
// is not ready.
bool makeRootCurrent(const std::wstring& root);
// The path made absolute against the current folders, "." and ".." resolved; empty on failure.
std::wstring fullPath(const std::wstring& path);
// The program's current folder.
std::wstring currentDirectory();

} // namespace corvano::DriveFolders
