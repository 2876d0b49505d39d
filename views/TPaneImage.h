#pragma once
#include <windows.h>
#include <memory>

#include "framework/TBitmap.h"
#include "framework/TDibSection.h"
#include "framework/TMemoryDC.h"
#include "framework/TPalette.h"
#include "framework/TRect.h"

// The off-screen image of one spectrogram pane. Without a palette its
// pixels live in memory and are written directly; with one (a 256-colour
// screen) it is a bitmap of the screen's own format whose pixels are
// palette slots, so that realising a changed palette recolours it.
class TPaneImage {
public:
    TPaneImage(const TDC& screen, int width, int height, const TPalette* palette);

    bool IsValid() const { return W > 0 && H > 0; }
    int Width() const { return W; }
    int Height() const { return H; }
    HBITMAP GetHandle() const { return Bitmap(); }

    // Every pixel in colour (a COLORREF, or a palette reference with a palette).
    void Fill(COLORREF colour);
    // Moves the picture by (dx, dy); the strip it leaves keeps its pixels.
    void Scroll(int dx, int dy);

    // Reads and writes pixels; pixels outside the image are ignored (and read as 0).
    class TWriter {
    public:
        explicit TWriter(TPaneImage& image);
        void Set(int x, int y, COLORREF colour);
        COLORREF Get(int x, int y);

    private:
        TPaneImage& Image;
        std::unique_ptr<TMemoryDC> Memory;
    };

    // A memory context holding the image (and its palette) for GDI drawing
    // and copies; it lets go of both when it goes.
    class TImageDC : public TMemoryDC {
    public:
        TImageDC(const TDC& compatible, TPaneImage& image);
    };

private:
    const TBitmap& Bitmap() const { return Dib ? static_cast<const TBitmap&>(*Dib) : *Ddb; }

    std::unique_ptr<TDibSection> Dib;
    std::unique_ptr<TBitmap> Ddb;
    const TPalette* Palette;
    int W = 0;
    int H = 0;
};
