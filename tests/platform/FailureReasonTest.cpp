#include "platform/FailureReason.h"

#include "TemporaryFolder.h"
#include "platform/LocalFileSystem.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

namespace {

std::string reasonOfWriting(const std::string& path)
{
    try {
        LocalFileSystem().replaceFile(path, "x", FileSystem::Durability::Cached);
    } catch (const FileError& error) {
        return FailureReason::of(error);
    }
    return "written";
}

} // namespace

// The real file layer's failures are worded in Chinese; others keep the system's text
TEST(FailureReasonTest, FailuresOfTheFileLayerAreWordedInChinese)
{
    TemporaryFolder folder;
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
