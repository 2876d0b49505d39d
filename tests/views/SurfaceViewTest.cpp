// The 3-D surface in a real main window under Xvfb: a sox tone in Post
// Process against numpy's levels, read back from the screen.
#include "tests/views/SurfacePhaseScreen.h"

#include <cmath>

#include "views/TColourRamp.h"

namespace {

// The colour of band i of 200: black, blue, cyan, green, yellow, red in five
// runs of 40, each component stepping by 6.4.
COLORREF BandColour(int i)
{
    const int k = i % 40, up = int(6.4 * k), down = int(255 - 6.4 * k);
    switch (i / 40) {
    case 0: return RGB(0, 0, up);
    case 1: return RGB(0, up, 255);
    case 2: return RGB(0, 255, down);
    case 3: return RGB(up, 255, 0);
    default: return RGB(255, down, 0);
    }
}

// The topmost pixel in a pane that is not the background, outside the logo.
POINT Topmost(const Screenshot& shot, const TRect& pane, const TRect& logo, COLORREF background)
{
    for (int y = pane.top; y < pane.bottom; ++y)
        for (int x = pane.left; x < pane.right; ++x)
            if (shot.At(x, y) != background && !logo.Contains(TPoint(x, y))) return {x, y};
    return {-1, -1};
}

struct TSurfaceScreen : TSurfacePhaseScreen {
    // The column of a frequency on the linear axis the surface draws: the
    // data's range (2 bins to 0.99 of Nyquist) over the pane's width less
    // the lines its height holds.
    static double ToneColumn(double f, const TRect& pane, uint32_t fft)
    {
        const double lo = 2 * 44100.0 / fft, hi = 0.99 * 22050.0;
        const int count = pane.Width() - pane.Height() / 3;
        return std::floor((f - lo) * count / (hi - lo));
    }
};

}  // namespace

TEST_F(TSurfaceScreen, ToneLinesStandWhereTheirLevelPutsThemColouredByHeight)
{
    const std::vector<double> ref = ReadFixture("views/surface_reference.txt").at(0);
    const uint32_t fft = uint32_t(ref[0]);
    Open(true, 1, 0, fft);
    Load("sine_1k_mono.wav");
    TSurfacePlot& view = *Main->SurfaceViews[0];
    view.MoveWindow(0, 0, 1100, 700, true);
    // Past the wait after a resize, whose rebuild finds no lines yet.
    ::Sleep(TSurfacePlot::ResizeDelay + 100);
    PumpViews();
    ASSERT_EQ(view.PaneMode, 1);
    const TRect pane = view.GraphRect;
    const int scale = pane.Height() / 3;

    Main->CmRun();
    PumpViews();
    // The newest line peaks one column after the tone's (each vertex carries
    // the height of the column before it), as high as numpy's level puts it.
    POINT peak = Topmost(Screenshot(view.GetHandle()), pane, view.LogoRect, RGB(255, 255, 255));
    ASSERT_GE(peak.x, 0);
    const int h = int(scale * (ref[2] + 60.0) / 60.0);
    EXPECT_NEAR(peak.x, pane.left + ToneColumn(1000.0, pane, fft) + 1, 1.0);
    EXPECT_NEAR(peak.y, pane.top + pane.Height() - 1 - h, 2.0);
    // Coloured by its height above the image's bottom, not left in the black pen.
    const Screenshot first(view.GetHandle());
    const int row = peak.y - pane.top;
    EXPECT_EQ(first.At(peak.x, peak.y), BandColour(std::min((pane.Height() - row) * 200 / scale, 199)));
    for (int y = peak.y; y < peak.y + 5; ++y) EXPECT_NE(first.At(peak.x, y), RGB(0, 0, 0)) << y;

    // The cursor reads the tone's frequency from the skewed surface.
    EXPECT_NEAR(view.GetXValue(TPoint(peak.x, peak.y)), 1000.0, 2 * 21829.5 / (pane.Width() - scale));

    // The next block: the previous line stands three rows higher, one column right.
    Main->CmRun();
    PumpViews();
    const POINT previous = Topmost(Screenshot(view.GetHandle()), pane, view.LogoRect, RGB(255, 255, 255));
    EXPECT_EQ(previous.x, peak.x + 1);
    EXPECT_NEAR(previous.y, peak.y - 3, 1.0);
    EXPECT_EQ(view.GetHistoryLineCount(), uint32_t(view.History.Count() / 3 + 1));
    EXPECT_GT(view.GetHistoryTime(0), view.GetHistoryTime(1));
    EXPECT_TRUE(Host().Messages.empty());
}
