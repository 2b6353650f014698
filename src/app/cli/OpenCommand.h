#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace corvano {

class FileSystem;

// corvano-cli --open: opens the address of each shortcut file in the user's browser, so the
// desktop can hand the tool the shortcuts it writes. Returns the process exit code.
class OpenCommand
{
public:
    // Hands an address to the desktop; throws SystemError when it cannot be opened.
    using Opener = std::function<void(const std::string& address)>;

    OpenCommand(std::ostream& err, const FileSystem& files, Opener opener)
        : m_err(err), m_files(files), m_opener(std::move(opener))
    {}

    // Every file is tried; one that cannot be opened does not stop the others.
    int execute(const std::vector<std::string>& paths);

private:
    bool open(const std::string& path);

    std::ostream& m_err;
    const FileSystem& m_files;
    Opener m_opener;
};

} // namespace corvano
