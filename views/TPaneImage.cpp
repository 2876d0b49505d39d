#include "views/TPaneImage.h"

#include <algorithm>
#include <cstring>

#include "framework/TBrush.h"
#include "framework/TScreenDC.h"

TPaneImage::TPaneImage(const TDC& screen, int width, int height, const TPalette* palette) : Palette(palette)
{
    if (width <= 0 || height <= 0)
        return;
    if (palette) {
        Ddb = std::make_unique<TBitmap>(screen, width, height);
        if (!Ddb->IsValid())
            return;
    } else {
        Dib = std::make_unique<TDibSection>(width, height);
        if (!Dib->Row(0))
            return;
    }
    W = width;
    H = height;
}

void TPaneImage::Fill(COLORREF colour)
{
    if (!IsValid())
        return;
    if (Dib) {
        ::GdiFlush();
        std::fill(Dib->Row(0), Dib->Row(0) + size_t(W) * size_t(H), TDibSection::PixelOf(colour));
        return;
    }
    TScreenDC screen;
    TImageDC dc(screen, *this);
    TBrush brush(colour);
    dc.FillRect(TRect(-1, -1, W + 1, H + 1), brush);
}

void TPaneImage::Scroll(int dx, int dy)
{
    if (!IsValid() || std::abs(dx) >= W || std::abs(dy) >= H)
        return;
    if (Dib) {
        ::GdiFlush();
        const size_t rowBytes = size_t(W) * sizeof(uint32_t);
        if (dy > 0)
            std::memmove(Dib->Row(dy), Dib->Row(0), rowBytes * size_t(H - dy));
        else if (dy < 0)
            std::memmove(Dib->Row(0), Dib->Row(-dy), rowBytes * size_t(H + dy));
        if (dx != 0)
            for (int y = 0; y < H; ++y) {
                uint32_t* row = Dib->Row(y);
                if (dx > 0)
                    std::memmove(row + dx, row, sizeof(uint32_t) * size_t(W - dx));
                else
                    std::memmove(row, row - dx, sizeof(uint32_t) * size_t(W + dx));
            }
        return;
    }
    TScreenDC screen;
    TImageDC dc(screen, *this);
    const RECT all{0, 0, W, H};
    ::ScrollDC(dc, dx, dy, &all, &all, nullptr, nullptr);
}

TPaneImage::TWriter::TWriter(TPaneImage& image) : Image(image)
{
    if (image.Dib) {
        ::GdiFlush();
    } else if (image.IsValid()) {
        TScreenDC screen;
        Memory = std::make_unique<TImageDC>(screen, image);
    }
}

void TPaneImage::TWriter::Set(int x, int y, COLORREF colour)
{
    if (x < 0 || y < 0 || x >= Image.W || y >= Image.H)
        return;
    if (Image.Dib)
        Image.Dib->Row(y)[x] = TDibSection::PixelOf(colour);
    else
        Memory->SetPixel(x, y, colour);
}

COLORREF TPaneImage::TWriter::Get(int x, int y)
{
    if (x < 0 || y < 0 || x >= Image.W || y >= Image.H)
        return 0;
    if (Image.Dib) {
        const uint32_t p = Image.Dib->Row(y)[x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    return Memory->GetPixel(x, y);
}

TPaneImage::TImageDC::TImageDC(const TDC& compatible, TPaneImage& image) : TMemoryDC(compatible)
{
    if (!image.IsValid())
        return;
    SelectObject(image.Bitmap());
    if (image.Palette) {
        SelectObject(*image.Palette);
        RealizePalette();
    }
}
