#include "Launcher.h"

#include "platform/LocalSystemServices.h"
#include "ui/common/qt/MessageBox.h"
#include "ui/launcher/LauncherMessages.h"

namespace corvano::Launcher {

namespace {

void tellUser(const std::string& text)
{
    MessageBox::show(nullptr, QString::fromStdString(text), LauncherMessages::kTitle,
                     MessageStyle::Critical);
}

} // namespace

bool start(const ProgramLocations& locations, std::function<void()> showMainWindow)
{
    LocalSystemServices system;
    LauncherWindow::Options options;
    options.programFolder = locations.programFolder();
    options.pictureFolder = locations.pictureFolder();
    options.showMainWindow = std::move(showMainWindow);
    return start(std::move(options), system);
}

bool start(LauncherWindow::Options options, SystemServices& system)
{
    // Form_Initialize: before the launcher is loaded.
    if (const auto failure = ComponentCheck(system, options.programFolder).run()) {
        tellUser(LauncherMessages::failureText(*failure));
        return false;
    }
    auto* form = new LauncherWindow(std::move(options));
    if (const auto missing = form->Form_Load()) {
        delete form;
        tellUser(LauncherMessages::pictureFailureText(missing->toStdString()));
        return false;
    }
    form->show();
    return true;
}

} // namespace corvano::Launcher
