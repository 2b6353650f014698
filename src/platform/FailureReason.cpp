#include "FailureReason.h"

#include <array>

namespace corvano {

namespace {

struct Wording
{
    std::errc cause;
    const char* text;
};

constexpr std::array kWordings{
    Wording{std::errc::permission_denied, "没有访问权限"},
    Wording{std::errc::operation_not_permitted, "没有访问权限"},
    Wording{std::errc::read_only_file_system, "文件系统是只读的"},
    Wording{std::errc::no_space_on_device, "磁盘已满"},
    Wording{std::errc::filename_too_long, "文件名太长"},
    Wording{std::errc::no_such_file_or_directory, "文件夹不存在"},
    Wording{std::errc::not_a_directory, "文件夹不存在"},
    Wording{std::errc::is_a_directory, "该路径是一个文件夹"},
    Wording{std::errc::io_error, "输入/输出错误"},
};

} // namespace

std::string FailureReason::of(const FileError& error)
{
    const std::string text = chinese(error.code());
    return text.empty() ? error.reason() : text;
}

std::string FailureReason::chinese(std::error_code code)
{
    if (!code)
        return {};
    for (const Wording& wording : kWordings) {
        if (code == wording.cause)
            return wording.text;
    }
    return {};
}

} // namespace corvano
