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
    std::size_t maxNameLength(const std::string& folder) const override;

protected:
    // The system calls that put a replacement's bytes down, so that a test can make one fail
    // the way a full or failing disk does. Each returns what the call returns and sets errno.
    virtual ssize_t writeSome(int fd, const char* data, std::size_t size);
    virtual int syncFile(int fd);
    // Closes fd in every case, as close() does.
    virtual int closeFile(int fd);

private:
    void writeAll(int fd, std::string_view bytes, const std::string& path);
    void sync(int fd, const std::string& path);
    void syncFolder(const std::string& folder, const std::string& path);
};

} // namespace corvano
