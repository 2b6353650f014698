#pragma once

#include <utility>
#include <windows.h>

namespace corvano {

// Deletes a GDI object (a font, a bitmap, a brush) when it goes out of scope.
template <typename Handle> class GdiObject
{
public:
    explicit GdiObject(Handle handle = nullptr) : m_handle(handle) {}
    ~GdiObject()
    {
        if (m_handle)
            ::DeleteObject(m_handle);
    }
    GdiObject(GdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        GdiObject old(std::exchange(m_handle, std::exchange(other.m_handle, nullptr)));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    Handle m_handle;
};

using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using BrushHandle = GdiObject<HBRUSH>;

} // namespace corvano
