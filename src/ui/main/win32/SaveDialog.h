#pragma once

#include <string>
#include <windows.h>

// The save dialog of the HTML list: the one designed filter, no default extension and no
// question before an existing file is replaced.
namespace corvano::SaveDialog {

// The chosen file exactly as given (UTF-8), or empty when the user cancelled.
std::string ShowSave(HWND owner);

} // namespace corvano::SaveDialog
