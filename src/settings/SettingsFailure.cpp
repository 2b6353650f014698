#include "SettingsFailure.h"

#include "platform/FailureReason.h"

namespace corvano {

std::string SettingsFailure::readText(const FileError& error)
{
    return "无法读取设置文件 " + error.path() + "：" + FailureReason::of(error) +
           "\n上次保存的设置未能恢复。";
}

std::string SettingsFailure::saveText(const FileError& error)
{
    return "无法保存设置文件 " + error.path() + "：" + FailureReason::of(error) +
           "\n本次输入的设置没有保存。";
}

} // namespace corvano
