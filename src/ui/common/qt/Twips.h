#pragma once

#include "ui/common/TwipsRect.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

namespace corvano::Twips {

// Window geometry is laid out in twips, 15 to the pixel at the usual screen resolution.
inline constexpr int kPerPixel = 15;

// Whole pixels, the remainder dropped, as the designer's sizes are converted.
constexpr int toPixels(int twips)
{
    return twips / kPerPixel;
}

inline QRect rect(const TwipsRect& twips)
{
    return {toPixels(twips.left), toPixels(twips.top), toPixels(twips.width),
            toPixels(twips.height)};
}

// A position in twips as whole pixels, rounded to the nearest.
inline QPoint toNearestPixels(QPointF twips)
{
    return (twips / kPerPixel).toPoint();
}

} // namespace corvano::Twips
