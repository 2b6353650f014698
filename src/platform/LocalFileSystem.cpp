#include "LocalFileSystem.h"

#include "FileDescriptor.h"
#include "FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace corvano {

namespace {

[[noreturn]] void fail(const std::string& path, int error)
{
    throw FileError(path, std::error_code(error, std::generic_category()));
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A short name, so that a target whose name is at the length limit still gets a temporary.
std::string temporaryNameIn(const std::string& folder)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".cv%012llx.tmp",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    return folder + name;
}

// Where a write to path really lands: through any symbolic links to the file they end at
// (which need not exist yet), so that replacing it leaves the links in place.
std::string linkTarget(std::string path)
{
    constexpr int kMaxLinks = 40; // as the system allows before it reports a loop
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info
        {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            return path; // changed under us: let the rename meet whatever is there now
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : folderOf(path) + target;
    }
    fail(path, ELOOP);
}

// A new file under a free temporary name in folder; its name goes to name.
FileDescriptor createTemporaryIn(const std::string& folder, std::string& name,
                                 const std::string& path)
{
    for (int attempt = 0;; ++attempt) {
        name = temporaryNameIn(folder);
        FileDescriptor fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.isOpen())
            return fd;
        if (errno != EEXIST || attempt == 16)
            fail(path, errno);
    }
}

// The new file gets the permissions the user gave the old one, not the default ones.
void keepPermissions(int fd, const std::string& target, const std::string& path)
{
    struct stat old
    {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
        ::fchmod(fd, old.st_mode & 0777) != 0)
        fail(path, errno);
}

} // namespace

bool LocalFileSystem::exists(const std::string& path) const
{
    // An empty text looks in the current folder, which always exists.
    struct stat info
    {};
    return path.empty() || ::stat(path.c_str(), &info) == 0;
}

std::uintmax_t LocalFileSystem::fileLength(const std::string& path) const
{
    struct stat info
    {};
    if (::stat(path.c_str(), &info) != 0)
        fail(path, errno);
    return static_cast<std::uintmax_t>(info.st_size);
}

std::string LocalFileSystem::readFile(const std::string& path) const
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.isOpen())
        fail(path, errno);
    std::string contents;
    struct stat info
    {};
    if (::fstat(fd.get(), &info) == 0 && info.st_size > 0)
        contents.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(path, errno);
        }
        if (got == 0)
            return contents;
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

void LocalFileSystem::createIfMissing(const std::string& path)
{
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (!fd.isOpen())
        fail(path, errno);
}

void LocalFileSystem::replaceFile(const std::string& path, std::string_view bytes,
                                  Durability durability)
{
    const std::string target = linkTarget(path);
    const std::string folder = folderOf(target);
    std::string temporary;
    FileDescriptor fd = createTemporaryIn(folder, temporary, path);
    try {
        keepPermissions(fd.get(), target, path);
        writeAll(fd.get(), bytes, path);
        if (durability == Durability::Flushed)
            sync(fd.get(), path);
        // A full disk may only show when the file is closed.
        if (closeFile(fd.release()) != 0)
            fail(path, errno);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            fail(path, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    if (durability == Durability::Flushed)
        syncFolder(folder, path);
}

void LocalFileSystem::writeAll(int fd, std::string_view bytes, const std::string& path)
{
    while (!bytes.empty()) {
        const ssize_t written = writeSome(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void LocalFileSystem::sync(int fd, const std::string& path)
{
    if (syncFile(fd) != 0)
        fail(path, errno);
}

// The rename is only lasting once the folder that records it is on the disk too.
void LocalFileSystem::syncFolder(const std::string& folder, const std::string& path)
{
    FileDescriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.isOpen())
        fail(path, errno);
    sync(fd.get(), path);
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

std::size_t LocalFileSystem::maxNameLength(const std::string& folder) const
{
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

} // namespace corvano
