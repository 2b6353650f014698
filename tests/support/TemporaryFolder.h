#pragma once

#include <filesystem>
#include <string>

namespace corvano::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder as a text ending with "/", the form the target folder text takes.
    std::string prefix() const { return m_path.string() + "/"; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};

} // namespace corvano::test
