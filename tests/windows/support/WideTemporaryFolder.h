#pragma once

#include "../../support/TemporaryFolder.h"
#include "platform/win32/WideText.h"

#include <string>
#include <windows.h> // the tests that use it call the system directly

namespace corvano::test {

// A temporary folder whose paths are UTF-8 with "\" separators, as the program gets them.
class WideTemporaryFolder
{
public:
    std::wstring widePath() const { return m_folder.path().wstring(); }
    std::string path() const { return WideText::toUtf8(widePath()); }
    std::string file(const std::string& name) const { return path() + "\\" + name; }
    std::set<std::string> names() const { return m_folder.names(); }

private:
    TemporaryFolder m_folder;
};

} // namespace corvano::test
