#include "platform/LocalFileSystem.h"

#include "FailingFileSystem.h"
#include "TemporaryFolder.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace corvano;
using test::FailingFileSystem;
using Call = FailingFileSystem::Call;
using Durability = FileSystem::Durability;

namespace {

std::filesystem::perms permissionsOf(const std::filesystem::path& path)
{
    return std::filesystem::status(path).permissions();
}

} // namespace

// exists() counts files and folders; replaceFile() is all or nothing, with no temporary left
TEST(LocalFileSystem, ReplaceFileWritesExactBytesOrNothingAndLeavesNoTemporary)
{
    test::TemporaryFolder folder;
    LocalFileSystem files;
    files.replaceFile(folder.file("keep"), std::string("1\0\r\n", 4), Durability::Cached);
    EXPECT_EQ(folder.read("keep"), std::string("1\0\r\n", 4));
    files.replaceFile(folder.file("keep"), "old", Durability::Flushed);
    // An empty text is the working folder: an empty folder text writes there.
    EXPECT_TRUE(files.exists(folder.file("keep")) && files.exists(folder.prefix()) &&
                files.exists(""));
    EXPECT_FALSE(files.exists(folder.file("keep") + "/") || files.exists(folder.file("no")));
    std::filesystem::create_directory(folder.path() / "sub");
    EXPECT_THROW(files.replaceFile(folder.file("sub"), "x", Durability::Cached), FileError);
    const std::string impossible = folder.file("keep") + "/child";
    try {
        files.replaceFile(impossible, "new", Durability::Cached);
        ADD_FAILURE() << "writing below a file must fail";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), impossible);
        EXPECT_FALSE(error.reason().empty());
    }
    EXPECT_EQ(folder.read("keep"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

// What the user set up stays: links keep pointing at the replaced file, permissions stay
TEST(LocalFileSystem, ReplaceFileWritesThroughLinksAndKeepsPermissions)
{
    using std::filesystem::perms;
    test::TemporaryFolder folder;
    LocalFileSystem files;
    folder.write("real", "old");
    std::filesystem::permissions(folder.file("real"), perms::owner_read | perms::owner_write);
    std::filesystem::create_directory(folder.path() / "sub");
    std::filesystem::create_symlink("../real", folder.path() / "sub" / "relative");
    std::filesystem::create_symlink(folder.file("sub/relative"), folder.path() / "chain");
    std::filesystem::create_symlink("later", folder.path() / "dangling");
    for (const auto& [link, target] : std::vector<std::pair<std::string, std::string>>{
             {"sub/relative", "real"}, {"chain", "real"}, {"dangling", "later"}}) {
        files.replaceFile(folder.file(link), "new " + link, Durability::Flushed);
        EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / link)) << link;
        EXPECT_EQ(folder.read(target), "new " + link);
    }
    EXPECT_EQ(permissionsOf(folder.path() / "real"), perms::owner_read | perms::owner_write);
    std::filesystem::permissions(folder.file("real"), perms::owner_all | perms::group_read);
    files.replaceFile(folder.file("real"), "x", Durability::Cached);
    EXPECT_EQ(permissionsOf(folder.path() / "real"), perms::owner_all | perms::group_read);
    std::filesystem::create_symlink("loop", folder.path() / "loop");
    EXPECT_THROW(files.replaceFile(folder.file("loop"), "x", Durability::Cached), FileError);
}

// A write, flush or close that fails leaves the old file and no temporary; only a flushed
// replacement flushes, the file before the rename and its folder after
TEST(LocalFileSystem, FailedWriteSyncOrCloseLeavesTheOldFile)
{
    test::TemporaryFolder folder;
    FailingFileSystem files;
    folder.write("keep", "old");
    for (const auto call : {Call::Write, Call::Sync, Call::Close}) {
        files.failCall(call, 1);
        try {
            files.replaceFile(folder.file("keep"), "new", Durability::Flushed);
            ADD_FAILURE() << "a failed call must fail the replacement";
        } catch (const FileError& error) {
            EXPECT_EQ(error.path(), folder.file("keep"));
        }
        EXPECT_EQ(folder.read("keep"), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    }
    const int syncs = files.count(Call::Sync);
    files.replaceFile(folder.file("keep"), "cached", Durability::Cached);
    EXPECT_EQ(files.count(Call::Sync), syncs);
    files.replaceFile(folder.file("keep"), "flushed", Durability::Flushed);
    EXPECT_EQ(files.count(Call::Sync), syncs + 2);
    EXPECT_EQ(folder.read("keep"), "flushed");
}

// An open folder makes new files without a temporary name and replaces taken names, links
// and permissions kept, the same where the file system cannot make files without a name
TEST(LocalFileSystem, OpenFolderMakesAndReplacesFilesWithOrWithoutUnnamedFiles)
{
    using std::filesystem::perms;
    const mode_t oldMask = ::umask(022);
    for (const bool unnamed : {true, false}) {
        test::TemporaryFolder folder;
        FailingFileSystem files;
        if (!unnamed)
            files.lackUnnamedFiles();
        folder.write("taken", "old");
        std::filesystem::permissions(folder.file("taken"), perms::owner_read | perms::owner_write);
        std::filesystem::create_symlink("taken", folder.path() / "link");
        const auto open = files.openFolder(folder.path().string());
        EXPECT_EQ(open->maxNameLength(), 255u);
        open->replaceFile("new", "1", Durability::Cached);
        open->replaceFile("new", "2", Durability::Flushed);
        open->replaceFile("taken", "3", Durability::Cached);
        EXPECT_EQ(folder.read("new"), "2") << unnamed;
        EXPECT_EQ(folder.read("taken"), "3") << unnamed;
        EXPECT_EQ(permissionsOf(folder.path() / "new"), perms(0644)) << unnamed; // as creat()
        EXPECT_EQ(permissionsOf(folder.path() / "taken"), perms::owner_read | perms::owner_write);
        open->replaceFile("link", "4", Durability::Cached);
        EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link"));
        EXPECT_EQ(folder.read("taken"), "4");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
        EXPECT_EQ(files.count(Call::Link) > 0, unnamed);
    }
    ::umask(oldMask);
    EXPECT_THROW(LocalFileSystem().openFolder("/nonexistent/folder"), FileError);
}

// A failure after the bytes are written and before the file has its name leaves no file
// under the name, the old file where there was one, and no temporary; also where the name is
// taken only after the bytes went down ("late": tried first, EEXIST, then a temporary name)
TEST(LocalFileSystem, FailureBeforeTheNameLeavesNoFileAndNoTemporary)
{
    test::TemporaryFolder folder;
    FailingFileSystem files;
    folder.write("taken", "old");
    const auto open = files.openFolder(folder.prefix());
    for (const auto& [call, n, name] : std::vector<std::tuple<Call, int, std::string>>{
             {Call::Link, 1, "new"},
             {Call::Link, 1, "taken"},
             {Call::Link, 2, "late"},
             {Call::Write, 1, "new"},
             {Call::Write, 1, "taken"},
             {Call::Close, 1, "new"}, // after the name was given: it goes again
             {Call::Close, 1, "taken"},
             {Call::Close, 1, "late"},
         }) {
        files.failCall(call, n);
        try {
            const auto prepared = open->prepareFile(name, "x", Durability::Cached);
            if (name == "late")
                folder.write("late", "old");
            prepared->place();
            ADD_FAILURE() << "a failed call must fail the replacement";
        } catch (const FileError& error) {
            EXPECT_EQ(error.path(), folder.file(name));
        }
        EXPECT_EQ(folder.read("taken"), "old");
        const int expected = name == "late" ? 2 : 1;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), expected)
            << static_cast<int>(call) << " " << n << " " << name;
        std::filesystem::remove(folder.file("late"));
    }
}

// A file that already holds the bytes is left as it is, unless it changed after it was
// looked at; a prepared file that is dropped leaves nothing
TEST(LocalFileSystem, FileHoldingTheBytesIsKeptAndADroppedFileLeavesNothing)
{
    test::TemporaryFolder folder;
    FailingFileSystem files;
    const auto open = files.openFolder(folder.prefix());
    folder.write("same", "x");
    const auto inode = [&](const char* name) {
        struct stat info
        {};
        ::stat(folder.file(name).c_str(), &info);
        return info.st_ino;
    };
    const ino_t before = inode("same");
    open->replaceFile("same", "x", Durability::Cached);
    EXPECT_EQ(inode("same"), before);
    EXPECT_EQ(files.count(Call::Write), 0);
    open->replaceFile("same", "x", Durability::Flushed); // not known to be on the disk yet
    EXPECT_NE(inode("same"), before);

    // Made by someone else after the folder was first looked at: found when named.
    folder.write("other", "old");
    open->replaceFile("other", "new", Durability::Cached);
    EXPECT_EQ(folder.read("other"), "new");
    std::filesystem::remove(folder.file("other"));

    const auto kept = open->prepareFile("same", "x", Durability::Cached);
    open->replaceFile("same", "y", Durability::Cached);
    kept->place();
    EXPECT_EQ(folder.read("same"), "x");

    for (const std::string name : {"same", "new"}) {
        open->prepareFile(name, "dropped", Durability::Cached).reset();
        files.lackUnnamedFiles();
    }
    EXPECT_EQ(folder.read("same"), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}
