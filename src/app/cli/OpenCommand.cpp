#include "OpenCommand.h"

#include "ExitCode.h"
#include "InternetShortcut.h"
#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"

namespace corvano {

int OpenCommand::execute(const std::vector<std::string>& paths)
{
    bool allOpened = true;
    for (const std::string& path : paths)
        allOpened = open(path) && allOpened;
    return static_cast<int>(allOpened ? ExitCode::Ok : ExitCode::AddressError);
}

bool OpenCommand::open(const std::string& path)
{
    std::string bytes;
    try {
        bytes = m_files.readFile(path);
    } catch (const FileError& error) {
        m_err << path << ": " << error.what() << '\n';
        return false;
    }
    const auto address = InternetShortcut::address(bytes);
    if (!address) {
        m_err << path << ": 没有网址 (no URL= line in its [InternetShortcut] section)\n";
        return false;
    }
    if (!InternetShortcut::isWebAddress(*address)) {
        m_err << path << ": 拒绝打开 " << *address
              << " (only http, https and ftp addresses are opened)\n";
        return false;
    }
    try {
        m_opener(*address);
        return true;
    } catch (const SystemError& error) {
        m_err << path << ": " << error.what() << '\n';
        return false;
    }
}

} // namespace corvano
