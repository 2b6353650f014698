#include "FolderPicker.h"

#include "DriveEntry.h"
#include "DriveFolders.h"
#include "DriveList.h"
#include "FolderChain.h"
#include "FolderList.h"
#include "FolderPickerControls.h"
#include "platform/win32/WideText.h"
#include "ui/common/win32/CenterForm.h"
#include "ui/common/win32/ControlSet.h"
#include "ui/common/win32/EventLoop.h"
#include "ui/picker/FolderPickerLayout.h"
#include "ui/picker/PickedFolder.h"

namespace corvano {

namespace Layout = FolderPickerLayout;
namespace Id = FolderPickerControls;

namespace {

// A fixed single border with a title and the close box, no minimize or maximize button.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

SIZE outerSize(Dpi dpi)
{
    RECT outer{0, 0, dpi.pixels(Layout::kClientWidth), dpi.pixels(Layout::kClientHeight)};
    dpi.adjustWindowRect(outer, kStyle, 0);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

bool quitRequested()
{
    MSG message;
    return ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

// The owner takes no input while the picker is shown. It is enabled again before the picker
// goes, so that it becomes the active window then.
class OwnerDisabled
{
public:
    explicit OwnerDisabled(HWND owner) : m_owner(owner)
    {
        if (m_owner)
            ::EnableWindow(m_owner, FALSE);
    }
    ~OwnerDisabled()
    {
        if (m_owner)
            ::EnableWindow(m_owner, TRUE);
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

private:
    HWND m_owner;
};

} // namespace

FolderPicker::FolderPicker() = default;

FolderPicker::~FolderPicker()
{
    destroy();
}

bool FolderPicker::showModal(HWND owner)
{
    m_closing = false;
    m_confirmed = false;
    m_focus = nullptr;
    createWindow(owner);
    createControls();
    Form_Load();
    {
        const OwnerDisabled disabled(owner);
        ::ShowWindow(handle(), SW_SHOW);
        ::SetFocus(m_drive1->handle());
        runUntilClosed();
    }
    destroy();
    m_dir1.reset();
    m_drive1.reset();
    m_controls.reset();
    return m_confirmed;
}

void FolderPicker::createWindow(HWND owner)
{
    const SIZE size = outerSize(Dpi::system());
    create({.className = L"dialog",
            .style = kStyle,
            .title = WideText::fromUtf8(Layout::kTitle),
            .parent = owner,
            .place = {0, 0, size.cx, size.cy}});
    // The window now knows the resolution of the screen it is on.
    const SIZE fitted = outerSize(Dpi::of(handle()));
    ::SetWindowPos(handle(), nullptr, 0, 0, fitted.cx, fitted.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FolderPicker::createControls()
{
    const Dpi dpi = Dpi::of(handle());
    m_controls = std::make_unique<ControlSet>(dpi);
    m_controls->create(handle(), ControlKind::kLabel, Layout::Label1, Id::Label1);
    m_drive1 = std::make_unique<DriveList>(
        m_controls->create(handle(), DriveList::kKind, Layout::Drive1, Id::Drive1));
    m_drive1->fit(Layout::Drive1.rect, dpi);
    m_dir1 = std::make_unique<FolderList>(
        m_controls->create(handle(), FolderList::kKind, Layout::Dir1, Id::Dir1), dpi);
    m_controls->create(handle(), ControlKind::kButton, Layout::Command1, Id::Command1);
    m_controls->create(handle(), ControlKind::kButton, Layout::Command2, Id::Command2);
    // The list starts in the program's current folder; where that has gone, at its root.
    const std::wstring start = DriveFolders::currentDirectory();
    if (!m_dir1->setPath(start))
        m_dir1->setPath(FolderChain::rootOf(start));
    m_drive1->selectDriveOf(m_dir1->path());
}

void FolderPicker::runUntilClosed()
{
    // A quit request ends the picker as the close box would; it stays queued for the
    // program's own loop.
    while (!m_closing && !quitRequested())
        EventLoop::processEvents();
}

void FolderPicker::Form_Load()
{
    // From now on a drive that is chosen opens at its root; one that is not ready is skipped.
    for (int index = 0; index < m_drive1->count(); ++index)
        DriveFolders::makeRootCurrent(DriveEntry::rootOf(m_drive1->entry(index)));
    CenterForm(handle());
}

void FolderPicker::Drive1_Change()
{
    // A drive that is not ready leaves the previous folder open, without a message.
    m_dir1->setPath(DriveFolders::currentFolder(DriveEntry::rootOf(m_drive1->selectedEntry())));
    m_dir1->refresh();
    // While the user still goes through the open list, the focus stays there.
    if (!m_drive1->isDroppedDown())
        ::SetFocus(m_dir1->handle());
}

void FolderPicker::Command1_Click()
{
    // Only the open folder is taken, never one that is just highlighted; with none open
    // (no drive could be listed) there is nothing to take.
    if (m_dir1->path().empty())
        return close(false);
    PickedFolder::confirm(WideText::toUtf8(m_dir1->path()));
    close(true);
}

void FolderPicker::Command2_Click()
{
    close(false);
}

void FolderPicker::close(bool confirmed)
{
    m_confirmed = confirmed;
    m_closing = true;
}

LRESULT FolderPicker::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // The first of "确定" and "取消" decides; a closing picker takes no more commands.
        if (m_closing || onCommand(wParam))
            return 0;
        break;
    case WM_CLOSE: // the close box
        if (!m_closing)
            Command2_Click();
        return 0;
    case WM_DESTROY:
        // Also when the owner goes first and takes the picker with it: the loop must end.
        m_closing = true;
        break;
    case WM_MEASUREITEM:
        if (wParam != Id::Dir1)
            break;
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
            static_cast<UINT>(FolderList::rowHeight(Dpi::of(handle())));
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != Id::Dir1 || !m_dir1)
            break;
        m_dir1->draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        onActivate(wParam, lParam);
        return 0;
    case WM_DPICHANGED:
        rescale(Dpi(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

bool FolderPicker::onCommand(WPARAM wParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == Id::Command1 && code == BN_CLICKED)
        Command1_Click();
    else if ((id == Id::Command2 && code == BN_CLICKED) || id == IDCANCEL) // IDCANCEL: Esc
        Command2_Click();
    else if (id == Id::Drive1 && code == CBN_SELCHANGE)
        Drive1_Change();
    else
        return false; // IDOK, Enter, is bound to neither button
    return true;
}

void FolderPicker::onActivate(WPARAM wParam, LPARAM lParam)
{
    // The control that had the focus gets it back when the user returns to the picker.
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        m_focus = focus && ::IsChild(handle(), focus) ? focus : nullptr;
    } else if (m_focus) {
        ::SetFocus(m_focus);
    } else {
        Window::handleMessage(WM_ACTIVATE, wParam, lParam);
    }
}

void FolderPicker::rescale(Dpi dpi, const RECT& suggested)
{
    m_controls->rescale(dpi);
    m_drive1->fit(Layout::Drive1.rect, dpi);
    m_dir1->fitRows(dpi);
    ::SetWindowPos(handle(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace corvano
