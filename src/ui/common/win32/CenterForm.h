#pragma once

#include <windows.h>

namespace corvano {

// Places the window in the middle of its screen: (screen − outer size) / 2 for left and top,
// in twips, the half twip kept until the position becomes whole pixels.
void CenterForm(HWND form);

} // namespace corvano
