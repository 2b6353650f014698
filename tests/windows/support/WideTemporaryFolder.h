#pragma once

#include "../../support/TemporaryFolder.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <string>
#include <vector>
#include <windows.h> // the tests that use it call the system directly

namespace corvano::test {

// A temporary folder whose paths are UTF-8 with "\" separators, as the program gets them.
class WideTemporaryFolder
{
public:
    std::wstring widePath() const { return m_folder.path().wstring(); }
    std::string path() const { return WideText::toUtf8(widePath()); }
    std::string file(const std::string& name) const { return path() + "\\" + name; }
    // The names of the entries, as UTF-8.
    std::vector<std::string> names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.path()))
            names.push_back(WideText::toUtf8(entry.path().filename().wstring()));
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    TemporaryFolder m_folder;
};

} // namespace corvano::test
