#include "LauncherMessages.h"

namespace corvano::LauncherMessages {

std::string failureText(const ComponentFailure& failure)
{
    switch (failure.step) {
    case ComponentFailure::Step::FindWindowsDirectory:
        return "无法取得 Windows 目录（" + failure.reason + "），程序将退出。";
    case ComponentFailure::Step::Copy:
        return "无法复制组件文件 " + failure.subject + "（" + failure.reason + "），程序将退出。";
    case ComponentFailure::Step::Register:
        return "无法启动组件注册 " + failure.subject + "（" + failure.reason + "），程序将退出。";
    }
    return failure.reason;
}

std::string pictureFailureText(const std::string& path)
{
    return "图片文件 " + path + " 不存在或无法读取，程序将退出。";
}

} // namespace corvano::LauncherMessages
