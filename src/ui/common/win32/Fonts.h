#pragma once

#include "Dpi.h"
#include "GdiObject.h"

#include <string>

namespace corvano {

// A font as the design names it; an empty face is the system's user-interface font.
struct FontSpec
{
    std::string face; // UTF-8
    double points = 0;
    BYTE charset = DEFAULT_CHARSET;
    LONG weight = FW_NORMAL;
};

namespace Fonts {

// The system's user-interface font (the one message boxes use) at this resolution.
FontHandle ui(Dpi dpi);
// The named face at its size; where it is not installed, the system's font mapper picks the
// closest face of the character set.
FontHandle named(const FontSpec& spec, Dpi dpi);
FontHandle create(const FontSpec& spec, Dpi dpi);

} // namespace Fonts

} // namespace corvano
