#pragma once
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "framework/TBitmap.h"
#include "framework/TMemoryDC.h"
#include "framework/TScreenDC.h"

// Writes a window as the screen shows it, frame and whatever overlaps it
// included, to a 24-bit bottom-up BMP file (scripts/docs-screenshots turns
// these into the pictures in docs/). False if nothing or only part was written.
inline bool SaveWindowImage(HWND window, const std::string& path)
{
    RECT r;
    if (!::GetWindowRect(window, &r)) return false;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    TScreenDC screen;
    TBitmap bitmap(screen, w, h);
    {
        TMemoryDC memory(screen);
        memory.SelectObject(bitmap);
        if (!memory.BitBlt(0, 0, w, h, screen, r.left, r.top)) return false;
    }
    // GetDIBits wants the bitmap selected nowhere: the memory context is gone.
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::vector<uint8_t> pixels(size_t((w * 3 + 3) & ~3) * size_t(h));
    if (::GetDIBits(screen.GetHDC(), bitmap, 0, UINT(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                    DIB_RGB_COLORS) != h)
        return false;
    const BITMAPFILEHEADER file{0x4D42, DWORD(sizeof file + sizeof info + pixels.size()), 0, 0,
                                DWORD(sizeof file + sizeof info)};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size()));
    out.close();
    return bool(out);
}
