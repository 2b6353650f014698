#pragma once

#include <windows.h>

// The program's icon, the same in all three windows, from the executable's resources. Null
// where the executable has none (a test program).
namespace corvano::WindowIcon {

HICON large();
HICON small();

} // namespace corvano::WindowIcon
