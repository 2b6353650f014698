#include "platform/LocalFileSystem.h"

#include "TemporaryFolder.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

TEST(LocalFileSystem, ExistsCountsFilesFoldersAndTheEmptyText)
{
    TemporaryFolder folder;
    folder.write("f", "x");
    LocalFileSystem files;
    EXPECT_TRUE(files.exists(folder.prefix()));
    EXPECT_TRUE(files.exists(folder.file("f")));
    EXPECT_TRUE(files.exists(""));
    EXPECT_FALSE(files.exists(folder.file("missing")));
    EXPECT_FALSE(files.exists(folder.file("f") + "/"));
}

TEST(LocalFileSystem, ReplaceFileWritesExactBytesAndLeavesNoTemporary)
{
    TemporaryFolder folder;
    LocalFileSystem files;
    files.replaceFile(folder.file("a"), std::string("1\0\r\n", 4));
    files.replaceFile(folder.file("a"), "second");
    EXPECT_EQ(folder.read("a"), "second");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(LocalFileSystem, FailedReplaceNamesThePathAndKeepsTheOldFile)
{
    TemporaryFolder folder;
    folder.write("keep", "old");
    LocalFileSystem files;
    const std::string impossible = folder.file("keep") + "/child";
    try {
        files.replaceFile(impossible, "new");
        FAIL() << "writing below a file must fail";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), impossible);
        EXPECT_FALSE(error.reason().empty());
    }
    EXPECT_EQ(folder.read("keep"), "old");
}

TEST(LocalFileSystem, ReplacingAFolderFailsAndLeavesNoTemporary)
{
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.path() / "sub");
    LocalFileSystem files;
    EXPECT_THROW(files.replaceFile(folder.file("sub"), "x"), FileError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(LocalFileSystem, CreateIfMissingKeepsExistingContent)
{
    TemporaryFolder folder;
    folder.write("db", "data");
    LocalFileSystem files;
    files.createIfMissing(folder.file("db"));
    files.createIfMissing(folder.file("new"));
    EXPECT_EQ(folder.read("db"), "data");
    EXPECT_EQ(files.fileLength(folder.file("new")), 0u);
}
