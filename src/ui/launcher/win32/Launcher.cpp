#include "Launcher.h"

#include "platform/win32/Win32SystemServices.h"
#include "ui/common/win32/MessageBox.h"
#include "ui/launcher/LauncherMessages.h"

namespace corvano::Launcher {

namespace {

void tellUser(const std::string& text)
{
    MessageBox::show(nullptr, text, LauncherMessages::kTitle, MessageStyle::Critical);
}

} // namespace

std::unique_ptr<LauncherWindow> start(const ProgramLocations& locations,
                                      std::function<void()> showMainWindow,
                                      std::function<void()> dismissed)
{
    Win32SystemServices system;
    LauncherWindow::Options options;
    options.programFolder = locations.programFolder();
    options.pictureFolder = locations.pictureFolder();
    options.showMainWindow = std::move(showMainWindow);
    options.dismissed = std::move(dismissed);
    return start(std::move(options), system);
}

std::unique_ptr<LauncherWindow> start(LauncherWindow::Options options, SystemServices& system)
{
    // Form_Initialize: before the launcher is loaded.
    if (const auto failure = ComponentCheck(system, options.programFolder).run()) {
        tellUser(LauncherMessages::failureText(*failure));
        return nullptr;
    }
    auto form = std::make_unique<LauncherWindow>(std::move(options));
    if (const auto missing = form->Form_Load()) {
        form.reset();
        tellUser(LauncherMessages::pictureFailureText(*missing));
        return nullptr;
    }
    form->show();
    return form;
}

} // namespace corvano::Launcher
