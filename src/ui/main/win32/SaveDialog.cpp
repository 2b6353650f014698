#include "SaveDialog.h"

#include "platform/win32/WideText.h"
#include "ui/main/MainWindowLayout.h"

#include <commdlg.h>

namespace corvano::SaveDialog {

std::string ShowSave(HWND owner)
{
    // Name and pattern, each ended by a null, and one more null after the list.
    const std::wstring filter = WideText::fromUtf8(MainWindowLayout::kSaveFilterName) + L'\0' +
                                WideText::fromUtf8(MainWindowLayout::kSaveFilterPattern) + L'\0';
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    // The working folder stays: a relative target folder still means what it meant.
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!::GetSaveFileNameW(&dialog))
        return {};
    file.resize(file.find(L'\0'));
    return WideText::toUtf8(file);
}

} // namespace corvano::SaveDialog
