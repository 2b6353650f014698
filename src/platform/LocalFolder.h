#pragma once

#include "FileDescriptor.h"
#include "Folder.h"
#include "TakenNames.h"

#include <atomic>

struct stat;

namespace corvano {

class LocalFileSystem;

// A folder of the real file system, held open by a descriptor: files are made relative to it
// (openat, linkat, renameat), so its path is resolved once, not once per file. A file is
// written without a name and named when complete, replacing a taken name through a temporary
// name and a rename; where the file system cannot make unnamed files, it is written under the
// temporary name. A file that already holds the bytes is left alone.
class LocalFolder : public Folder
{
public:
    // Opens the folder at path ("" is the working folder); a failure names reportPath.
    LocalFolder(LocalFileSystem& files, const std::string& path, const std::string& reportPath);

    void replaceFile(const std::string& name, std::string_view bytes,
                     FileSystem::Durability durability) override;
    std::unique_ptr<PreparedFile> prepareFile(const std::string& name, std::string_view bytes,
                                              FileSystem::Durability durability) override;
    std::size_t maxNameLength() const override;
    // The same without an unnamed file: always a temporary and a rename. For a lone file,
    // where the folder is opened for it alone and a link would cost a second write.
    void replaceThroughTemporary(const std::string& name, std::string_view bytes,
                                 FileSystem::Durability durability);

private:
    struct Landing;
    class UnnamedFile;
    class TemporaryFile;
    class UnchangedFile;

    static Landing landingOf(int folder, std::string path, const std::string& reportPath);
    bool holds(const Landing& target, std::string_view bytes) const;
    std::unique_ptr<UnnamedFile> prepareUnnamed(const std::string& name, const struct stat* old,
                                                std::string_view bytes,
                                                FileSystem::Durability durability,
                                                const std::string& path);
    std::unique_ptr<TemporaryFile> writeTemporary(const std::string& target, const struct stat* old,
                                                  std::string_view bytes,
                                                  FileSystem::Durability durability,
                                                  const std::string& path);
    void replaceExisting(FileDescriptor file, const std::string& name, std::string_view bytes,
                         FileSystem::Durability durability, const std::string& path);
    void renameInto(FileDescriptor file, const std::string& name, FileSystem::Durability durability,
                    const std::string& path);
    std::string linkUnderTemporaryName(int fd, const std::string& path);
    FileDescriptor createTemporary(const std::string& folder, std::string& name,
                                   const std::string& path);
    void writeAll(int fd, std::string_view bytes, const std::string& path);
    void sync(int fd, const std::string& path);
    void syncFolder(const std::string& folder, const std::string& path);

    LocalFileSystem& m_files;
    std::string m_path; // "" or ending with "/": the file's path in messages is m_path + name
    FileDescriptor m_fd;
    // Until the file system turns out unable to make or name them; read and cleared by the
    // thread that prepares as well as by the one that places.
    std::atomic<bool> m_unnamedFiles = true;
    TakenNames m_takenNames{m_fd.get()};
};

} // namespace corvano
