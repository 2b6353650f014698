#pragma once

#include "FileDescriptor.h"
#include "Folder.h"

namespace corvano {

class LocalFileSystem;

// A folder of the real file system, held open by a descriptor: files are made relative to it
// (openat, linkat, renameat), so its path is resolved once, not once per file. A new file is
// written without a name and named when complete; a name that is taken is replaced through a
// temporary and a rename, as it is where the file system cannot make unnamed files.
class LocalFolder : public Folder
{
public:
    // Opens the folder at path ("" is the working folder); a failure names reportPath.
    LocalFolder(LocalFileSystem& files, const std::string& path, const std::string& reportPath);

    void replaceFile(const std::string& name, std::string_view bytes,
                     FileSystem::Durability durability) override;
    std::size_t maxNameLength() const override;
    // The same without an unnamed file: always a temporary and a rename. For a lone file,
    // where the folder is opened for it alone and a link would cost a second write.
    void replaceThroughTemporary(const std::string& name, std::string_view bytes,
                                 FileSystem::Durability durability);

private:
    bool replaceUnnamed(const std::string& name, std::string_view bytes,
                        FileSystem::Durability durability, const std::string& path);
    void replaceExisting(FileDescriptor file, const std::string& name, std::string_view bytes,
                         FileSystem::Durability durability, const std::string& path);
    void replaceThroughTemporary(const std::string& name, std::string_view bytes,
                                 FileSystem::Durability durability, const std::string& path);
    std::string linkUnderTemporaryName(int fd, const std::string& path);
    FileDescriptor createTemporary(const std::string& folder, std::string& name,
                                   const std::string& path);
    void writeAll(int fd, std::string_view bytes, const std::string& path);
    void sync(int fd, const std::string& path);
    void syncFolder(const std::string& folder, const std::string& path);

    LocalFileSystem& m_files;
    std::string m_path; // "" or ending with "/": the file's path in messages is m_path + name
    FileDescriptor m_fd;
    bool m_unnamedFiles = true; // until the file system turns out unable to make or name them
};

} // namespace corvano
