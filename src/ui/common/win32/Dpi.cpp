#include "Dpi.h"

namespace corvano {

namespace {

// A USER32 call looked up at run time: importing it by name would keep the program from
// starting on systems that lack it. Null where it is missing.
template <typename Function> Function user32(const char* name)
{
    const HMODULE module = ::GetModuleHandleW(L"user32.dll");
    const FARPROC address = module ? ::GetProcAddress(module, name) : nullptr;
    // Through void (*)(), which converts to any function pointer without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetDpiForSystemCall = UINT(WINAPI*)();
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// The resolution of the primary screen as systems before Windows 10 give it.
int classicSystemDpi()
{
    const HDC screen = ::GetDC(nullptr);
    if (!screen)
        return Dpi::kStandard;
    const int dotsPerInch = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dotsPerInch > 0 ? dotsPerInch : Dpi::kStandard;
}

} // namespace

Dpi Dpi::of(HWND window)
{
    static const auto getDpiForWindow = user32<GetDpiForWindowCall>("GetDpiForWindow");
    if (!getDpiForWindow)
        return system();
    const UINT dotsPerInch = getDpiForWindow(window);
    return Dpi(dotsPerInch ? static_cast<int>(dotsPerInch) : kStandard);
}

Dpi Dpi::system()
{
    static const auto getDpiForSystem = user32<GetDpiForSystemCall>("GetDpiForSystem");
    if (!getDpiForSystem)
        return Dpi(classicSystemDpi());
    const UINT dotsPerInch = getDpiForSystem();
    return Dpi(dotsPerInch ? static_cast<int>(dotsPerInch) : kStandard);
}

RECT Dpi::rect(const TwipsRect& twips) const
{
    const int left = pixels(twips.left);
    const int top = pixels(twips.top);
    return {left, top, left + pixels(twips.width), top + pixels(twips.height)};
}

void Dpi::adjustWindowRect(RECT& rect, DWORD style, DWORD extendedStyle) const
{
    static const auto adjust = user32<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    if (adjust)
        adjust(&rect, style, FALSE, extendedStyle, static_cast<UINT>(m_dotsPerInch));
    else
        ::AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
}

int Dpi::systemMetric(int index) const
{
    static const auto metric = user32<GetSystemMetricsForDpiCall>("GetSystemMetricsForDpi");
    return metric ? metric(index, static_cast<UINT>(m_dotsPerInch)) : ::GetSystemMetrics(index);
}

bool Dpi::messageFont(LOGFONTW& font) const
{
    static const auto parameters =
        user32<SystemParametersInfoForDpiCall>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    const bool known =
        parameters ? parameters(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                static_cast<UINT>(m_dotsPerInch))
                   : ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (known)
        font = metrics.lfMessageFont;
    return known;
}

} // namespace corvano
