#pragma once

#include "Window.h"

#include <string>

namespace corvano {

// A frame that holds controls, as a page of the tab strip (no caption, no border) or as a
// captioned group with an etched border. What its controls tell their parent (commands,
// notifications, colour requests) goes on to the frame's own parent, so the window that
// owns the frames handles all of it. Tab moves into the frame's controls.
class ContainerFrame : public Window
{
public:
    // caption: UTF-8; empty for a page.
    ContainerFrame(HWND parent, int id, std::string caption);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint();

    std::wstring m_caption;
    HFONT m_font = nullptr;
};

} // namespace corvano
