#include "LocalFileSystem.h"

#include "FileDescriptor.h"
#include "FileError.h"
#include "LocalFolder.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvano {

bool LocalFileSystem::exists(const std::string& path) const
{
    // An empty text looks in the current folder, which always exists.
    struct stat info = {};
    return path.empty() || ::stat(path.c_str(), &info) == 0;
}

std::uintmax_t LocalFileSystem::fileLength(const std::string& path) const
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        FileError::throwFor(path, errno);
    return static_cast<std::uintmax_t>(info.st_size);
}

std::string LocalFileSystem::readFile(const std::string& path) const
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    auto contents = fd.isOpen() ? fd.readUpTo(std::string::npos) : std::nullopt;
    if (!contents)
        FileError::throwFor(path, errno);
    return std::move(*contents);
}

void LocalFileSystem::createIfMissing(const std::string& path)
{
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (!fd.isOpen())
        FileError::throwFor(path, errno);
}

void LocalFileSystem::replaceFile(const std::string& path, std::string_view bytes,
                                  Durability durability)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    LocalFolder(*this, folder, path).replaceFile(path.substr(folder.size()), bytes, durability);
}

std::unique_ptr<Folder> LocalFileSystem::openFolder(const std::string& path)
{
    return std::make_unique<LocalFolder>(*this, path, path);
}

ssize_t LocalFileSystem::writeSome(int fd, const char* data, std::size_t size)
{
    return ::write(fd, data, size);
}

int LocalFileSystem::syncFile(int fd)
{
    return ::fsync(fd);
}

int LocalFileSystem::closeFile(int fd)
{
    return ::close(fd);
}

int LocalFileSystem::openAt(int folderFd, const char* path, int flags)
{
    return ::openat(folderFd, path, flags, 0666);
}

int LocalFileSystem::linkUnnamed(int fd, int folderFd, const char* name)
{
    // Through /proc: linking the descriptor itself (AT_EMPTY_PATH) needs a privilege.
    char self[32];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
    return ::linkat(AT_FDCWD, self, folderFd, name, AT_SYMLINK_FOLLOW);
}

} // namespace corvano
