#pragma once

namespace corvano {

// A control's place in its container, in twips: 1440 to the inch, so 15 to the pixel at
// 96 dots per inch. Every window toolkit converts these with the screen's resolution.
struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;
};

// A caption or text and where it stands; the name is the control's name in the design.
struct ControlLayout
{
    const char* name;
    const char* caption;
    TwipsRect rect;
};

namespace Twips {

inline constexpr int kPerInch = 1440;

// Whole pixels at this many dots per inch, the remainder dropped, as the designer's sizes are
// converted (15 twips make one pixel at 96).
constexpr int toPixels(int twips, int dotsPerInch)
{
    return twips * dotsPerInch / kPerInch;
}

} // namespace Twips

} // namespace corvano
