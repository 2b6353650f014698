#pragma once

#include "platform/SystemServices.h"

namespace corvano {

// The system services on Windows, through the Win32 API. Paths and command lines are UTF-8
// and reach the system through its wide-character calls; "/" is taken for "\" in paths.
class Win32SystemServices : public SystemServices
{
public:
    // Read with GetWindowsDirectoryA, in the ANSI code page, and handed on as UTF-8.
    std::optional<std::string> windowsDirectory() const override;
    // Any failure of the search counts as nothing found, as a missing file does.
    std::string findFirst(const std::string& path, SearchAttributes attributes) const override;
    void copyFile(const std::string& source, const std::string& target) override;
    // Started minimised; the program is looked for where CreateProcessW looks for it.
    void startWithoutWaiting(const std::string& commandLine) override;
};

} // namespace corvano
