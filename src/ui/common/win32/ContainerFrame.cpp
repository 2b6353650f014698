#include "ContainerFrame.h"

#include "platform/win32/WideText.h"

namespace corvano {

ContainerFrame::ContainerFrame(HWND parent, int id, std::string caption)
    : m_caption(WideText::fromUtf8(caption))
{
    create({.className = L"CorvanoFrame",
            .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
            .exStyle = WS_EX_CONTROLPARENT,
            .parent = parent,
            .id = id});
}

LRESULT ContainerFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return ::SendMessageW(::GetParent(handle()), message, wParam, lParam);
    case WM_CLOSE:
        // Esc in a multi-line box asks its parent to close, as in a dialog; a frame is no
        // dialog and stays, with what it holds.
        return 0;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            ::InvalidateRect(handle(), nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_PAINT:
        paint();
        return 0;
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

void ContainerFrame::paint()
{
    PAINTSTRUCT painting;
    const HDC dc = ::BeginPaint(handle(), &painting);
    if (!m_caption.empty()) {
        const HGDIOBJ oldFont =
            ::SelectObject(dc, m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW metrics;
        ::GetTextMetricsW(dc, &metrics);
        RECT border;
        ::GetClientRect(handle(), &border);
        // The top line runs through the middle of the caption, as on a group box.
        border.top = metrics.tmHeight / 2;
        ::DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        SIZE size;
        ::GetTextExtentPoint32W(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &size);
        const int left = metrics.tmAveCharWidth;
        RECT behind{left - 2, 0, left + size.cx + 2, metrics.tmHeight};
        ::FillRect(dc, &behind, ::GetSysColorBrush(COLOR_BTNFACE));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::TextOutW(dc, left, 0, m_caption.c_str(), static_cast<int>(m_caption.size()));
        ::SelectObject(dc, oldFont);
    }
    ::EndPaint(handle(), &painting);
}

} // namespace corvano
