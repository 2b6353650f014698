#pragma once

#include <string>
#include <string_view>
#include <windows.h>

// A window's or control's text as the program's UTF-8.
namespace corvano::WindowText {

std::string get(HWND window);
void set(HWND window, std::string_view text);

} // namespace corvano::WindowText
