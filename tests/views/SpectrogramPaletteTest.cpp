// The spectrogram on a 256-colour screen (the 8-bit Xvfb of
// scripts/palette-display.sh; elsewhere these tests are skipped). Wine
// reports a palette display there but draws a palette's entries in colours
// of its own, so the view paints in the display's nearest colours: levels
// still read back from the picture, and the intensity control, which only a
// palette the display honours could serve, rests at 0 without a word.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "framework/TClientDC.h"
#include "tests/framework/Screenshot.h"
#include "tests/views/SpectrogramHost.h"

class TSpectrogramOnPaletteScreen : public TSpectrogramOverFakeHost {
protected:
    void SetUp() override
    {
        TSpectrogramOverFakeHost::SetUp();
        if (!std::getenv("TONALYX_PALETTE_DISPLAY"))
            GTEST_SKIP() << "not on the 8-bit screen";
        TClientDC screen(nullptr);
        ASSERT_TRUE(screen.GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
        ASSERT_EQ(screen.GetDeviceCaps(SIZEPALETTE), 256);
        ASSERT_EQ(screen.GetDeviceCaps(NUMRESERVED), 20);
    }

    // The tone's pixel on the newest line.
    static TPoint TonePoint(TSpectrogram& view)
    {
        const TCurvePoint at = TSpectrogramGeometry(0).WindowPixel(
            0, view.FindColumn(3000.0f) + 1,
            {view.GraphRect.left, view.GraphRect.top, view.GraphRect.right, view.GraphRect.bottom});
        return TPoint(at.x, at.y);
    }
};

TEST_F(TSpectrogramOnPaletteScreen, LevelsReadBackInTheDisplaysOwnColours)
{
    TSpectrogram& view = Open();
    EXPECT_EQ(view.Palette, nullptr);
    ASSERT_GT(view.ColourCount, 20);
    ASSERT_LE(view.ColourCount, 200);
    for (int i = 1; i < view.ColourCount; ++i)
        EXPECT_NE(view.Colours[size_t(i)], view.Colours[size_t(i - 1)]) << i;
    for (int line = 1; line <= 5; ++line)
        view.NewSpectrum(float(line));

    // The tone's level, on a coarser map: within the band of the colour
    // that shows it.
    const int bin = int(Data->GetPeakIndex());
    const float level = std::max({Data->GetDisplayValue(bin - 1), Data->GetDisplayValue(bin),
                                  Data->GetDisplayValue(bin + 1)});
    const float read = view.GetPixelAmplitude(TonePoint(view));
    EXPECT_LE(read, level);
    EXPECT_GT(read, level - 60.0f / float(view.ColourCount) - 0.01f);
    // The screen shows a colour of the map.
    Screenshot shot(view.GetHandle());
    const TPoint tone = TonePoint(view);
    const auto end = view.Colours.begin() + view.ColourCount;
    EXPECT_NE(std::find(view.Colours.begin(), end, shot.At(tone.x, tone.y)), end);
}

TEST_F(TSpectrogramOnPaletteScreen, IntensityRestsWithoutAPaletteTheDisplayHonours)
{
    TSpectrogram& view = Open();
    Opts[0].Intensity = 5;
    HWND bar = view.IntensityBar->GetHandle();
    view.SendMessage(WM_VSCROLL, SB_LINEUP, LPARAM(bar));
    EXPECT_EQ(Opts[0].Intensity, 5);
    view.SendMessage(WM_VSCROLL, SB_ENDSCROLL, LPARAM(bar));
    EXPECT_EQ(Opts[0].Intensity, 0);
    EXPECT_TRUE(Messages().empty()) << "a 256-colour display needs no advice to switch to one";
    view.Invalidate(true);
    view.UpdateWindow();
    EXPECT_FALSE(view.IntensityBar->IsWindowVisible());
}
