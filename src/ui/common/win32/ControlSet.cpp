#include "ControlSet.h"

#include "platform/win32/WideText.h"

#include <system_error>
#include <utility>

namespace corvano {

HWND ControlSet::create(HWND parent, const Control& kind, const ControlLayout& layout, int id,
                        const FontSpec& font)
{
    const HWND control = ::CreateWindowExW(
        kind.exStyle, kind.windowClass, WideText::fromUtf8(layout.caption).c_str(),
        kind.style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (!control)
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                layout.name);
    adopt(control, layout.rect, font);
    return control;
}

void ControlSet::adopt(HWND window, const TwipsRect& rect, const FontSpec& font)
{
    m_controls.push_back({window, rect, font});
    place(m_controls.back());
}

void ControlSet::move(HWND window, const TwipsRect& rect)
{
    for (Placed& control : m_controls) {
        if (control.window == window) {
            control.rect = rect;
            place(control);
        }
    }
}

void ControlSet::rescale(Dpi dpi)
{
    m_dpi = dpi;
    // The controls are given their new fonts before the old ones are deleted.
    const auto old = std::exchange(m_fonts, {});
    for (const Placed& control : m_controls)
        place(control);
}

HFONT ControlSet::font(const FontSpec& spec)
{
    auto& font = m_fonts[{spec.face, spec.points}];
    if (!font)
        font = Fonts::create(spec, m_dpi);
    return font.get();
}

void ControlSet::place(const Placed& control)
{
    const RECT rect = m_dpi.rect(control.rect);
    ::SetWindowPos(control.window, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font(control.font)), TRUE);
}

namespace {

struct Search
{
    int id;
    HWND found;
};

BOOL CALLBACK matchId(HWND window, LPARAM search)
{
    auto& wanted = *reinterpret_cast<Search*>(search);
    if (::GetDlgCtrlID(window) != wanted.id)
        return TRUE;
    wanted.found = window;
    return FALSE;
}

} // namespace

HWND findControl(HWND window, int id)
{
    Search search{id, nullptr};
    ::EnumChildWindows(window, &matchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace corvano
