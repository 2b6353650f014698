#pragma once

#include "FileDescriptor.h"
#include "Folder.h"

namespace corvano {

class LocalFileSystem;

// A folder of the real file system, held open by a descriptor: files are made relative to it
// (openat, linkat, renameat), so its path is resolved once, not once per file. A new name gets
// a file written without a name and linked in once complete; a taken name, or a file system
// that cannot make or name such files, gets a temporary beside the target and a rename.
class LocalFolder : public Folder
{
public:
    // Opens the folder at path ("" is the working folder); a failure names reportPath.
    LocalFolder(LocalFileSystem& files, const std::string& path, const std::string& reportPath);

    void replaceFile(const std::string& name, std::string_view bytes,
                     FileSystem::Durability durability) override;
    bool updateFile(const std::string& name, std::string_view bytes) override;
    std::size_t maxNameLength() const override;

private:
    struct Landing;
    class Temporary;

    Landing landingOf(const std::string& name) const;
    void write(const std::string& name, Landing target, std::string_view bytes,
               FileSystem::Durability durability);
    bool linkUnnamed(const std::string& target, std::string_view bytes,
                     FileSystem::Durability durability, const std::string& path);
    void renameTemporary(const Landing& target, std::string_view bytes,
                         FileSystem::Durability durability, const std::string& path);
    void writeAll(int fd, std::string_view bytes, FileSystem::Durability durability,
                  const std::string& path);
    void syncFolder(const std::string& folder, const std::string& path);

    LocalFileSystem& m_files;
    std::string m_path; // "" or ending with "/": the file's path in messages is m_path + name
    FileDescriptor m_fd;
    bool m_unnamedFiles = true; // until the file system turns out unable to make or name them
};

} // namespace corvano
