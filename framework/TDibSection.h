#pragma once
#include <windows.h>
#include <cstdint>
#include "framework/TBitmap.h"

// A 32-bit top-down device-independent bitmap whose pixels the program
// writes directly, and which GDI draws on and copies like any bitmap. A
// pixel is 0x00RRGGBB. Call GdiFlush before touching the pixels after GDI
// drew on the bitmap.
class TDibSection : public TBitmap {
public:
    TDibSection(int width, int height);

    int PixelWidth() const { return W; }
    int PixelHeight() const { return H; }
    // Row y (0 at the top); null without pixels.
    uint32_t* Row(int y) { return Pixels ? Pixels + size_t(y) * size_t(W) : nullptr; }
    // A COLORREF (0x00BBGGRR) as a pixel.
    static uint32_t PixelOf(COLORREF colour)
    {
        return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    }

private:
    uint32_t* Pixels = nullptr;
    int W = 0;
    int H = 0;
};
