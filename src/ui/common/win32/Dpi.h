#pragma once

#include "ui/common/TwipsRect.h"

#include <windows.h>

namespace corvano {

// The resolution a window is drawn at, and the designed twips in its pixels. The program is
// aware of each monitor's resolution, so a window asks for its own. The calls that take a
// resolution came with Windows 10 1607; on older systems they are missing, every window has
// the system's resolution, and the classic calls answer for it.
class Dpi
{
public:
    static constexpr int kStandard = 96;

    explicit Dpi(int dotsPerInch = kStandard) : m_dotsPerInch(dotsPerInch) {}
    static Dpi of(HWND window);
    // The primary screen's, for what is sized before its window exists.
    static Dpi system();

    int dotsPerInch() const { return m_dotsPerInch; }
    int pixels(int twips) const { return Twips::toPixels(twips, m_dotsPerInch); }
    RECT rect(const TwipsRect& twips) const;
    double twipsPerPixel() const { return double(Twips::kPerInch) / m_dotsPerInch; }

    // AdjustWindowRectEx at this resolution, without a menu.
    void adjustWindowRect(RECT& rect, DWORD style, DWORD extendedStyle) const;
    // GetSystemMetrics at this resolution.
    int systemMetric(int index) const;
    // The message font of the non-client metrics at this resolution; false when the system
    // cannot tell.
    bool messageFont(LOGFONTW& font) const;

private:
    int m_dotsPerInch;
};

} // namespace corvano
