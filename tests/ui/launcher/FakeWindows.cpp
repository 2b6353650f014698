#include "FakeWindows.h"

#include "platform/FileError.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace corvano::test {

FakeWindows::FakeWindows(std::optional<std::string> windowsDirectory)
    : m_windowsDirectory(std::move(windowsDirectory))
{}

std::string FakeWindows::localPath(const std::string& path) const
{
    std::string mapped = path;
    std::transform(mapped.begin(), mapped.end(), mapped.begin(),
                   [](unsigned char c) { return c == '\\' ? '/' : std::tolower(c); });
    // "c:/windows" lies at <root>/c/windows.
    return m_root.prefix() + mapped.substr(0, 1) + mapped.substr(2);
}

void FakeWindows::addFolder(const std::string& path)
{
    std::filesystem::create_directories(localPath(path));
}

void FakeWindows::addFile(const std::string& path, const std::string& bytes)
{
    const std::filesystem::path file = localPath(path);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

bool FakeWindows::hasFile(const std::string& path) const
{
    return std::filesystem::is_regular_file(localPath(path));
}

std::string FakeWindows::read(const std::string& path) const
{
    std::ifstream stream(localPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

std::string FakeWindows::findFirst(const std::string& path, SearchAttributes attributes) const
{
    searched.push_back(path);
    if (attributes == SearchAttributes::OrdinaryFiles && m_hidden.contains(localPath(path)))
        return {};
    return m_local.findFirst(localPath(path), attributes);
}

void FakeWindows::copyFile(const std::string& source, const std::string& target)
{
    copies.emplace_back(source, target);
    if (!hasFile(source))
        throw FileError(source, "No such file or directory");
    if (refuseCopies)
        throw FileError(target, "Permission denied");
    m_local.copyFile(localPath(source), localPath(target));
}

void FakeWindows::startWithoutWaiting(const std::string& commandLine)
{
    if (refuseStarts)
        throw SystemError(commandLine, "No such file or directory");
    started.push_back(commandLine);
}

} // namespace corvano::test
