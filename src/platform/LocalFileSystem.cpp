#include "LocalFileSystem.h"

#include "FileDescriptor.h"
#include "FileError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace corvano {

namespace {

[[noreturn]] void fail(const std::string& path, int error)
{
    throw FileError(path, std::strerror(error));
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

void writeAll(int fd, std::string_view bytes, const std::string& path)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
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

void LocalFileSystem::replaceFile(const std::string& path, std::string_view bytes)
{
    const std::string folder = folderOf(path);
    std::string temporary;
    FileDescriptor fd;
    for (int attempt = 0; !fd.isOpen(); ++attempt) {
        temporary = temporaryNameIn(folder);
        fd = FileDescriptor(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.isOpen() && (errno != EEXIST || attempt == 16))
            fail(path, errno);
    }
    try {
        writeAll(fd.get(), bytes, path);
        if (!fd.close())
            fail(path, errno);
        if (::rename(temporary.c_str(), path.c_str()) != 0)
            fail(path, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

std::size_t LocalFileSystem::maxNameLength(const std::string& folder) const
{
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

} // namespace corvano
