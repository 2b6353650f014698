#pragma once

#include <string>

namespace corvano {

// Hands a web address to the desktop, which opens it in the user's browser: xdg-open on Linux,
// the shell on Windows. Throws SystemError when the desktop cannot open it.
namespace DesktopOpener {

void open(const std::string& address);

} // namespace DesktopOpener

} // namespace corvano
