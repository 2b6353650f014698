// corvano.exe: the launcher first; its button opens the main window, which then lives until
// the program ends. The program ends when its last window has closed.
#include "ComApartment.h"
#include "ui/common/win32/EventLoop.h"
#include "ui/common/win32/MessageBox.h"
#include "ui/launcher/win32/Launcher.h"
#include "ui/main/win32/MainWindow.h"

#include <commctrl.h>
#include <exception>
#include <memory>

namespace {

constexpr int kFailed = 1;

void tellUser(const char* what)
{
    corvano::MessageBox::show(nullptr, what, "Corvano", corvano::MessageStyle::Critical);
}

int run()
{
    const corvano::ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);

    // Set when the last window has closed; the program then ends.
    bool finished = false;
    int exitCode = 0;
    // Worked out once: the launcher's pictures and the main window's files agree.
    const auto locations = corvano::ProgramLocations::detect();
    std::unique_ptr<corvano::MainWindow> window;
    const auto showMainWindow = [&] {
        // Called from the launcher's button, inside the message loop: a failure is told here
        // rather than thrown through the system's window code.
        try {
            corvano::MainWindow::Options options{};
            options.locations = locations;
            options.closed = [&finished] { finished = true; };
            window = std::make_unique<corvano::MainWindow>(std::move(options));
            window->show();
        } catch (const std::exception& failure) {
            tellUser(failure.what());
            exitCode = kFailed;
            finished = true;
        }
    };
    const auto launcher =
        corvano::Launcher::start(locations, showMainWindow, [&finished] { finished = true; });
    if (!launcher)
        return kFailed;
    corvano::EventLoop::runUntil(finished);
    return exitCode;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        return run();
    } catch (const std::exception& failure) {
        tellUser(failure.what());
        return kFailed;
    }
}
