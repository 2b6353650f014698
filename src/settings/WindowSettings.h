#pragma once

#include "SavedSettings.h"
#include "engine/MainSurface.h"
#include "platform/FileSystem.h"

#include <string>

namespace corvano {

// What the main window keeps in db.dat, read when it loads and written when it closes, with
// every trouble told through the window's own message boxes. The same for every toolkit.
namespace WindowSettings {

// The saved texts and check box; empty ones when there are none or the file cannot be read,
// which the user is told of.
SavedSettings::Values restore(MainSurface& surface, FileSystem& files, const std::string& dbPath);
// Saves the window's eight texts and its check box. A file that cannot be written, and
// settings the record cannot keep whole, are told to the user.
void save(MainSurface& surface, FileSystem& files, const std::string& dbPath);

} // namespace WindowSettings

} // namespace corvano
