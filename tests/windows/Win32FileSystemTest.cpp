#include "platform/win32/Win32FileSystem.h"

#include "WideTemporaryFolder.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using Durability = FileSystem::Durability;
using Names = std::vector<std::string>;

// Names: UTF-8 in, the same characters on the disk, whatever the ANSI code page lacks
TEST(Win32FileSystem, WritesEveryNameWindowsCanHoldUnderItsOwnCharacters)
{
    WideTemporaryFolder folder;
    Win32FileSystem files;
    // Chinese (in code page 936), and characters no ANSI code page has.
    for (const std::string name : {"春雨.url", "😀 ẞ ǅ.url", "a b.url"}) {
        files.replaceFile(folder.file(name), "URL=x\r\n", Durability::Cached);
        EXPECT_EQ(files.readFile(folder.file(name)), "URL=x\r\n") << name;
        EXPECT_EQ(files.fileLength(folder.file(name)), 7u) << name;
    }
    const std::wstring wide = folder.widePath() + L"\\\u6625\u96e8.url";
    EXPECT_NE(::GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(folder.names(), (Names{"a b.url", "春雨.url", "😀 ẞ ǅ.url"}));
}

// Separators: "\" is the system's, "/" as typed by users of other systems works too
TEST(Win32FileSystem, TakesBothSeparators)
{
    WideTemporaryFolder folder;
    Win32FileSystem files;
    files.replaceFile(folder.path() + "/forward.txt", "1", Durability::Flushed);
    files.replaceFile(folder.path() + "\\back.txt", "2", Durability::Flushed);
    EXPECT_EQ(files.readFile(folder.path() + "\\forward.txt"), "1");
    EXPECT_EQ(files.readFile(folder.path() + "/back.txt"), "2");
    EXPECT_TRUE(files.exists(folder.path() + "/"));
    EXPECT_TRUE(files.exists(""));
    EXPECT_FALSE(files.exists(folder.file("none")));
}

// Replacing: the new bytes whole, no temporary left behind, an existing file kept as it was
TEST(Win32FileSystem, ReplacesInOneStepAndCreatesWithoutTruncating)
{
    WideTemporaryFolder folder;
    Win32FileSystem files;
    const std::string path = folder.file("db.dat");
    files.replaceFile(path, std::string(100000, 'a'), Durability::Flushed);
    files.replaceFile(path, "short", Durability::Cached);
    EXPECT_EQ(files.readFile(path), "short");
    files.createIfMissing(path);
    EXPECT_EQ(files.readFile(path), "short");
    files.createIfMissing(folder.file("new.log"));
    EXPECT_EQ(files.fileLength(folder.file("new.log")), 0u);
    EXPECT_EQ(folder.names(), (Names{"db.dat", "new.log"}));
}

// Failures carry the portable cause the messages are worded from, and leave nothing behind
TEST(Win32FileSystem, FailuresNameTheFileAndTheCause)
{
    WideTemporaryFolder folder;
    Win32FileSystem files;
    const std::string missing = folder.file("no folder") + "\\x.url";
    try {
        files.replaceFile(missing, "x", Durability::Cached);
        FAIL() << "a file in a missing folder was written";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), missing);
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    }
    EXPECT_THROW(files.readFile(folder.file("none")), FileError);
    EXPECT_THROW(files.fileLength(folder.file("none")), FileError);
    ::CreateDirectoryW((folder.widePath() + L"\\taken.url").c_str(), nullptr);
    EXPECT_THROW(files.replaceFile(folder.file("taken.url"), "x", Durability::Cached), FileError);
    EXPECT_EQ(folder.names(), (Names{"taken.url"}));
}
