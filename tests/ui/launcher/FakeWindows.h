#pragma once

#include "TemporaryFolder.h"
#include "platform/LocalSystemServices.h"

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace corvano::test {

// A Windows system for the component check. Drive folders lie in a temporary folder; names
// compare without regard to case, as on Windows; files can be marked hidden; copies are made
// and recorded; started command lines are recorded instead of run.
class FakeWindows : public SystemServices
{
public:
    explicit FakeWindows(std::optional<std::string> windowsDirectory = "C:\\WINDOWS");

    void addFolder(const std::string& path);
    void addFile(const std::string& path, const std::string& bytes = "ocx");
    void markHidden(const std::string& path) { m_hidden.insert(localPath(path)); }
    bool hasFile(const std::string& path) const;
    std::string read(const std::string& path) const;
    // Where a path lies in the temporary folder.
    std::string localPath(const std::string& path) const;

    std::optional<std::string> windowsDirectory() const override { return m_windowsDirectory; }
    std::string findFirst(const std::string& path, SearchAttributes attributes) const override;
    void copyFile(const std::string& source, const std::string& target) override;
    void startWithoutWaiting(const std::string& commandLine) override;

    bool refuseCopies = false;
    bool refuseStarts = false;
    mutable std::vector<std::string> searched;
    std::vector<std::pair<std::string, std::string>> copies;
    std::vector<std::string> started;

private:
    TemporaryFolder m_root;
    std::optional<std::string> m_windowsDirectory;
    std::set<std::string> m_hidden;
    LocalSystemServices m_local;
};

} // namespace corvano::test
