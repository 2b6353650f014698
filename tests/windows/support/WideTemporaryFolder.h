#pragma once

#include "platform/win32/WideText.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace corvano::test {

// A fresh folder under the system's temporary folder, removed with everything in it. Paths
// are handed out as UTF-8 with "\" separators, the form the program gets them in.
class WideTemporaryFolder
{
public:
    WideTemporaryFolder()
    {
        wchar_t base[MAX_PATH + 1];
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, base);
        std::mt19937_64 random{std::random_device{}()};
        for (int attempt = 0; attempt < 16; ++attempt) {
            m_path = std::wstring(base, length) + L"corvano-test-" + std::to_wstring(random());
            if (::CreateDirectoryW(m_path.c_str(), nullptr))
                return;
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    ~WideTemporaryFolder()
    {
        std::filesystem::remove_all(std::filesystem::path(m_path), m_ignored);
    }
    WideTemporaryFolder(const WideTemporaryFolder&) = delete;
    WideTemporaryFolder& operator=(const WideTemporaryFolder&) = delete;

    const std::wstring& widePath() const { return m_path; }
    std::string path() const { return WideText::toUtf8(m_path); }
    std::string file(const std::string& name) const { return path() + "\\" + name; }
    // The names of the entries, as UTF-8.
    std::vector<std::string> names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(m_path)))
            names.push_back(WideText::toUtf8(entry.path().filename().wstring()));
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::wstring m_path;
    std::error_code m_ignored;
};

} // namespace corvano::test
