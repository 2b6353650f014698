#pragma once

#include "GdiObject.h"

#include <optional>
#include <string>
#include <windows.h>

struct IWICBitmapDecoder;

namespace corvano {

// A picture read through the Windows Imaging Component (JPEG, GIF, PNG, BMP), held as a
// bitmap ready to draw. COM must be started on the thread.
class Picture
{
public:
    // Empty when the file is missing or is not a picture. UTF-8 path.
    static std::optional<Picture> fromFile(const std::string& path);
    // A picture built into the executable as an RCDATA resource.
    static std::optional<Picture> fromResource(int id);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Draws the whole picture into the rectangle, scaled to it.
    void draw(HDC dc, const RECT& target) const;

private:
    static std::optional<Picture> fromDecoder(IWICBitmapDecoder* decoder);
    Picture(BitmapHandle bitmap, int width, int height)
        : m_bitmap(std::move(bitmap)), m_width(width), m_height(height)
    {}

    BitmapHandle m_bitmap;
    int m_width;
    int m_height;
};

} // namespace corvano
