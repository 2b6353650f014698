#pragma once

#include "engine/MainSurface.h"

#include <string_view>
#include <windows.h>

namespace corvano::MessageBox {

// A modal box with an OK button and the style's icon; UTF-8 text and title. It runs its own
// message loop, so timers go on ticking while it is open.
void show(HWND owner, std::string_view text, std::string_view title, MessageStyle style);
// A modal question with the question icon, Yes and No (style 36); true for Yes.
bool ask(HWND owner, std::string_view text, std::string_view title);

} // namespace corvano::MessageBox
