#include "Launcher.h"

#include "platform/LocalSystemServices.h"
#include "platform/ProgramLocations.h"
#include "ui/common/MessageBox.h"

namespace corvano::Launcher {

namespace {

void tellUser(const QString& text)
{
    MessageBox::show(nullptr, text, "Corvano", MessageStyle::Critical);
}

QString failureText(const ComponentFailure& failure)
{
    const QString subject = QString::fromStdString(failure.subject);
    const QString reason = QString::fromStdString(failure.reason);
    switch (failure.step) {
    case ComponentFailure::Step::FindWindowsDirectory:
        return QString("无法取得 Windows 目录（%1），程序将退出。").arg(reason);
    case ComponentFailure::Step::Copy:
        return QString("无法复制组件文件 %1（%2），程序将退出。").arg(subject, reason);
    case ComponentFailure::Step::Register:
        return QString("无法启动组件注册 %1（%2），程序将退出。").arg(subject, reason);
    }
    return reason;
}

QString pictureFailureText(const QString& path)
{
    return QString("图片文件 %1 不存在或无法读取，程序将退出。").arg(path);
}

} // namespace

bool start(std::function<void()> showMainWindow)
{
    LocalSystemServices system;
    LauncherWindow::Options options;
    options.showMainWindow = std::move(showMainWindow);
    return start(std::move(options), system);
}

bool start(LauncherWindow::Options options, SystemServices& system)
{
    if (options.programFolder.empty()) {
        const ProgramLocations locations = ProgramLocations::detect();
        options.programFolder = locations.programFolder();
        options.pictureFolder = locations.pictureFolder();
    }
    // Form_Initialize: before the launcher is loaded.
    if (const auto failure = ComponentCheck(system, options.programFolder).run()) {
        tellUser(failureText(*failure));
        return false;
    }
    auto* form = new LauncherWindow(std::move(options));
    if (const auto missing = form->Form_Load()) {
        delete form;
        tellUser(pictureFailureText(*missing));
        return false;
    }
    form->show();
    return true;
}

} // namespace corvano::Launcher
