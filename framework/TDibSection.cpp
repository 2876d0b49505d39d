#include "framework/TDibSection.h"

TDibSection::TDibSection(int width, int height) : TBitmap(HBITMAP(nullptr), true)
{
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP handle = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SetHandle(handle, true);
    if (!handle || !bits)
        return;
    Pixels = static_cast<uint32_t*>(bits);
    W = width;
    H = height;
}
