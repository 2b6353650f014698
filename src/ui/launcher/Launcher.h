#pragma once

#include "ComponentCheck.h"
#include "LauncherWindow.h"

#include <QString>
#include <functional>

namespace corvano {

// How the program starts: the component check, then the launcher.
class Launcher
{
public:
    // Runs the component check, then loads and shows the launcher, which calls showMainWindow
    // once its button is clicked. Returns false when the program has to end; a message box has
    // then told the user why.
    static bool start(std::function<void()> showMainWindow);
    static bool start(LauncherWindow::Options options, SystemServices& system);

    static QString failureText(const ComponentFailure& failure);
    static QString pictureFailureText(const QString& path);
};

} // namespace corvano
