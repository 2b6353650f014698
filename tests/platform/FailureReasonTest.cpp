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

// Common causes in Chinese, whether the error carries its code or only the system's text
TEST(FailureReasonTest, CommonCausesAreChineseOthersKeepTheSystemText)
{
    for (const auto& [cause, text] : std::vector<std::pair<std::errc, std::string>>{
             {std::errc::permission_denied, "没有访问权限"},
             {std::errc::operation_not_permitted, "没有访问权限"},
             {std::errc::read_only_file_system, "文件系统是只读的"},
             {std::errc::no_space_on_device, "磁盘已满"},
             {std::errc::filename_too_long, "文件名太长"},
             {std::errc::no_such_file_or_directory, "文件夹不存在"},
             {std::errc::is_a_directory, "该路径是一个文件夹"},
             {std::errc::io_error, "输入/输出错误"},
         }) {
        const std::error_code code = std::make_error_code(cause);
        EXPECT_EQ(FailureReason::of(FileError("f", code)), text) << code.message();
    }
    const std::error_code busy = std::make_error_code(std::errc::device_or_resource_busy);
    EXPECT_EQ(FailureReason::of(FileError("f", busy)), busy.message());
    EXPECT_EQ(FailureReason::of(FileError("f", "odd failure")), "odd failure");
}

// Edge cases: what the real file layer reports
TEST(FailureReasonTest, FailuresOfTheFileLayerAreWordedInChinese)
{
    TemporaryFolder folder;
    folder.write("file", "");
    std::filesystem::create_directory(folder.path() / "folder");
    EXPECT_EQ(reasonOfWriting(folder.file("missing/a.url")), "文件夹不存在");
    EXPECT_EQ(reasonOfWriting(folder.file("file/a.url")), "文件夹不存在");
    EXPECT_EQ(reasonOfWriting(folder.file(std::string(300, 'n') + ".url")), "文件名太长");
    EXPECT_EQ(reasonOfWriting(folder.file("folder")), "该路径是一个文件夹");
}
