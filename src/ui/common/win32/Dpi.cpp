#include "Dpi.h"

namespace corvano {

Dpi Dpi::of(HWND window)
{
    const UINT dotsPerInch = ::GetDpiForWindow(window);
    return Dpi(dotsPerInch ? static_cast<int>(dotsPerInch) : kStandard);
}

Dpi Dpi::system()
{
    const UINT dotsPerInch = ::GetDpiForSystem();
    return Dpi(dotsPerInch ? static_cast<int>(dotsPerInch) : kStandard);
}

RECT Dpi::rect(const TwipsRect& twips) const
{
    const int left = pixels(twips.left);
    const int top = pixels(twips.top);
    return {left, top, left + pixels(twips.width), top + pixels(twips.height)};
}

} // namespace corvano
