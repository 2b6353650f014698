#include "LocalFolder.h"

#include "FileError.h"
#include "LocalFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace corvano {

namespace {

using Durability = FileSystem::Durability;

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

} // namespace

// Where a write to a name really lands: through any symbolic links to the entry they end at,
// which need not exist yet, so that replacing it leaves the links in place. The path is
// relative to the folder, or absolute.
struct LocalFolder::Landing
{
    std::string path;
    struct stat info = {};
    bool found = false; // info holds what is there now
};

// A new file under a free temporary name, removed again unless it is renamed into place.
class LocalFolder::Temporary
{
public:
    // folder: relative to the open one, "" or ending with "/".
    Temporary(LocalFolder& owner, const std::string& folder, const std::string& path)
        : m_owner(owner)
    {
        for (int attempt = 0; !m_file.isOpen(); ++attempt) {
            std::string name = folder + temporaryName();
            m_file = FileDescriptor(m_owner.m_files.openAt(
                m_owner.m_fd.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC));
            if (m_file.isOpen())
                m_name = std::move(name);
            else if (errno != EEXIST || attempt == 16)
                FileError::throwFor(path, errno);
        }
    }
    ~Temporary()
    {
        if (!m_name.empty())
            ::unlinkat(m_owner.m_fd.get(), m_name.c_str(), 0);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    int fd() const { return m_file.get(); }

    void renameTo(const std::string& target, const std::string& path)
    {
        // A full disk may only show when the file is closed.
        if (m_owner.m_files.closeFile(m_file.release()) != 0)
            FileError::throwFor(path, errno);
        const int folder = m_owner.m_fd.get();
        if (::renameat(folder, m_name.c_str(), folder, target.c_str()) != 0)
            FileError::throwFor(path, errno);
        m_name.clear();
    }

private:
    LocalFolder& m_owner;
    std::string m_name; // empty until made, and again once renamed
    FileDescriptor m_file;
};

LocalFolder::LocalFolder(LocalFileSystem& files, const std::string& path,
                         const std::string& reportPath)
    : m_files(files), m_path(path.empty() || path.ends_with('/') ? path : path + "/"),
      // Only a handle to name files by: it needs no read permission on the folder.
      m_fd(::open(path.empty() ? "." : path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC))
{
    if (!m_fd.isOpen())
        FileError::throwFor(reportPath, errno);
}

void LocalFolder::replaceFile(const std::string& name, std::string_view bytes,
                              Durability durability)
{
    write(name, landingOf(name), bytes, durability);
}

// One look at the name serves both the comparison and the write.
bool LocalFolder::updateFile(const std::string& name, std::string_view bytes)
{
    const Landing target = landingOf(name);
    if (target.found && S_ISREG(target.info.st_mode) &&
        static_cast<std::uintmax_t>(target.info.st_size) == bytes.size()) {
        // Not blocking, should a pipe have taken the file's place since.
        const FileDescriptor file(
            ::openat(m_fd.get(), target.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        const auto held = file.readUpTo(bytes.size() + 1); // one more, to see a file that grew
        if (held && *held == bytes)
            return false;
    }
    write(name, target, bytes, Durability::Cached);
    return true;
}

void LocalFolder::write(const std::string& name, Landing target, std::string_view bytes,
                        Durability durability)
{
    const std::string path = m_path + name;
    if (target.found || !m_unnamedFiles || !linkUnnamed(target.path, bytes, durability, path)) {
        // A name taken since it was looked at is replaced as a taken one: its permissions stay.
        if (!target.found)
            target = landingOf(name);
        renameTemporary(target, bytes, durability, path);
    }
    if (durability == Durability::Flushed)
        syncFolder(folderOf(target.path), path);
}

LocalFolder::Landing LocalFolder::landingOf(const std::string& name) const
{
    constexpr int kMaxLinks = 40; // as the system allows before it reports a loop
    Landing landing{name};
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        landing.found =
            ::fstatat(m_fd.get(), landing.path.c_str(), &landing.info, AT_SYMLINK_NOFOLLOW) == 0;
        if (!landing.found || !S_ISLNK(landing.info.st_mode))
            return landing;
        std::string target(static_cast<std::size_t>(landing.info.st_size) + 1, '\0');
        const ssize_t length =
            ::readlinkat(m_fd.get(), landing.path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            return landing; // changed under us: the rename meets whatever is there now
        target.resize(static_cast<std::size_t>(length));
        landing.path = target.starts_with('/') ? target : folderOf(landing.path) + target;
    }
    FileError::throwFor(m_path + name, ELOOP);
}

// The bytes go into a file without a name, which is linked in once complete: no temporary
// name to make or leave behind. False, with nothing made, where the file system cannot make
// such files, where they cannot be named (no /proc), or where the name was taken meanwhile.
bool LocalFolder::linkUnnamed(const std::string& target, std::string_view bytes,
                              Durability durability, const std::string& path)
{
    const std::string folder = folderOf(target);
    FileDescriptor file(m_files.openAt(m_fd.get(), folder.empty() ? "." : folder.c_str(),
                                       O_TMPFILE | O_WRONLY | O_CLOEXEC));
    if (!file.isOpen()) {
        // Older kernels report EISDIR, file systems without the feature EOPNOTSUPP.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            FileError::throwFor(path, errno);
        m_unnamedFiles = false;
        return false;
    }
    writeAll(file.get(), bytes, durability, path);
    if (m_files.linkUnnamed(file.get(), m_fd.get(), target.c_str()) != 0) {
        // Taken meanwhile, or no /proc to name the file by; any other cause of ENOENT shows
        // again on the way through a temporary.
        if (errno != EEXIST && errno != ENOENT)
            FileError::throwFor(path, errno);
        m_unnamedFiles = errno == EEXIST;
        return false;
    }
    // Where a file system reports a lost write only at the close, the new name goes again.
    if (m_files.closeFile(file.release()) != 0) {
        const int error = errno;
        ::unlinkat(m_fd.get(), target.c_str(), 0);
        FileError::throwFor(path, error);
    }
    return true;
}

// The temporary goes beside the file the name finally stands for, so that the rename cannot
// cross file systems, and takes the permissions the user gave the file it replaces.
void LocalFolder::renameTemporary(const Landing& target, std::string_view bytes,
                                  Durability durability, const std::string& path)
{
    Temporary temporary(*this, folderOf(target.path), path);
    if (target.found && S_ISREG(target.info.st_mode) &&
        ::fchmod(temporary.fd(), target.info.st_mode & 0777) != 0)
        FileError::throwFor(path, errno);
    writeAll(temporary.fd(), bytes, durability, path);
    temporary.renameTo(target.path, path);
}

void LocalFolder::writeAll(int fd, std::string_view bytes, Durability durability,
                           const std::string& path)
{
    while (!bytes.empty()) {
        const ssize_t written = m_files.writeSome(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            FileError::throwFor(path, errno);
        bytes.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(written, 0)));
    }
    if (durability == Durability::Flushed && m_files.syncFile(fd) != 0)
        FileError::throwFor(path, errno);
}

// A new name lasts only once the folder that records it is on the disk too. The file is in
// place by now: a folder this user may not read, or a file system that cannot flush folders,
// leaves the name as lasting as the system makes it, which is no failed save.
void LocalFolder::syncFolder(const std::string& folder, const std::string& path)
{
    FileDescriptor fd(m_files.openAt(m_fd.get(), folder.empty() ? "." : folder.c_str(),
                                     O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.isOpen() && errno != EACCES && errno != EPERM)
        FileError::throwFor(path, errno);
    if (fd.isOpen() && m_files.syncFile(fd.get()) != 0 && errno != EINVAL && errno != ENOTSUP &&
        errno != ENOSYS)
        FileError::throwFor(path, errno);
}

std::size_t LocalFolder::maxNameLength() const
{
    const long limit = ::fpathconf(m_fd.get(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

} // namespace corvano
