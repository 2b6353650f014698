#include "ClickLabel.h"

#include "ui/common/win32/Dpi.h"
#include "ui/common/win32/Picture.h"
#include "ui/common/win32/WindowText.h"

#include <windowsx.h>

namespace corvano {

namespace {

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

void call(const std::function<void()>& handler)
{
    if (handler)
        handler();
}

} // namespace

ClickLabel::ClickLabel(HWND parent, int id)
{
    create({.className = L"CorvanoClickLabel",
            .style = WS_CHILD | WS_VISIBLE,
            .parent = parent,
            .id = id,
            .background = nullptr});
}

void ClickLabel::setTextColour(COLORREF colour)
{
    m_colour = colour;
    redraw();
}

void ClickLabel::setPicture(const Picture* picture)
{
    m_picture = picture;
    redraw();
}

void ClickLabel::setText(std::string_view text)
{
    if (handle())
        WindowText::set(handle(), text);
    redraw();
}

void ClickLabel::redraw()
{
    // A label already destroyed (a page that arrives after the launcher has gone) draws
    // nothing: a null window would have the whole screen redrawn.
    if (handle())
        ::InvalidateRect(handle(), nullptr, FALSE);
}

LRESULT ClickLabel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            ::InvalidateRect(handle(), nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint;
        draw(::BeginPaint(handle(), &paint));
        ::EndPaint(handle(), &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        draw(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        press(message == WM_LBUTTONDOWN);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        release(message == WM_LBUTTONUP, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        m_leftPressed = false;
        return 0;
    case WM_MOUSEMOVE:
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void ClickLabel::draw(HDC dc)
{
    paintParentBeneath(dc);
    RECT client;
    ::GetClientRect(handle(), &client);
    if (m_picture) {
        const Dpi dpi = Dpi::of(handle());
        const auto scaled = [&dpi](int pixels) {
            return ::MulDiv(pixels, dpi.dotsPerInch(), Dpi::kStandard);
        };
        m_picture->draw(dc, {0, 0, scaled(m_picture->width()), scaled(m_picture->height())});
    } else {
        const HGDIOBJ oldFont =
            ::SelectObject(dc, m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, m_colour);
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(handle())) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            ::GetWindowTextW(handle(), text.data(), static_cast<int>(text.size()))));
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
                    DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        ::SelectObject(dc, oldFont);
    }
}

// The parent draws into this label's device context as if it were its own, shifted so that
// what lies beneath the label lands in it.
void ClickLabel::paintParentBeneath(HDC dc)
{
    const HWND parent = ::GetParent(handle());
    POINT corner{0, 0};
    ::MapWindowPoints(handle(), parent, &corner, 1);
    POINT old;
    ::OffsetViewportOrgEx(dc, -corner.x, -corner.y, &old);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void ClickLabel::press(bool left)
{
    ::SetCapture(handle());
    if (left)
        m_leftPressed = true;
    call(m_handlers.mouseDown);
}

void ClickLabel::release(bool left, WPARAM buttons, LPARAM position)
{
    RECT client;
    ::GetClientRect(handle(), &client);
    const POINT pointer{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    const bool clicked = left && m_leftPressed && ::PtInRect(&client, pointer);
    if (left)
        m_leftPressed = false;
    if (!(buttons & kAnyButton) && ::GetCapture() == handle())
        ::ReleaseCapture();
    call(m_handlers.mouseUp);
    // The click may close the window that holds this label; nothing of it is used after.
    if (clicked)
        call(m_handlers.clicked);
}

} // namespace corvano
