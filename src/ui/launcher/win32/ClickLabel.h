#pragma once

#include "ui/common/win32/Window.h"

#include <functional>
#include <string_view>

namespace corvano {

class Picture;

// A label of the launcher: its caption or picture drawn over what its parent paints beneath
// it, so it has no background of its own. It keeps every press on it to itself (the press
// captures the mouse, so moving on from it never drags the window beneath) and reports
// presses and releases of any button, and left-button clicks.
class ClickLabel : public Window
{
public:
    struct Handlers
    {
        std::function<void()> mouseDown{};
        std::function<void()> mouseUp{};
        // A left press and a left release on the label.
        std::function<void()> clicked{};
    };

    // id: its control number.
    ClickLabel(HWND parent, int id);

    void setTextColour(COLORREF colour);
    // Drawn from the top-left corner, at the size it has at the standard resolution scaled to
    // the window's. Null: the caption is drawn. The picture must outlive its showing.
    void setPicture(const Picture* picture);
    void setHandlers(Handlers handlers) { m_handlers = std::move(handlers); }
    // UTF-8.
    void setText(std::string_view text);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void redraw();
    // What the label shows, into a device context of its client area (its own or a copy's).
    void draw(HDC dc);
    void paintParentBeneath(HDC dc);
    void press(bool left);
    void release(bool left, WPARAM buttons, LPARAM position);

    HFONT m_font = nullptr;
    COLORREF m_colour = ::GetSysColor(COLOR_BTNTEXT);
    const Picture* m_picture = nullptr;
    Handlers m_handlers;
    bool m_leftPressed = false;
};

} // namespace corvano
