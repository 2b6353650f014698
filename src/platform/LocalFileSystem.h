#pragma once

#include "FileSystem.h"

#include <sys/types.h>

namespace corvano {

// The real file system, through POSIX calls.
class LocalFileSystem : public FileSystem
{
public:
    bool exists(const std::string& path) const override;
    std::uintmax_t fileLength(const std::string& path) const override;
    std::string readFile(const std::string& path) const override;
    void createIfMissing(const std::string& path) override;
    void replaceFile(const std::string& path, std::string_view bytes,
                     Durability durability) override;
    std::unique_ptr<Folder> openFolder(const std::string& path) override;

protected:
    // The system calls that put a replacement's bytes down, so that a test can make one fail
    // the way a full or failing disk does. Each returns what the call returns and sets errno.
    virtual ssize_t writeSome(int fd, const char* data, std::size_t size);
    virtual int syncFile(int fd);
    // Closes fd in every case, as close() does.
    virtual int closeFile(int fd);
    // openat() with mode 0666, as a plain creat() passes: the umask takes off what the user
    // does not want.
    virtual int openAt(int folderFd, const char* path, int flags);
    // Gives the unnamed file fd a name in the folder; fails with EEXIST where it is taken.
    virtual int linkUnnamed(int fd, int folderFd, const char* name);

private:
    friend class LocalFolder; // writes through the calls above
};

} // namespace corvano
