#pragma once

#include "Dpi.h"
#include "Fonts.h"

#include <map>
#include <string>
#include <vector>
#include <windows.h>

namespace corvano {

// The controls of one window, each created at its designed place in twips with its font.
// Both are kept, so that the controls can be placed and sized again when the window moves
// to a screen of another resolution. The window destroys its controls; the fonts live here.
class ControlSet
{
public:
    explicit ControlSet(Dpi dpi) : m_dpi(dpi) {}

    struct Control
    {
        const wchar_t* windowClass;
        DWORD style; // WS_CHILD | WS_VISIBLE are added
        DWORD exStyle = 0;
    };

    // A child control of the parent, its number id, captioned and placed as designed.
    HWND create(HWND parent, const Control& kind, const ControlLayout& layout, int id,
                const FontSpec& font = {});
    // A window made elsewhere (a container of our own) that is placed and sized the same way.
    void adopt(HWND window, const TwipsRect& rect, const FontSpec& font = {});
    // Gives a control a new designed place, kept for later rescaling.
    void move(HWND window, const TwipsRect& rect);
    // Places every control at the new resolution and gives it its font there.
    void rescale(Dpi dpi);

    Dpi dpi() const { return m_dpi; }
    HFONT font(const FontSpec& spec);

private:
    struct Placed
    {
        HWND window;
        TwipsRect rect;
        FontSpec font;
    };

    void place(const Placed& control);

    Dpi m_dpi;
    std::vector<Placed> m_controls;
    std::map<std::pair<std::string, double>, FontHandle> m_fonts;
};

// The usual kinds.
namespace ControlKind {

// Wraps at its right edge.
inline constexpr ControlSet::Control kLabel{L"STATIC", SS_LEFT | SS_NOPREFIX};
inline constexpr ControlSet::Control kText{L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT,
                                           WS_EX_CLIENTEDGE};
// Wraps and takes line breaks, without scroll bars.
inline constexpr ControlSet::Control kMultiLineText{
    L"EDIT", WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_LEFT,
    WS_EX_CLIENTEDGE};
inline constexpr ControlSet::Control kButton{L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON};
inline constexpr ControlSet::Control kCheckBox{L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX};

} // namespace ControlKind

// Finds a control by its number anywhere below the window (inside its frames too).
HWND findControl(HWND window, int id);

} // namespace corvano
