// The spectrogram on a 256-colour screen (the 8-bit Xvfb of
// scripts/palette-display.sh; elsewhere these tests are skipped): its colour map as a logical palette between the static
// colours, lines drawn in palette slots, amplitudes read back through the
// palette, and the intensity control shifting the map.
#include <windows.h>

#include <cstdlib>

#include "framework/TClientDC.h"
#include "tests/framework/Screenshot.h"
#include "tests/views/SpectrogramHost.h"

namespace {

COLORREF Rgb(const PALETTEENTRY& e)
{
    return RGB(e.peRed, e.peGreen, e.peBlue);
}

}  // namespace

class TSpectrogramOnPaletteScreen : public TSpectrogramOverFakeHost {
protected:
    void SetUp() override
    {
        TSpectrogramOverFakeHost::SetUp();
        if (!std::getenv("TONALYX_PALETTE_DISPLAY"))
            GTEST_SKIP() << "not on the 8-bit screen";
        TClientDC screen(nullptr);
        ASSERT_TRUE(screen.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) << "run on an 8-bit screen";
        ASSERT_EQ(screen.GetDeviceCaps(SIZEPALETTE), 256);
        ASSERT_EQ(screen.GetDeviceCaps(NUMRESERVED), 20);
    }

    // The screen pixel of the tone on the newest line, and its colour index.
    static TPoint TonePoint(TSpectrogram& view)
    {
        const int column = view.FindColumn(3000.0f);
        const TCurvePoint at = TSpectrogramGeometry(0).WindowPixel(0, column + 1, {view.GraphRect.left, view.GraphRect.top,
                                                                               view.GraphRect.right,
                                                                               view.GraphRect.bottom});
        return TPoint(at.x, at.y);
    }

    static COLORREF ScreenPixel(TSpectrogram& view, const TPoint& point)
    {
        Screenshot shot(view.GetHandle());
        return shot.At(point.x, point.y);
    }
};

TEST_F(TSpectrogramOnPaletteScreen, TheColourMapTakesTheSlotsBetweenTheStaticColours)
{
    TSpectrogram& view = Open();
    ASSERT_NE(view.Palette, nullptr);
    EXPECT_EQ(view.ColourCount, 200);
    EXPECT_EQ(view.PaletteFirstSlot, 10);
    ASSERT_EQ(view.Palette->GetNumEntries(), 256);
    const TColourRamp::Table ramp = TColourRamp::Spectrum();
    PALETTEENTRY entries[256];
    ASSERT_EQ(view.Palette->GetPaletteEntries(0, 256, entries), 256u);
    for (int i : {0, 39, 40, 80, 160, 199}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(view.Colours[size_t(i)], COLORREF(PALETTEINDEX(10 + i)));
        EXPECT_EQ(Rgb(entries[10 + i]), ramp[size_t(i)]);
        EXPECT_EQ(entries[10 + i].peFlags, PC_RESERVED);
    }
}

TEST_F(TSpectrogramOnPaletteScreen, LinesAreReadBackThroughThePalette)
{
    TSpectrogram& view = Open();
    for (int line = 1; line <= 5; ++line)
        view.NewSpectrum(float(line));
    const TPoint tone = TonePoint(view);
    const int bin = int(Data->GetPeakIndex());
    const float level = std::max({Data->GetDisplayValue(bin - 1), Data->GetDisplayValue(bin),
                                  Data->GetDisplayValue(bin + 1)});
    const int index = BandOfDb(level, 200);
    const float read = view.GetPixelAmplitude(tone);
    EXPECT_NEAR(read, DbOfBand(index, 200), 0.31f) << level;
    // Wine's 256 colours are a fixed colour cube: the screen shows the
    // nearest it has, not black.
    EXPECT_NE(ScreenPixel(view, tone), RGB(0, 0, 0));

    // A shifted map puts the colour of a higher index into the same slot.
    HWND bar = view.IntensityBar->GetHandle();
    for (int i = 0; i < 10; ++i)
        view.SendMessage(WM_VSCROLL, SB_LINEUP, LPARAM(bar));
    ASSERT_EQ(Opts[0].Intensity, 10);
    PALETTEENTRY entry;
    view.Palette->GetPaletteEntries(UINT(10 + index), 1, &entry);
    EXPECT_EQ(Rgb(entry), TColourRamp::Spectrum()[size_t(index + 10)]);
}

TEST_F(TSpectrogramOnPaletteScreen, IntensityStopsAtAQuarterOfTheMapEitherWay)
{
    TSpectrogram& view = Open();
    HWND bar = view.IntensityBar->GetHandle();
    for (int i = 0; i < 51; ++i)
        view.SendMessage(WM_VSCROLL, SB_LINEUP, LPARAM(bar));
    EXPECT_EQ(Opts[0].Intensity, 50);
    const TColourRamp::Table ramp = TColourRamp::Spectrum();
    PALETTEENTRY entries[256];
    view.Palette->GetPaletteEntries(0, 256, entries);
    for (int i = 149; i < 200; ++i)
        EXPECT_EQ(Rgb(entries[10 + i]), ramp[199]) << i;
    EXPECT_EQ(Rgb(entries[10]), ramp[50]);
    // The end of a scroll on a palette screen says nothing.
    view.SendMessage(WM_VSCROLL, SB_ENDSCROLL, LPARAM(bar));
    EXPECT_EQ(Opts[0].Intensity, 50);
    EXPECT_TRUE(Messages().empty());
    for (int i = 0; i < 101; ++i)
        view.SendMessage(WM_VSCROLL, SB_LINEDOWN, LPARAM(bar));
    EXPECT_EQ(Opts[0].Intensity, -50);
    // The intensity bar shows on a palette screen.
    view.Invalidate(true);
    view.UpdateWindow();
    EXPECT_TRUE(view.IntensityBar->IsWindowVisible());
}
