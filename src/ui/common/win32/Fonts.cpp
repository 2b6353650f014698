#include "Fonts.h"

#include "platform/win32/WideText.h"

#include <cmath>

namespace corvano::Fonts {

FontHandle ui(Dpi dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                      static_cast<UINT>(dpi.dotsPerInch())))
        return FontHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    return FontHandle(::CreateFontIndirectW(&metrics.lfMessageFont));
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
