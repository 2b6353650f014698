#pragma once

#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "platform/Folder.h"

#include <map>

namespace corvano::fuzz {

// Files in memory, so a fuzz input becomes a file without touching the disk.
class MemoryFileSystem : public FileSystem
{
public:
    std::map<std::string, std::string> files;

    bool exists(const std::string& path) const override { return files.contains(path); }
    std::uintmax_t fileLength(const std::string& path) const override
    {
        return contentsOf(path).size();
    }
    std::string readFile(const std::string& path) const override { return contentsOf(path); }
    void createIfMissing(const std::string& path) override { files.try_emplace(path); }
    void replaceFile(const std::string& path, std::string_view bytes, Durability) override
    {
        files[path] = std::string(bytes);
    }
    std::unique_ptr<Folder> openFolder(const std::string& path) override
    {
        return std::make_unique<MemoryFolder>(*this, path);
    }

private:
    // A folder is the text before its files' names.
    class MemoryFolder : public Folder
    {
    public:
        MemoryFolder(MemoryFileSystem& files, std::string path)
            : m_files(files), m_path(std::move(path))
        {}
        void replaceFile(const std::string& name, std::string_view bytes,
                         Durability durability) override
        {
            m_files.replaceFile(m_path + name, bytes, durability);
        }
        bool updateFile(const std::string& name, std::string_view bytes) override
        {
            const auto [held, added] = m_files.files.try_emplace(m_path + name);
            if (!added && held->second == bytes)
                return false;
            held->second = bytes;
            return true;
        }
        std::size_t maxNameLength() const override { return 255; }

    private:
        MemoryFileSystem& m_files;
        std::string m_path;
    };

    const std::string& contentsOf(const std::string& path) const
    {
        const auto it = files.find(path);
        if (it == files.end())
            throw FileError(path, std::make_error_code(std::errc::no_such_file_or_directory));
        return it->second;
    }
};

} // namespace corvano::fuzz
