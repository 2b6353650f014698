#include "LocalSystemServices.h"

#include "FileError.h"
#include "FileSystem.h"
#include "SystemError.h"

#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace corvano {

namespace fs = std::filesystem;

namespace {

bool matches(const std::string& name, const fs::file_status& status, SearchAttributes attributes)
{
    if (name.empty() || name.front() == '.')
        return false;
    if (fs::is_regular_file(status))
        return true;
    return fs::is_directory(status) && attributes == SearchAttributes::WithFolders;
}

std::string firstEntryOf(const fs::path& folder, SearchAttributes attributes)
{
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return {};
    // A folder's listing starts with the folder itself, so a folder search finds it even empty.
    if (attributes == SearchAttributes::WithFolders)
        return ".";
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (matches(name, entry->status(error), attributes))
            return name;
    }
    return {};
}

std::vector<std::string> wordsOf(const std::string& commandLine)
{
    std::istringstream stream(commandLine);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

} // namespace

std::optional<std::string> LocalSystemServices::windowsDirectory() const
{
    // Linux has no Windows directory: there is no system folder for the components to be
    // missing from, so the component check examines nothing here.
    return std::nullopt;
}

std::string LocalSystemServices::findFirst(const std::string& path,
                                           SearchAttributes attributes) const
{
    if (!path.empty() && path.back() == FileSystem::kSeparator)
        return firstEntryOf(path, attributes);
    std::error_code error;
    const fs::path entry(path);
    const std::string name = entry.filename().string();
    return matches(name, fs::status(entry, error), attributes) ? name : std::string();
}

void LocalSystemServices::copyFile(const std::string& source, const std::string& target)
{
    std::error_code error;
    if (!fs::is_regular_file(source, error))
        throw FileError(source, std::make_error_code(std::errc::no_such_file_or_directory));
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (error)
        throw FileError(target, error);
}

void LocalSystemServices::startWithoutWaiting(const std::string& commandLine)
{
    std::vector<std::string> words = wordsOf(commandLine);
    if (words.empty())
        throw SystemError(commandLine, "the command line names no program");
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    pid_t child = 0;
    const int result =
        ::posix_spawnp(&child, arguments[0], nullptr, nullptr, arguments.data(), environ);
    if (result != 0)
        throw SystemError(commandLine, std::strerror(result));
    // The caller does not wait; this thread only collects the exit so no zombie is left.
    std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
}

} // namespace corvano
