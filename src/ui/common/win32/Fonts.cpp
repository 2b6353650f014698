#include "Fonts.h"

#include "platform/win32/WideText.h"

#include <cmath>

namespace corvano::Fonts {

FontHandle ui(Dpi dpi)
{
    LOGFONTW font{};
    if (!dpi.messageFont(font))
        return FontHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    return FontHandle(::CreateFontIndirectW(&font));
}

FontHandle named(const FontSpec& spec, Dpi dpi)
{
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(spec.points * dpi.dotsPerInch() / 72.0));
    font.lfWeight = spec.weight;
    font.lfCharSet = spec.charset;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = WideText::fromUtf8(spec.face);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return FontHandle(::CreateFontIndirectW(&font));
}

FontHandle create(const FontSpec& spec, Dpi dpi)
{
    return spec.face.empty() ? ui(dpi) : named(spec, dpi);
}

} // namespace corvano::Fonts
