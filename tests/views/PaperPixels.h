#pragma once
#include <windows.h>

#include <map>
#include <vector>

#include "framework/TBitmap.h"
#include "framework/TClientDC.h"
#include "framework/TMemoryDC.h"
#include "framework/TRect.h"
#include "views/TPlotBase.h"

// A view painted as on paper, at its window's size, onto a white memory
// bitmap of the screen's format, read back as a count of pixels per colour.
inline std::map<COLORREF, int> PaperPixels(TPlotBase& view)
{
    TRect client = view.GetClientRect();
    TClientDC screen(view.GetHandle());
    TBitmap bitmap(screen, client.Width(), client.Height());
    std::map<COLORREF, int> counts;
    {
        TMemoryDC memory(screen);
        memory.SelectObject(bitmap);
        memory.PatBlt(client, WHITENESS);
        view.PrintMode = 1;
        view.Paint(memory, true, client);
        view.PrintMode = 0;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.Width();
    info.bmiHeader.biHeight = -client.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(size_t(client.Width()) * size_t(client.Height()));
    ::GetDIBits(screen, HBITMAP(bitmap), 0, UINT(client.Height()), pixels.data(), &info, DIB_RGB_COLORS);
    for (const RGBQUAD& p : pixels)
        ++counts[RGB(p.rgbRed, p.rgbGreen, p.rgbBlue)];
    view.Invalidate(true);
    return counts;
}
