#pragma once

#include "SystemServices.h"

namespace corvano {

// The system services on Linux, through POSIX calls. A name that begins with "." counts as
// hidden; Linux has no system-file mark.
class LocalSystemServices : public SystemServices
{
public:
    std::optional<std::string> windowsDirectory() const override;
    std::string findFirst(const std::string& path, SearchAttributes attributes) const override;
    void copyFile(const std::string& source, const std::string& target) override;
    // The command line is split at blanks into the program and its arguments, so blanks at
    // its end add no argument. The program is looked up on PATH.
    void startWithoutWaiting(const std::string& commandLine) override;
};

} // namespace corvano
