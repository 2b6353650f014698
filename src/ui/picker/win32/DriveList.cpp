#include "DriveList.h"

#include "DriveEntry.h"
#include "DriveFolders.h"
#include "FolderChain.h"

#include <algorithm>

namespace corvano {

namespace {

// How far the open list reaches below the closed one.
constexpr int kOpenListTwips = 2400;

} // namespace

DriveList::DriveList(HWND comboBox) : m_combo(comboBox)
{
    for (const std::wstring& entry : DriveFolders::entries())
        ::SendMessageW(m_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

int DriveList::count() const
{
    return static_cast<int>(::SendMessageW(m_combo, CB_GETCOUNT, 0, 0));
}

std::wstring DriveList::entry(int index) const
{
    const LRESULT length = ::SendMessageW(m_combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::SendMessageW(
        m_combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring DriveList::selectedEntry() const
{
    return entry(static_cast<int>(::SendMessageW(m_combo, CB_GETCURSEL, 0, 0)));
}

bool DriveList::isDroppedDown() const
{
    return ::SendMessageW(m_combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void DriveList::selectDriveOf(const std::wstring& folder)
{
    const std::wstring root = FolderChain::rootOf(folder);
    int found = CB_ERR;
    for (int index = 0; index < count() && found == CB_ERR; ++index)
        if (FolderChain::rootOf(DriveEntry::rootOf(entry(index))) == root)
            found = index;
    ::SendMessageW(m_combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void DriveList::fit(const TwipsRect& place, Dpi dpi)
{
    const RECT closed = dpi.rect(place);
    const int height = closed.bottom - closed.top;
    // A combo box's height is that of its open list; its closed part takes its height from
    // its item height and a frame of its own, which is measured here.
    ::SetWindowPos(m_combo, nullptr, closed.left, closed.top, closed.right - closed.left,
                   height + dpi.pixels(kOpenListTwips), SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(m_combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    const int frame = windowHeight() - height;
    ::SendMessageW(m_combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, height - frame));
}

int DriveList::windowHeight() const
{
    RECT outer;
    ::GetWindowRect(m_combo, &outer);
    return outer.bottom - outer.top;
}

} // namespace corvano
