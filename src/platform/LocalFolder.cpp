#include "LocalFolder.h"

#include "FileError.h"
#include "LocalFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace corvano {

namespace {

using Durability = FileSystem::Durability;

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
std::string temporaryName()
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".cv%012llx.tmp",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    return name;
}

// Where a write to a path (relative to the folder, or absolute) really lands: through any
// symbolic links to the entry they end at, which need not exist yet, so that replacing it
// leaves the links in place.
struct Landing
{
    std::string path;
    struct stat info
    {};
    bool found = false; // info holds what is there now
};

Landing landingOf(int folder, std::string path, const std::string& reportPath)
{
    constexpr int kMaxLinks = 40; // as the system allows before it reports a loop
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        Landing landing{path};
        landing.found = ::fstatat(folder, path.c_str(), &landing.info, AT_SYMLINK_NOFOLLOW) == 0;
        if (!landing.found || !S_ISLNK(landing.info.st_mode))
            return landing;
        std::string target(static_cast<std::size_t>(landing.info.st_size) + 1, '\0');
        const ssize_t length = ::readlinkat(folder, path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            return Landing{path}; // changed under us: let the rename meet whatever is there now
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : folderOf(path) + target;
    }
    fail(reportPath, ELOOP);
}

// The new file gets the permissions the user gave the old one, not the default ones.
void keepPermissions(int fd, const struct stat& old, const std::string& path)
{
    if (S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 0777) != 0)
        fail(path, errno);
}

} // namespace

LocalFolder::LocalFolder(LocalFileSystem& files, const std::string& path,
                         const std::string& reportPath)
    : m_files(files), m_path(path.empty() || path.ends_with('/') ? path : path + "/"),
      // Only a handle to name files by: it needs no read permission on the folder.
      m_fd(::open(path.empty() ? "." : path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC))
{
    if (!m_fd.isOpen())
        fail(reportPath, errno);
}

void LocalFolder::replaceFile(const std::string& name, std::string_view bytes,
                              Durability durability)
{
    const std::string path = m_path + name;
    if (!m_unnamedFiles || !replaceUnnamed(name, bytes, durability, path))
        replaceThroughTemporary(name, bytes, durability, path);
}

void LocalFolder::replaceThroughTemporary(const std::string& name, std::string_view bytes,
                                          Durability durability)
{
    replaceThroughTemporary(name, bytes, durability, m_path + name);
}

// The bytes go into a file without a name, which gets its name only once it is complete: no
// temporary name to make, rename or leave behind. False, with nothing changed, where the file
// system cannot do this.
bool LocalFolder::replaceUnnamed(const std::string& name, std::string_view bytes,
                                 Durability durability, const std::string& path)
{
    FileDescriptor file(m_files.openUnnamed(m_fd.get()));
    if (!file.isOpen()) {
        // Older kernels report EISDIR, file systems without the feature EOPNOTSUPP.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            fail(path, errno);
        m_unnamedFiles = false;
        return false;
    }
    writeAll(file.get(), bytes, path);
    if (durability == Durability::Flushed)
        sync(file.get(), path);
    if (m_files.linkUnnamed(file.get(), m_fd.get(), name.c_str()) != 0) {
        if (errno == EEXIST) {
            replaceExisting(std::move(file), name, bytes, durability, path);
            return true;
        }
        // Without /proc the file cannot be named; any other cause shows again on the way back.
        if (errno != ENOENT)
            fail(path, errno);
        m_unnamedFiles = false;
        return false;
    }
    // The descriptor names the file until here. Where a file system reports a lost write
    // only at the close, the name it just got goes again.
    if (m_files.closeFile(file.release()) != 0) {
        const int error = errno;
        ::unlinkat(m_fd.get(), name.c_str(), 0);
        fail(path, error);
    }
    if (durability == Durability::Flushed)
        syncFolder("", path);
    return true;
}

// The written unnamed file takes a plain file's place through a temporary name and a rename;
// a link or anything else goes the general way, which follows links.
void LocalFolder::replaceExisting(FileDescriptor file, const std::string& name,
                                  std::string_view bytes, Durability durability,
                                  const std::string& path)
{
    struct stat old
    {};
    if (::fstatat(m_fd.get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(old.st_mode)) {
        file.close();
        replaceThroughTemporary(name, bytes, durability, path);
        return;
    }
    keepPermissions(file.get(), old, path);
    const std::string temporary = linkUnderTemporaryName(file.get(), path);
    try {
        // A full disk may only show when the file is closed.
        if (m_files.closeFile(file.release()) != 0)
            fail(path, errno);
        if (::renameat(m_fd.get(), temporary.c_str(), m_fd.get(), name.c_str()) != 0)
            fail(path, errno);
    } catch (...) {
        ::unlinkat(m_fd.get(), temporary.c_str(), 0);
        throw;
    }
    if (durability == Durability::Flushed)
        syncFolder("", path);
}

void LocalFolder::replaceThroughTemporary(const std::string& name, std::string_view bytes,
                                          Durability durability, const std::string& path)
{
    const Landing target = landingOf(m_fd.get(), name, path);
    const std::string folder = folderOf(target.path);
    std::string temporary;
    FileDescriptor file = createTemporary(folder, temporary, path);
    try {
        if (target.found)
            keepPermissions(file.get(), target.info, path);
        writeAll(file.get(), bytes, path);
        if (durability == Durability::Flushed)
            sync(file.get(), path);
        if (m_files.closeFile(file.release()) != 0)
            fail(path, errno);
        if (::renameat(m_fd.get(), temporary.c_str(), m_fd.get(), target.path.c_str()) != 0)
            fail(path, errno);
    } catch (...) {
        ::unlinkat(m_fd.get(), temporary.c_str(), 0);
        throw;
    }
    if (durability == Durability::Flushed)
        syncFolder(folder, path);
}

std::string LocalFolder::linkUnderTemporaryName(int fd, const std::string& path)
{
    for (int attempt = 0;; ++attempt) {
        std::string name = temporaryName();
        if (m_files.linkUnnamed(fd, m_fd.get(), name.c_str()) == 0)
            return name;
        if (errno != EEXIST || attempt == 16)
            fail(path, errno);
    }
}

// A new file under a free temporary name in folder (relative to this one); its path goes to
// name.
FileDescriptor LocalFolder::createTemporary(const std::string& folder, std::string& name,
                                            const std::string& path)
{
    for (int attempt = 0;; ++attempt) {
        name = folder + temporaryName();
        FileDescriptor fd(
            ::openat(m_fd.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.isOpen())
            return fd;
        if (errno != EEXIST || attempt == 16)
            fail(path, errno);
    }
}

void LocalFolder::writeAll(int fd, std::string_view bytes, const std::string& path)
{
    while (!bytes.empty()) {
        const ssize_t written = m_files.writeSome(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void LocalFolder::sync(int fd, const std::string& path)
{
    if (m_files.syncFile(fd) != 0)
        fail(path, errno);
}

// A new name is only lasting once the folder that records it is on the disk too.
void LocalFolder::syncFolder(const std::string& folder, const std::string& path)
{
    FileDescriptor fd(::openat(m_fd.get(), folder.empty() ? "." : folder.c_str(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.isOpen())
        fail(path, errno);
    sync(fd.get(), path);
}

std::size_t LocalFolder::maxNameLength() const
{
    const long limit = ::fpathconf(m_fd.get(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

} // namespace corvano
