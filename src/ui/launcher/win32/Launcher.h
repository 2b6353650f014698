#pragma once

#include "LauncherWindow.h"
#include "platform/ProgramLocations.h"
#include "ui/launcher/ComponentCheck.h"

#include <functional>
#include <memory>

// How the program starts: the component check, then the launcher.
namespace corvano::Launcher {

// Runs the component check, then loads and shows the launcher, which calls showMainWindow
// once its button is clicked, or dismissed when it is closed without it. Returns the launcher
// shown, to be kept while the program runs, or null when the program has to end; a message box
// has then told the user why.
// locations: the program's, as worked out once when it starts.
std::unique_ptr<LauncherWindow> start(const ProgramLocations& locations,
                                      std::function<void()> showMainWindow,
                                      std::function<void()> dismissed);
std::unique_ptr<LauncherWindow> start(LauncherWindow::Options options, SystemServices& system);

} // namespace corvano::Launcher
