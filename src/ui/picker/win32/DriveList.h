#pragma once

#include "ui/common/win32/ControlSet.h"

#include <string>
#include <windows.h>

namespace corvano {

// The drive list ("Drive1"): a drop-down list of the machine's drives, each entry the drive's
// letter and colon, then its volume label in brackets when it has one.
class DriveList
{
public:
    static constexpr ControlSet::Control kKind{L"COMBOBOX",
                                               WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};

    // Fills a combo box made with kKind.
    explicit DriveList(HWND comboBox);

    HWND handle() const { return m_combo; }
    int count() const;
    std::wstring entry(int index) const;
    std::wstring selectedEntry() const;
    bool isDroppedDown() const;
    // Selects the entry of the folder's drive, without announcing a change; none when the
    // drive has no entry.
    void selectDriveOf(const std::wstring& folder);
    // Gives the closed list its designed place and the open one room for several drives.
    void fit(const TwipsRect& place, Dpi dpi);

private:
    int windowHeight() const;

    HWND m_combo;
};

} // namespace corvano
