#pragma once

#include "ui/common/win32/Window.h"

#include <memory>
#include <windows.h>

namespace corvano {

class ControlSet;
class Dpi;
class DriveList;
class FolderList;

// The folder picker (the designer's form "dialog", its window class): a modal window with the
// drives and the folder list. "确定" stores the open folder in PickedFolder; "取消", Esc and the
// close box leave PickedFolder as it was. Each showing makes a fresh window that starts in the
// program's current folder and is destroyed when it closes.
class FolderPicker : private Window
{
public:
    FolderPicker();
    ~FolderPicker() override;

    // Shows the picker until it closes, the owner (may be null) taking no input meanwhile;
    // true after "确定".
    bool showModal(HWND owner);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void createWindow(HWND owner);
    void createControls();
    void runUntilClosed();
    void Form_Load();
    void Drive1_Change();
    void Command1_Click();
    void Command2_Click();
    bool onCommand(WPARAM wParam);
    void onActivate(WPARAM wParam, LPARAM lParam);
    void rescale(Dpi dpi, const RECT& suggested);
    void close(bool confirmed);

    std::unique_ptr<ControlSet> m_controls;
    std::unique_ptr<DriveList> m_drive1;
    std::unique_ptr<FolderList> m_dir1;
    HWND m_focus = nullptr;
    bool m_closing = false;
    bool m_confirmed = false;
};

} // namespace corvano
