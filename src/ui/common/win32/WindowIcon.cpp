#include "WindowIcon.h"

#include "ResourceIds.h"

namespace corvano::WindowIcon {

namespace {

HICON load(int metricX, int metricY)
{
    // Shared icons stay loaded for the program's life and are never destroyed by us.
    return static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CORVANO_ICON), IMAGE_ICON,
                     ::GetSystemMetrics(metricX), ::GetSystemMetrics(metricY), LR_SHARED));
}

} // namespace

HICON large()
{
    return load(SM_CXICON, SM_CYICON);
}

HICON small()
{
    return load(SM_CXSMICON, SM_CYSMICON);
}

} // namespace corvano::WindowIcon
