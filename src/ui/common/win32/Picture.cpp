#include "Picture.h"

#include "platform/win32/WideText.h"

#include <wincodec.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace corvano {

namespace {

ComPtr<IWICImagingFactory> factory()
{
    ComPtr<IWICImagingFactory> wic;
    ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&wic));
    return wic;
}

// The first frame as top-down 32-bit premultiplied BGRA in a DIB section.
std::optional<std::pair<BitmapHandle, SIZE>> bitmapOf(IWICBitmapDecoder& decoder)
{
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(decoder.GetFrame(0, &frame)) ||
        FAILED(::WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.Get(), &converted)) ||
        FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0)
        return std::nullopt;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UINT stride = width * 4;
    if (!bitmap ||
        FAILED(converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits))))
        return std::nullopt;
    return std::pair{std::move(bitmap), SIZE{static_cast<LONG>(width), static_cast<LONG>(height)}};
}

} // namespace

std::optional<Picture> Picture::fromFile(const std::string& path)
{
    const ComPtr<IWICImagingFactory> wic = factory();
    ComPtr<IWICBitmapDecoder> decoder;
    if (!wic || FAILED(wic->CreateDecoderFromFilename(WideText::fromUtf8(path).c_str(), nullptr,
                                                      GENERIC_READ, WICDecodeMetadataCacheOnLoad,
                                                      &decoder)))
        return std::nullopt;
    return fromDecoder(decoder.Get());
}

std::optional<Picture> Picture::fromResource(int id)
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    const ComPtr<IWICImagingFactory> wic = factory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    if (!bytes || !wic || FAILED(wic->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)),
                                            ::SizeofResource(module, found))) ||
        FAILED(wic->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                            &decoder)))
        return std::nullopt;
    return fromDecoder(decoder.Get());
}

std::optional<Picture> Picture::fromDecoder(IWICBitmapDecoder* decoder)
{
    auto bitmap = bitmapOf(*decoder);
    if (!bitmap)
        return std::nullopt;
    return Picture(std::move(bitmap->first), bitmap->second.cx, bitmap->second.cy);
}

void Picture::draw(HDC dc, const RECT& target) const
{
    const HDC source = ::CreateCompatibleDC(dc);
    const HGDIOBJ old = ::SelectObject(source, m_bitmap.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, target.left, target.top, target.right - target.left,
                 target.bottom - target.top, source, 0, 0, m_width, m_height, blend);
    ::SelectObject(source, old);
    ::DeleteDC(source);
}

} // namespace corvano
