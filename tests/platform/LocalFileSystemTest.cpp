#include "platform/LocalFileSystem.h"

#include "TemporaryFolder.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>

using namespace corvano;

// exists() counts files and folders; replaceFile() is all or nothing, with no temporary left
TEST(LocalFileSystem, ReplaceFileWritesExactBytesOrNothingAndLeavesNoTemporary)
{
    test::TemporaryFolder folder;
    LocalFileSystem files;
    files.replaceFile(folder.file("keep"), std::string("1\0\r\n", 4));
    EXPECT_EQ(folder.read("keep"), std::string("1\0\r\n", 4));
    files.replaceFile(folder.file("keep"), "old");
    // An empty text is the working folder: an empty folder text writes there.
    EXPECT_TRUE(files.exists(folder.file("keep")) && files.exists(folder.prefix()) &&
                files.exists(""));
    EXPECT_FALSE(files.exists(folder.file("keep") + "/") || files.exists(folder.file("no")));
    std::filesystem::create_directory(folder.path() / "sub");
    EXPECT_THROW(files.replaceFile(folder.file("sub"), "x"), FileError);
    const std::string impossible = folder.file("keep") + "/child";
    try {
        files.replaceFile(impossible, "new");
        ADD_FAILURE() << "writing below a file must fail";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), impossible);
        EXPECT_FALSE(error.reason().empty());
    }
    EXPECT_EQ(folder.read("keep"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}
