#include "CenterForm.h"

#include "Dpi.h"

#include <cmath>

namespace corvano {

void CenterForm(HWND form)
{
    const HMONITOR monitor = ::MonitorFromWindow(form, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT outer;
    if (!::GetMonitorInfoW(monitor, &info) || !::GetWindowRect(form, &outer))
        return;
    const double perPixel = Dpi::of(form).twipsPerPixel();
    const RECT& screen = info.rcMonitor;
    const double left = ((screen.right - screen.left) - (outer.right - outer.left)) * perPixel / 2;
    const double top = ((screen.bottom - screen.top) - (outer.bottom - outer.top)) * perPixel / 2;
    ::SetWindowPos(form, nullptr, screen.left + static_cast<int>(std::lround(left / perPixel)),
                   screen.top + static_cast<int>(std::lround(top / perPixel)), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace corvano
