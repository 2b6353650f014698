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

    std::unique_ptr<corvano::MainWindow> window;
    const auto showMainWindow = [&window] {
        // Called from the launcher's button, inside the message loop: a failure is told here
        // rather than thrown through the system's window code.
        try {
            corvano::MainWindow::Options options{};
            options.closed = [] { ::PostQuitMessage(0); };
            window = std::make_unique<corvano::MainWindow>(std::move(options));
            window->show();
        } catch (const std::exception& failure) {
            tellUser(failure.what());
            ::PostQuitMessage(kFailed);
        }
    };
    const auto launcher = corvano::Launcher::start(showMainWindow);
    if (!launcher)
        return kFailed;
    return corvano::EventLoop::run();
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
