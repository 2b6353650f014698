#pragma once

#include "platform/Folder.h"

namespace corvano {

class Win32FileSystem;

// A folder on Windows, named by its path: ReplaceFileW works on paths, so there is no handle
// to keep, and the name limit is the same for every folder.
class Win32Folder : public Folder
{
public:
    // path ends with a separator, or is empty for the current folder.
    Win32Folder(Win32FileSystem& files, std::string path) : m_files(files), m_path(std::move(path))
    {}

    void replaceFile(const std::string& name, std::string_view bytes,
                     FileSystem::Durability durability) override;
    bool updateFile(const std::string& name, std::string_view bytes) override;
    // Windows counts UTF-16 units; Linux counts bytes, and the names must come out the same
    // on both, so the smaller limit of the two holds here too.
    std::size_t maxNameLength() const override { return 255; }

private:
    bool holds(const std::string& path, std::string_view bytes) const;

    Win32FileSystem& m_files;
    std::string m_path;
};

} // namespace corvano
