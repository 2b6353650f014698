#pragma once

#include "LauncherWindow.h"
#include "platform/ProgramLocations.h"
#include "ui/launcher/ComponentCheck.h"

#include <QString>
#include <functional>

// How the program starts: the component check, then the launcher.
namespace corvano::Launcher {

// Runs the component check, then loads and shows the launcher, which calls showMainWindow
// once its button is clicked. Returns false when the program has to end; a message box has
// then told the user why.
// locations: the program's, as worked out once when it starts.
bool start(const ProgramLocations& locations, std::function<void()> showMainWindow);
bool start(LauncherWindow::Options options, SystemServices& system);

} // namespace corvano::Launcher
