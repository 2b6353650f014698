#pragma once

#include <optional>
#include <string>

namespace corvano {

// Which entries a directory search may return. The numbers are the classic attribute values.
enum class SearchAttributes
{
    // Files that are neither folders nor hidden nor system files.
    OrdinaryFiles = 0,
    // Ordinary files and folders.
    WithFolders = 16,
};

// The system services the start-up component check relies on. Paths are in the system's own
// form. Failures of a copy throw FileError; failures of a query or a start throw SystemError.
class SystemServices
{
public:
    virtual ~SystemServices() = default;

    // The Windows directory without a trailing separator, or nothing on a system that has none.
    virtual std::optional<std::string> windowsDirectory() const = 0;
    // The name of the first entry that matches the path, or an empty text when none does. A
    // path that ends with a separator searches the entries of that folder.
    virtual std::string findFirst(const std::string& path, SearchAttributes attributes) const = 0;
    // Copies the file, replacing the target.
    virtual void copyFile(const std::string& source, const std::string& target) = 0;
    // Starts a command line as its own process and returns at once, without waiting for it.
    virtual void startWithoutWaiting(const std::string& commandLine) = 0;
};

} // namespace corvano
