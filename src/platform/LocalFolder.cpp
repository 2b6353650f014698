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

// The new file gets the permissions the user gave the old one, not the default ones.
void keepPermissions(int fd, const struct stat& old, const std::string& path)
{
    if (S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 0777) != 0)
        fail(path, errno);
}

// The same file, not written to or replaced since the first was taken: a replacement is a
// new inode, a write changes the times.
bool sameFile(const struct stat& now, const struct stat& seen)
{
    const auto sameTime = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return now.st_dev == seen.st_dev && now.st_ino == seen.st_ino && now.st_size == seen.st_size &&
           sameTime(now.st_mtim, seen.st_mtim) && sameTime(now.st_ctim, seen.st_ctim);
}

} // namespace

// Where a write to a path (relative to the folder, or absolute) really lands: through any
// symbolic links to the entry they end at, which need not exist yet, so that replacing it
// leaves the links in place.
struct LocalFolder::Landing
{
    std::string path;
    struct stat info
    {};
    bool found = false; // info holds what is there now

    const struct stat* existing() const { return found ? &info : nullptr; }
};

LocalFolder::Landing LocalFolder::landingOf(int folder, std::string path,
                                            const std::string& reportPath)
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

// Written without a name; place() links it in. Dropped unplaced, it closes and is gone.
class LocalFolder::UnnamedFile : public Folder::PreparedFile
{
public:
    // taken: the name stood for a plain file when the bytes went down.
    UnnamedFile(LocalFolder& folder, FileDescriptor file, bool taken, const std::string& name,
                std::string_view bytes, Durability durability, std::string path)
        : m_folder(folder), m_file(std::move(file)), m_taken(taken), m_name(name), m_bytes(bytes),
          m_durability(durability), m_path(std::move(path))
    {}

    void place() override;

private:
    void link();

    LocalFolder& m_folder;
    FileDescriptor m_file;
    bool m_taken;
    std::string m_name;
    std::string m_bytes; // for the way through a temporary, should the name be taken by now
    Durability m_durability;
    std::string m_path;
};

// Written under a temporary name; place() renames it to its target. Dropped unplaced, the
// temporary goes.
class LocalFolder::TemporaryFile : public Folder::PreparedFile
{
public:
    // target is relative to the folder, or absolute.
    TemporaryFile(LocalFolder& folder, std::string temporary, std::string target,
                  Durability durability, std::string path)
        : m_folder(folder), m_temporary(std::move(temporary)), m_target(std::move(target)),
          m_durability(durability), m_path(std::move(path))
    {}
    ~TemporaryFile() override
    {
        if (!m_placed)
            ::unlinkat(m_folder.m_fd.get(), m_temporary.c_str(), 0);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void place() override;

private:
    LocalFolder& m_folder;
    std::string m_temporary;
    std::string m_target;
    Durability m_durability;
    std::string m_path;
    bool m_placed = false;
};

// A file that already held the bytes when it was looked at: place() leaves it alone unless
// it has changed since, by an earlier file of the same name or by the user.
class LocalFolder::UnchangedFile : public Folder::PreparedFile
{
public:
    UnchangedFile(LocalFolder& folder, const std::string& name, std::string target,
                  const struct stat& seen, std::string_view bytes)
        : m_folder(folder), m_name(name), m_target(std::move(target)), m_seen(seen), m_bytes(bytes)
    {}

    void place() override;

private:
    LocalFolder& m_folder;
    std::string m_name;
    std::string m_target;
    struct stat m_seen;
    std::string m_bytes;
};

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
    prepareFile(name, bytes, durability)->place();
}

// A file that already holds the bytes is left as it is. Otherwise the bytes go into a file
// without a name, which gets its name only once complete: no temporary name to make or leave
// behind. Through a link, or where the file system cannot make such files, they go into a
// temporary beside the target.
std::unique_ptr<Folder::PreparedFile>
LocalFolder::prepareFile(const std::string& name, std::string_view bytes, Durability durability)
{
    const std::string path = m_path + name;
    // Looking a free name up would hold up, for the folder's lock, the naming of the file
    // before; the names known to be taken say which need no look.
    if (m_unnamedFiles && !m_takenNames.mayBeTaken(name)) {
        if (auto file = prepareUnnamed(name, nullptr, bytes, durability, path))
            return file;
    }
    const Landing target = landingOf(m_fd.get(), name, path);
    const bool plainFile = target.found && S_ISREG(target.info.st_mode);
    // Whether the file is on the disk yet is not known, so a flushed one is always written.
    if (plainFile && durability == Durability::Cached && holds(target, bytes))
        return std::make_unique<UnchangedFile>(*this, name, target.path, target.info, bytes);
    if (m_unnamedFiles && target.path == name && (!target.found || plainFile)) {
        if (auto file = prepareUnnamed(name, target.existing(), bytes, durability, path))
            return file;
    }
    return writeTemporary(target.path, target.existing(), bytes, durability, path);
}

void LocalFolder::replaceThroughTemporary(const std::string& name, std::string_view bytes,
                                          Durability durability)
{
    const std::string path = m_path + name;
    const Landing target = landingOf(m_fd.get(), name, path);
    writeTemporary(target.path, target.existing(), bytes, durability, path)->place();
}

// Whether the plain file the landing found holds exactly these bytes. A file that cannot be
// read is written anew.
bool LocalFolder::holds(const Landing& target, std::string_view bytes) const
{
    if (static_cast<std::uintmax_t>(target.info.st_size) != bytes.size())
        return false;
    // Not blocking, should a pipe have taken the file's place since.
    FileDescriptor file(
        ::openat(m_fd.get(), target.path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen())
        return false;
    std::string held(bytes.size() + 1, '\0'); // one more, to see a file that has grown
    std::size_t got = 0;
    while (got < held.size()) {
        const ssize_t read = ::read(file.get(), held.data() + got, held.size() - got);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            break;
        got += static_cast<std::size_t>(read);
    }
    return got == bytes.size() && held.compare(0, got, bytes) == 0;
}

void LocalFolder::UnchangedFile::place()
{
    struct stat now
    {};
    if (::fstatat(m_folder.m_fd.get(), m_target.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 ||
        !sameFile(now, m_seen))
        m_folder.replaceThroughTemporary(m_name, m_bytes, Durability::Cached);
}

// Null, with nothing changed, where the file system cannot make unnamed files. old is the
// plain file the name stands for now, if any: the new one takes its permissions.
std::unique_ptr<LocalFolder::UnnamedFile>
LocalFolder::prepareUnnamed(const std::string& name, const struct stat* old, std::string_view bytes,
                            Durability durability, const std::string& path)
{
    FileDescriptor file(m_files.openUnnamed(m_fd.get()));
    if (!file.isOpen()) {
        // Older kernels report EISDIR, file systems without the feature EOPNOTSUPP.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            fail(path, errno);
        m_unnamedFiles = false;
        return nullptr;
    }
    if (old)
        keepPermissions(file.get(), *old, path);
    writeAll(file.get(), bytes, path);
    if (durability == Durability::Flushed)
        sync(file.get(), path);
    return std::make_unique<UnnamedFile>(*this, std::move(file), old != nullptr, name, bytes,
                                         durability, path);
}

void LocalFolder::UnnamedFile::place()
{
    if (m_taken)
        m_folder.renameInto(std::move(m_file), m_name, m_durability, m_path);
    else
        link();
}

void LocalFolder::UnnamedFile::link()
{
    if (m_folder.m_files.linkUnnamed(m_file.get(), m_folder.m_fd.get(), m_name.c_str()) != 0) {
        // Taken since it was prepared, by the user or by an earlier file of the same name.
        if (errno == EEXIST) {
            m_folder.replaceExisting(std::move(m_file), m_name, m_bytes, m_durability, m_path);
            return;
        }
        // Without /proc the file cannot be named; any other cause shows again on the way back.
        if (errno != ENOENT)
            fail(m_path, errno);
        m_folder.m_unnamedFiles = false;
        m_file.close();
        m_folder.replaceThroughTemporary(m_name, m_bytes, m_durability);
        return;
    }
    // The descriptor names the file until here. Where a file system reports a lost write
    // only at the close, the name it just got goes again.
    if (m_folder.m_files.closeFile(m_file.release()) != 0) {
        const int error = errno;
        ::unlinkat(m_folder.m_fd.get(), m_name.c_str(), 0);
        fail(m_path, error);
    }
    m_folder.m_takenNames.add(m_name);
    if (m_durability == Durability::Flushed)
        m_folder.syncFolder("", m_path);
}

// The written unnamed file takes a plain file's place; a link or anything else goes the
// general way, which follows links.
void LocalFolder::replaceExisting(FileDescriptor file, const std::string& name,
                                  std::string_view bytes, Durability durability,
                                  const std::string& path)
{
    struct stat old
    {};
    if (::fstatat(m_fd.get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(old.st_mode)) {
        file.close();
        replaceThroughTemporary(name, bytes, durability);
        return;
    }
    keepPermissions(file.get(), old, path);
    renameInto(std::move(file), name, durability, path);
}

// An unnamed file replaces what has the name through a temporary name and a rename.
void LocalFolder::renameInto(FileDescriptor file, const std::string& name, Durability durability,
                             const std::string& path)
{
    TemporaryFile temporary(*this, linkUnderTemporaryName(file.get(), path), name, durability,
                            path);
    // A full disk may only show when the file is closed.
    if (m_files.closeFile(file.release()) != 0)
        fail(path, errno);
    temporary.place();
}

// The temporary goes beside the file the name finally stands for, through any links, so
// that the rename cannot cross file systems and the links stay. old is what the target is
// now, if anything.
std::unique_ptr<LocalFolder::TemporaryFile>
LocalFolder::writeTemporary(const std::string& target, const struct stat* old,
                            std::string_view bytes, Durability durability, const std::string& path)
{
    std::string temporary;
    FileDescriptor file = createTemporary(folderOf(target), temporary, path);
    auto prepared = std::make_unique<TemporaryFile>(*this, temporary, target, durability, path);
    if (old)
        keepPermissions(file.get(), *old, path);
    writeAll(file.get(), bytes, path);
    if (durability == Durability::Flushed)
        sync(file.get(), path);
    if (m_files.closeFile(file.release()) != 0)
        fail(path, errno);
    return prepared;
}

void LocalFolder::TemporaryFile::place()
{
    const int folder = m_folder.m_fd.get();
    if (::renameat(folder, m_temporary.c_str(), folder, m_target.c_str()) != 0)
        fail(m_path, errno);
    m_placed = true;
    m_folder.m_takenNames.add(m_target);
    if (m_durability == Durability::Flushed)
        m_folder.syncFolder(folderOf(m_target), m_path);
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
