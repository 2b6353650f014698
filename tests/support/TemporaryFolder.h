#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

namespace corvano::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder
{
public:
    TemporaryFolder() : m_path(make()) {}
    ~TemporaryFolder() { std::filesystem::remove_all(m_path, m_ignored); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder as a text ending with "/", the form the target folder text takes.
    std::string prefix() const { return m_path.string() + "/"; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::string read(const std::string& name) const
    {
        std::ifstream in(m_path / name, std::ios::binary);
        if (!in)
            throw std::runtime_error("cannot read " + name);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void write(const std::string& name, const std::string& bytes) const
    {
        if (!(std::ofstream(m_path / name, std::ios::binary) << bytes))
            throw std::runtime_error("cannot write " + name);
    }
    // The names of the entries, as UTF-8 on every system.
    std::set<std::string> names() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            const auto name = entry.path().filename().u8string();
            names.emplace(name.begin(), name.end());
        }
        return names;
    }

private:
    // A random name, taken only when no folder has it yet (Windows has no mkdtemp).
    static std::filesystem::path make()
    {
        std::mt19937_64 random{std::random_device{}()};
        for (int attempt = 0; attempt < 16; ++attempt) {
            std::error_code error;
            if (const auto folder = std::filesystem::temp_directory_path() /
                                    ("corvano-test-" + std::to_string(random()));
                std::filesystem::create_directory(folder, error))
                return folder;
        }
        throw std::runtime_error("cannot create a temporary folder");
    }

    std::filesystem::path m_path;
    std::error_code m_ignored;
};

} // namespace corvano::test
