#pragma once

#include <QRect>

namespace corvano::Twips {

// Window geometry is laid out in twips, 15 to the pixel at the usual screen resolution.
inline constexpr int PerPixel = 15;

constexpr int toPixels(int twips)
{
    return twips / PerPixel;
}

inline QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace corvano::Twips
