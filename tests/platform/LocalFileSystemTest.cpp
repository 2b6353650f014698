#include "platform/LocalFileSystem.h"

#include "FailingFileSystem.h"
#include "TemporaryFolder.h"
#include "platform/FailureReason.h"
#include "platform/FileError.h"
#include "platform/Folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace corvano;
using test::FailingFileSystem;
using Call = FailingFileSystem::Call;
using Durability = FileSystem::Durability;
using std::filesystem::perms;

namespace {

perms permissionsOf(const test::TemporaryFolder& folder, const std::string& name)
{
    return std::filesystem::status(folder.path() / name).permissions();
}

std::string reasonOfWriting(const std::string& path)
{
    try {
        LocalFileSystem().replaceFile(path, "x", Durability::Cached);
    } catch (const FileError& error) {
        return FailureReason::of(error);
    }
    return "written";
}

} // namespace

// A path is replaced all or nothing, no temporary left, links still pointing at the file
TEST(LocalFileSystem, ReplaceFileWritesExactBytesThroughLinksOrNothing)
{
    test::TemporaryFolder folder;
    LocalFileSystem files;
    files.replaceFile(folder.file("real"), std::string("1\0\r\n", 4), Durability::Cached);
    EXPECT_EQ(folder.read("real"), std::string("1\0\r\n", 4));
    // An empty text is the working folder: an empty folder text writes there.
    EXPECT_TRUE(files.exists(folder.prefix()) && files.exists(""));
    EXPECT_FALSE(files.exists(folder.file("real") + "/"));
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
    std::filesystem::create_symlink("loop", folder.path() / "loop");
    const std::string below = folder.file("real") + "/child";
    for (const std::string& path : {folder.file("sub"), folder.file("loop"), below}) {
        try {
            files.replaceFile(path, "x", Durability::Cached);
            ADD_FAILURE() << path << " was written";
        } catch (const FileError& error) {
            EXPECT_EQ(error.path(), path);
        }
    }
    EXPECT_EQ(folder.read("real"), "new chain");
    EXPECT_EQ(folder.names().size(), 6u);
}

// An open folder makes and replaces files, links and permissions kept, also where files
// cannot be made without a name or, for want of /proc, not named (the link fails: ENOENT)
TEST(LocalFileSystem, OpenFolderMakesAndReplacesFilesWithOrWithoutUnnamedFiles)
{
    const mode_t oldMask = ::umask(022);
    for (const std::string mode : {"unnamed files", "no unnamed files", "no /proc"}) {
        SCOPED_TRACE(mode);
        test::TemporaryFolder folder;
        FailingFileSystem files;
        files.unnamedFiles = mode != "no unnamed files";
        files.proc = mode != "no /proc";
        folder.write("taken", "old");
        std::filesystem::permissions(folder.file("taken"), perms::owner_read | perms::owner_write);
        std::filesystem::create_symlink("taken", folder.path() / "link");
        const auto open = files.openFolder(folder.path().string());
        EXPECT_EQ(open->maxNameLength(), 255u);
        // A taken name first: the first link of a run may not be the one that finds no /proc.
        open->replaceFile("taken", "3", Durability::Cached);
        open->replaceFile("new", "1", Durability::Cached);
        open->replaceFile("new", "2", Durability::Flushed);
        EXPECT_EQ(folder.read("new") + folder.read("taken"), "23");
        EXPECT_EQ(permissionsOf(folder, "new"), perms(0644)); // as creat()
        EXPECT_EQ(permissionsOf(folder, "taken"), perms::owner_read | perms::owner_write);
        open->replaceFile("link", "4", Durability::Cached);
        EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link"));
        EXPECT_EQ(folder.read("taken"), "4");
        EXPECT_EQ(folder.names().size(), 3u);
        EXPECT_EQ(files.count(Call::Link) > 0, mode == "unnamed files");
        if (mode != "unnamed files")
            continue;
        // A name taken by someone else while the file was written keeps that file's permissions.
        files.beforeNextLink([&] {
            folder.write("raced", "old");
            std::filesystem::permissions(folder.file("raced"), perms::owner_read);
        });
        open->replaceFile("raced", "6", Durability::Cached);
        EXPECT_EQ(folder.read("raced"), "6");
        EXPECT_EQ(permissionsOf(folder, "raced"), perms::owner_read);
    }
    ::umask(oldMask);
    EXPECT_THROW(LocalFileSystem().openFolder("/nonexistent/folder"), FileError);
}

// A failed call leaves no new file and no temporary; only a flushed replacement flushes
TEST(LocalFileSystem, FailureBeforeTheNameLeavesNoFileAndNoTemporary)
{
    test::TemporaryFolder folder;
    FailingFileSystem files;
    folder.write("taken", "old");
    const auto open = files.openFolder(folder.prefix());
    for (const auto& [call, name] : std::vector<std::pair<Call, std::string>>{
             {Call::Link, "new"},
             {Call::Write, "new"},
             {Call::Sync, "new"},
             {Call::Sync, "taken"},
             {Call::Close, "new"},
             {Call::Close, "taken"},
         }) {
        SCOPED_TRACE(static_cast<int>(call));
        files.failCall(call, 1);
        EXPECT_THROW(open->replaceFile(name, "x", Durability::Flushed), FileError) << name;
        EXPECT_EQ(folder.read("taken"), "old");
        EXPECT_EQ(folder.names().size(), 1u);
    }
    const int syncs = files.count(Call::Sync);
    open->replaceFile("taken", "cached", Durability::Cached);
    EXPECT_EQ(files.count(Call::Sync), syncs);
    open->replaceFile("taken", "flushed", Durability::Flushed);
    EXPECT_EQ(files.count(Call::Sync), syncs + 2);
    // Once the file has its name, only a real failure to flush the folder is reported: a folder
    // that may not be read, or a file system that cannot flush folders, leaves the file in place.
    for (const auto& [call, error, fails] : std::vector<std::tuple<Call, int, bool>>{
             {Call::OpenFolder, EACCES, false},
             {Call::Sync, EINVAL, false},
             {Call::Sync, EIO, true},
             {Call::OpenFolder, EMFILE, true},
         }) {
        for (const std::string name : {"new", "new"}) { // made, then replaced
            SCOPED_TRACE(std::to_string(error) + " " + name);
            files.failCall(call, call == Call::Sync ? 2 : 1, error); // the file's sync comes first
            const std::string bytes = std::to_string(error);
            if (fails)
                EXPECT_THROW(files.replaceFile(folder.file(name), bytes, Durability::Flushed),
                             FileError);
            else
                EXPECT_NO_THROW(files.replaceFile(folder.file(name), bytes, Durability::Flushed));
            EXPECT_EQ(folder.read(name), bytes);
        }
        std::filesystem::remove(folder.file("new"));
    }
}

// Through links too, a file that holds the bytes is left alone and any other file written
TEST(LocalFileSystem, UpdateFileWritesOnlyWhatDiffers)
{
    test::TemporaryFolder folder;
    folder.write("file", "x");
    std::filesystem::create_symlink("file", folder.path() / "link");
    std::filesystem::create_directory(folder.path() / "sub");
    LocalFileSystem files;
    const auto open = files.openFolder(folder.prefix());
    for (const auto& [name, bytes, wrote] : std::vector<std::tuple<std::string, std::string, bool>>{
             {"file", "x", false},
             {"link", "x", false},
             {"link", "xx", true},
             {"file", "", true},
             {"missing", "", true},
             {"missing", "", false},
         })
        EXPECT_EQ(open->updateFile(name, bytes), wrote) << name << " " << bytes;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link"));
    EXPECT_THROW(open->updateFile("sub", ""), FileError);
}

// The real file layer's failures are worded in Chinese; others keep the system's text
TEST(FailureReasonTest, FailuresOfTheFileLayerAreWordedInChinese)
{
    test::TemporaryFolder folder;
    folder.write("file", "");
    std::filesystem::create_directory(folder.path() / "folder");
    EXPECT_EQ(reasonOfWriting(folder.file("missing/a.url")), "文件夹不存在");
    EXPECT_EQ(reasonOfWriting(folder.file("file/a.url")), "文件夹不存在");
    EXPECT_EQ(reasonOfWriting(folder.file(std::string(300, 'n') + ".url")), "文件名太长");
    EXPECT_EQ(reasonOfWriting(folder.file("folder")), "该路径是一个文件夹");
    const std::error_code busy = std::make_error_code(std::errc::device_or_resource_busy);
    EXPECT_EQ(FailureReason::of(FileError("f", busy)), busy.message());
    EXPECT_EQ(FailureReason::of(FileError("f", "odd failure")), "odd failure");
}
