#pragma once

#include "TemporaryFolder.h"

#ifdef _WIN32
#include "platform/win32/Win32SystemServices.h"
#else
#include "platform/LocalSystemServices.h"
#endif

#include <cctype>
#include <set>
#include <vector>

namespace corvano::test {

// A Windows system for the component check: its drives lie in a temporary folder, names compare
// without regard to case, files can be hidden, and command lines are recorded instead of run.
class FakeWindows : public SystemServices
{
public:
    // "C:\WINDOWS\" lies at <root>/c/windows/.
    std::string local(std::string path) const
    {
        for (char& c : path)
            c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return m_root.file(path.erase(1, 1));
    }
    void addFolder(const std::string& path) { std::filesystem::create_directories(local(path)); }
    void addFile(const std::string& path, const std::string& bytes, bool hidden = false)
    {
        std::filesystem::create_directories(std::filesystem::path(local(path)).parent_path());
        m_root.write(local(path), bytes);
        if (hidden)
            m_hidden.insert(local(path));
    }
    std::string read(const std::string& path) const { return m_root.read(local(path)); }

    std::optional<std::string> windowsDirectory() const override { return "C:\\WINDOWS"; }
    std::string findFirst(const std::string& path, SearchAttributes attributes) const override
    {
        return m_hidden.contains(local(path)) ? "" : m_local.findFirst(local(path), attributes);
    }
    void copyFile(const std::string& source, const std::string& target) override
    {
        m_local.copyFile(local(source), local(target));
    }
    void startWithoutWaiting(const std::string& line) override { started.push_back(line); }

    std::vector<std::string> started;

private:
    TemporaryFolder m_root;
    std::set<std::string> m_hidden;
    // The host's own services do the file work in the temporary folder.
#ifdef _WIN32
    Win32SystemServices m_local;
#else
    LocalSystemServices m_local;
#endif
};

} // namespace corvano::test
