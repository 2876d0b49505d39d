#include <cstdio>
#include <cstring>
#include "GuiTest.h"
#include "Screenshot.h"
#include "framework/TBrush.h"
#include "framework/TDib.h"
#include "framework/TFont.h"
#include "framework/TGdiCache.h"
#include "framework/TGauge.h"
#include "framework/TPalette.h"
#include "framework/TPen.h"
#include "framework/TScreenDC.h"
#include "framework/TWindow.h"

namespace {
// The pixels make_demo_bitmap.py writes into demo.bmp, top row first.
const COLORREF DemoPixels[2][4] = {
    {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)},
    {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 0)},
};

COLORREF DibPixel(const TDib& dib, int x, int y)
{
    const unsigned char* row = static_cast<const unsigned char*>(dib.GetBits()) + size_t(dib.Height() - 1 - y) * dib.Pitch();
    const unsigned char* p = row + x * 3;
    return RGB(p[2], p[1], p[0]);
}

class GdiTest : public GuiTest {
protected:
    TScreenDC Screen;
};

class TPaintedWindow : public TWindow {
public:
    TPaintedWindow() : TWindow(nullptr, "painted")
    {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.X = 10; Attr.Y = 10; Attr.W = 200; Attr.H = 100;
    }
    void Paint(TDC& dc, bool, TRect&) override
    {
        dc.FillRect(TRect(0, 0, 100, 100), TBrush(TColor(0, 128, 0)));
        dc.FillRect(TRect(100, 0, 200, 100), TBrush(TColor(0, 0, 128)));
    }
};
}

TEST_F(GdiTest, MemoryContextDrawsIntoABitmapAndRestoresItsObjects)
{
    TMemoryDC mem(Screen);
    TBitmap bitmap(Screen, 40, 30);
    ASSERT_TRUE(bitmap.IsValid());
    EXPECT_EQ(bitmap.Width(), 40);
    EXPECT_EQ(bitmap.Height(), 30);
    mem.SelectObject(bitmap);
    mem.FillRect(TRect(0, 0, 40, 30), TBrush(TColor::White));
    mem.FillRect(TRect(5, 5, 15, 15), TBrush(TColor::LtRed));
    {
        TPen pen(TColor::LtBlue);
        mem.SelectObject(pen);
        mem.SelectStockObject(NULL_BRUSH);
        mem.Rectangle(20, 5, 30, 15);
        mem.RestorePen();
        mem.RestoreBrush();
    }
    EXPECT_EQ(mem.GetPixel(5, 5), TColor::LtRed);
    EXPECT_EQ(mem.GetPixel(14, 14), TColor::LtRed);
    EXPECT_EQ(mem.GetPixel(15, 15), TColor::White);   // right and bottom edges excluded
    EXPECT_EQ(mem.GetPixel(20, 10), TColor::LtBlue);
    EXPECT_EQ(mem.GetPixel(25, 10), TColor::White);   // hollow
    // The inverting line the cursors use: drawn twice, it is gone.
    mem.SetROP2(R2_NOT);
    mem.MoveTo(0, 20);
    mem.LineTo(40, 20);
    EXPECT_EQ(mem.GetPixel(30, 20), TColor::Black);
    mem.MoveTo(0, 20);
    mem.LineTo(40, 20);
    EXPECT_EQ(mem.GetPixel(30, 20), TColor::White);
    mem.SetROP2(R2_COPYPEN);
    // Text lands inside its measured extent.
    TFont font("Arial", 15);
    mem.SelectObject(font);
    TSize extent = mem.GetTextExtent("W");
    mem.SetBkMode(TRANSPARENT);
    mem.TextOut(2, 16, "W");
    int dark = 0;
    for (int x = 2; x < 2 + extent.cx; ++x)
        for (int y = 16; y < 16 + extent.cy && y < 30; ++y) dark += mem.GetPixel(x, y) == TColor::Black;
    EXPECT_GT(dark, 3);
    mem.RestoreFont();
    mem.RestoreBitmap();
    // The bitmap is free again: a DIB of it shows the drawing.
    TDib dib(bitmap);
    ASSERT_TRUE(dib.IsOK());
    EXPECT_EQ(DibPixel(dib, 10, 10), TColor::LtRed);
    EXPECT_EQ(DibPixel(dib, 20, 10), TColor::LtBlue);
}

TEST_F(GdiTest, DibFromResourceAndBmpFileRoundTrip)
{
    TDib dib(App.GetInstance(), "DEMO_BITMAP");
    ASSERT_TRUE(dib.IsOK());
    EXPECT_EQ(dib.Width(), 4);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.BitsPixel(), 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(DibPixel(dib, x, y), DemoPixels[y][x]) << x << "," << y;

    char dir[MAX_PATH], path[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    ::GetTempFileNameA(dir, "dib", 0, path);
    ASSERT_TRUE(dib.WriteFile(path));
    // The system's own loader reads the file we wrote.
    HBITMAP loaded = static_cast<HBITMAP>(::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(loaded, nullptr);
    {
        TBitmap bitmap(loaded, true);
        TMemoryDC mem(Screen);
        mem.SelectObject(bitmap);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(mem.GetPixel(x, y), DemoPixels[y][x]);
        mem.RestoreBitmap();
    }
    TDib again(path);
    ASSERT_TRUE(again.IsOK());
    EXPECT_EQ(DibPixel(again, 3, 1), DemoPixels[1][3]);
    ::DeleteFileA(path);

    EXPECT_FALSE(TDib(App.GetInstance(), "NO_SUCH_BITMAP").IsOK());
    EXPECT_FALSE(TDib("Z:\\no\\such\\file.bmp").IsOK());
}

TEST_F(GdiTest, DibRejectsTruncatedAndForeignFiles)
{
    char dir[MAX_PATH], path[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    ::GetTempFileNameA(dir, "dib", 0, path);
    TDib dib(App.GetInstance(), "DEMO_BITMAP");
    ASSERT_TRUE(dib.WriteFile(path));
    std::FILE* f = std::fopen(path, "rb");
    std::vector<char> bytes(200);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    auto write = [&](size_t n, char first) {
        std::FILE* out = std::fopen(path, "wb");
        std::fwrite(bytes.data(), 1, n, out);
        std::fclose(out);
        if (first) {
            out = std::fopen(path, "r+b");
            std::fputc(first, out);
            std::fclose(out);
        }
    };
    write(bytes.size() - 1, 0);   // one byte of pixels short
    EXPECT_FALSE(TDib(path).IsOK());
    write(30, 0);                 // header cut off
    EXPECT_FALSE(TDib(path).IsOK());
    write(bytes.size(), 'X');     // not "BM"
    EXPECT_FALSE(TDib(path).IsOK());
    ::DeleteFileA(path);
}

TEST_F(GdiTest, PaletteKeepsItsEntries)
{
    PALETTEENTRY entries[3] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, PC_RESERVED}};
    TPalette palette(entries, 3);
    ASSERT_TRUE(palette.IsValid());
    EXPECT_EQ(palette.GetNumEntries(), 3);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(10, 240, 5)), 1u);
    PALETTEENTRY back[3];
    EXPECT_EQ(palette.GetPaletteEntries(0, 3, back), 3u);
    EXPECT_EQ(back[2].peBlue, 255);
    EXPECT_EQ(back[2].peFlags, PC_RESERVED);
}

TEST_F(GdiTest, WindowPaintsThroughPaintAndTheScreenShowsIt)
{
    TPaintedWindow window;
    ASSERT_TRUE(window.Create());
    window.UpdateWindow();
    Pump();
    Screenshot shot(window);
    EXPECT_EQ(shot.At(50, 50), RGB(0, 128, 0));
    EXPECT_EQ(shot.At(150, 50), RGB(0, 0, 128));
}

TEST_F(GdiTest, GaugeFillsItsValueShareWithTheBarColour)
{
    TPaintedWindow window;
    TGauge gauge(&window, "", 105, 0, 0, 200, 20, true, 0);
    gauge.SetColor(TColor(255, 0, 255));
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(gauge.GetBarRect().Width(), 0);
    gauge.SetValue(50);
    EXPECT_EQ(gauge.GetBarRect(), TRect(0, 0, 100, 20));
    gauge.SetValue(250);   // clamped to the range
    EXPECT_EQ(gauge.GetValue(), 100);
    gauge.SetValue(25);
    gauge.UpdateWindow();
    Pump();
    Screenshot shot(gauge);
    EXPECT_EQ(shot.At(10, 10), RGB(255, 0, 255));
    EXPECT_EQ(shot.At(150, 10), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(GdiTest, WrappersCountWhatTheyOwnUntilItIsDeleted)
{
    const long before = TGdiObject::LiveObjects();
    {
        TPen pen(TColor::LtRed);
        TBrush brush(TColor::LtBlue);
        TFont font("Arial", 15);
        TBitmap bitmap(Screen, 8, 8);
        TMemoryDC memory(Screen);
        EXPECT_EQ(TGdiObject::LiveObjects(), before + 5);
        // Borrowed handles are their owner's to count; a failed load makes nothing.
        TPen stock(static_cast<HPEN>(::GetStockObject(BLACK_PEN)), false);
        TBitmap missing(App.GetInstance(), "NO_SUCH_BITMAP");
        EXPECT_FALSE(missing.IsValid());
        EXPECT_EQ(TGdiObject::LiveObjects(), before + 5);
        memory.SelectObject(bitmap);
        memory.SelectObject(pen);
    }
    EXPECT_EQ(TGdiObject::LiveObjects(), before);
}

TEST_F(GdiTest, CacheMakesEachObjectOnceUntilCleared)
{
    const long before = TGdiObject::LiveObjects();
    TGdiCache cache;
    LOGFONTA lf{};
    lf.lfHeight = 15;
    std::strcpy(lf.lfFaceName, "Arial");
    TMemoryDC memory(Screen);
    TBitmap bitmap(Screen, 4, 4);
    memory.SelectObject(bitmap);
    for (int frame = 0; frame < 100; ++frame) {
        memory.SelectObject(cache.Pen(TColor::LtRed));
        memory.SelectObject(cache.Pen(TColor::LtRed, 4, PS_DASH));
        memory.FillRect(TRect(0, 0, 4, 4), cache.Brush(TColor::LtBlue));
        memory.SelectObject(cache.Font(lf));
    }
    EXPECT_EQ(&cache.Pen(TColor::LtRed), &cache.Pen(TColor::LtRed));
    EXPECT_NE(&cache.Pen(TColor::LtRed), &cache.Pen(TColor::LtRed, 4, PS_DASH));
    EXPECT_EQ(memory.GetPixel(1, 1), TColor::LtBlue);
    EXPECT_EQ(TGdiObject::LiveObjects(), before + 2 + 4);
    memory.RestoreObjects();
    cache.Clear();
    EXPECT_EQ(TGdiObject::LiveObjects(), before + 2);
}
