// The 3-D surface in a real main window under Xvfb: a sox tone in Post
// Process against numpy's levels, read back from the screen.
#include "tests/views/SurfacePhaseScreen.h"

#include <cmath>
#include <cstdlib>

#include "shell/Toolbar.h"
#include "tests/framework/WindowImage.h"
#include "views/TColourRamp.h"
#include "tests/shell/TMainWinState.h"

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
    TSurfacePlot& view = *Main->SurfaceView(0);
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
    const int band = std::min((pane.Height() - row) * view.ColourCount / scale, view.ColourCount - 1);
    if (view.ColourCount == TColourRamp::Size && !view.Palette) {
        EXPECT_EQ(first.At(peak.x, peak.y), BandColour(band));
    }
    EXPECT_EQ(view.BandAtPixel(TPoint(peak.x, peak.y)), band);
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

namespace {

// Presses, drags and releases the left button in a view, as the mouse does.
void Drag(TWindow& view, TPoint from, TPoint to)
{
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

}  // namespace

TEST_F(TSurfaceScreen, SelectionInTheLowerPaneIsMirroredInTheUpper)
{
    Open(true, 2, 2, 4096);
    Load("sine_1k_stereo.wav");
    TSurfacePlot& view = *Main->SurfaceView(0);
    view.MoveWindow(0, 0, 1100, 800, true);
    ::Sleep(TSurfacePlot::ResizeDelay + 100);
    PumpViews();
    ASSERT_EQ(view.PaneMode, 2);
    for (int i = 0; i < 4; ++i) Main->CmRun();
    PumpViews();

    view.SendMessage(WM_COMMAND, TSurfacePlot::SelectId);
    ASSERT_EQ(view.SelectMode, 1);
    const TRect lower = view.PaneRect2, upper = view.PaneRect1;
    const int x = lower.left + lower.Width() - 20;
    Drag(view, TPoint(x, lower.bottom - 20), TPoint(x, lower.bottom - 5));
    EXPECT_EQ(view.SelectMode, 0);
    const int shift = lower.top - upper.top;
    EXPECT_EQ(view.SelRect[1].top, lower.bottom - 20);
    EXPECT_EQ(view.SelRect[1].bottom, lower.bottom - 5);
    EXPECT_EQ(view.SelRect[0].top, view.SelRect[1].top - shift);
    EXPECT_EQ(view.SelRect[0].bottom, view.SelRect[1].bottom - shift);
    EXPECT_TRUE(view.CanCut());

    // Both bands are inverted on the screen: the white background shows black.
    const Screenshot shot(view.GetHandle());
    for (const TRect& band : view.SelRect) {
        EXPECT_EQ(shot.At(band.left + 2, band.top + 2), RGB(0, 0, 0));
        EXPECT_EQ(shot.At(band.left + 2, band.top - 2), RGB(255, 255, 255));
    }
    // The rows hold the four lines' times, oldest at the top.
    float start, end;
    view.GetSelectedSegment(start, end);
    EXPECT_EQ(start, view.History.RowValue(upper.bottom - 1 - view.SelRect[0].top, false));
    EXPECT_EQ(end, view.History[4].Time);
    EXPECT_LT(start, end);

    // Select again clears the bands from the screen.
    view.SendMessage(WM_COMMAND, TSurfacePlot::SelectId);
    EXPECT_FALSE(view.CanCut());
    EXPECT_EQ(Screenshot(view.GetHandle()).At(view.PaneRect1.left + 2, view.PaneRect1.bottom - 15), RGB(255, 255, 255));
}

TEST_F(TSurfaceScreen, LevelsReadBackFromTheColoursAndOverAtTheTopOfTheScale)
{
    Open(true, 1, 0, 4096);
    Load("sine_1k_mono.wav");
    TSurfacePlot& view = *Main->SurfaceView(0);
    view.MoveWindow(0, 0, 1100, 700, true);
    ::Sleep(TSurfacePlot::ResizeDelay + 100);
    PumpViews();
    // The tone at -20 dB stands above a scale from -100 to -40.
    view.Opts->PlotTop = -40.0f;
    view.UpdateLayout();
    Main->CmRun();
    PumpViews();
    const TRect pane = view.GraphRect;
    const POINT peak = Topmost(Screenshot(view.GetHandle()), pane, view.LogoRect, RGB(255, 255, 255));
    ASSERT_GE(peak.x, 0);
    EXPECT_EQ(peak.y, pane.top + pane.Height() - 1 - pane.Height() / 3);

    // Each row down the peak's run reads back the band it was painted with.
    const int scale = pane.Height() / 3, count = view.ColourCount;
    for (int y = peak.y; y < peak.y + 20; ++y) {
        const int band = std::min(int(pane.bottom - y) * count / scale, count - 1);
        EXPECT_EQ(view.BandAtPixel(TPoint(peak.x, y)), band) << y;
        EXPECT_FLOAT_EQ(view.LevelAtPixel(TPoint(peak.x, y)), -100.0f + band * 60.0f / count) << y;
    }

    // Pressed at the peak: "Over" beside the colour bar; over the empty pane, "Under".
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(peak.x, peak.y));
    EXPECT_EQ(view.ReadoutText, "Over");
    view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pane.right - 50, pane.top + 20));
    EXPECT_EQ(view.ReadoutText, "Under");
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pane.right - 50, pane.top + 20));
    EXPECT_FALSE(view.AmpReadoutShown);
}

// Run on the 8-bit screen of scripts/palette-display.sh, where the tests
// above read levels back through a palette display's colours.
TEST_F(TSurfaceScreen, PaletteDisplayReportsAPalette)
{
    if (!std::getenv("TONALYX_PALETTE_DISPLAY")) GTEST_SKIP() << "not on the 8-bit screen";
    Open(true, 1, 0, 4096);
    TSurfacePlot& view = *Main->SurfaceView(0);
    TClientDC dc(view.GetHandle());
    EXPECT_TRUE(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 8);
    // However the display keeps the colours, each band is one it tells apart.
    for (int i = 1; i < view.ColourCount; ++i) EXPECT_NE(view.Colours[i], view.Colours[i - 1]) << i;
}

// One live line (colour mode 0) and one level read-back under the mouse, at
// the widest view the screen allows, FFT 16384: a tone, and noise whose
// jagged lines give the colour walk the most pixels.
TEST_F(TSurfaceScreen, LiveLineAndLevelReadBackTimes)
{
    const struct {
        const char* Wave;
        uint16_t Channels;
        float Top;
    } cases[] = {{"sine_1k_mono.wav", 1, 0.0f}, {"noise_delay_stereo.wav", 2, -40.0f}};
    for (const auto& c : cases) {
        Open(true, c.Channels, 0, 16384);
        Load(c.Wave);
        TSurfacePlot& view = *Main->SurfaceView(0);
        view.Opts->PlotTop = c.Top;
        const TRect client = Main->GetClientWindow()->GetClientRect();
        view.MoveWindow(0, 0, client.Width(), client.Height(), true);
        ::Sleep(TSurfacePlot::ResizeDelay + 100);
        PumpViews();
        Main->CmRun();
        PumpViews();
        LARGE_INTEGER f, t0, t1;
        ::QueryPerformanceFrequency(&f);
        auto ms = [&](int rounds) { return 1000.0 * double(t1.QuadPart - t0.QuadPart) / double(f.QuadPart) / rounds; };
        const int lines = 40;
        ::QueryPerformanceCounter(&t0);
        for (int i = 0; i < lines; ++i)
            view.AddSpectrumLine(view.PaneBitmap.get(), State(Main).DisplayPrimary(), view.GraphRect);
        ::GdiFlush();
        ::QueryPerformanceCounter(&t1);
        const double line = ms(lines);

        const TRect pane = view.GraphRect;
        const POINT top = Topmost(Screenshot(view.GetHandle()), pane, view.LogoRect, RGB(255, 255, 255));
        ASSERT_GE(top.x, 0);
        const int moves = 200;
        ::QueryPerformanceCounter(&t0);
        for (int i = 0; i < moves; ++i) view.LevelAtPixel(TPoint(top.x, top.y + i % 40));
        ::QueryPerformanceCounter(&t1);
        const double level = ms(moves);
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(top.x, top.y));
        ::QueryPerformanceCounter(&t0);
        for (int i = 0; i < moves; ++i)
            view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(top.x + i % 7, top.y + i % 40));
        ::QueryPerformanceCounter(&t1);
        const double move = ms(moves);
        view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(top.x, top.y));
        std::printf("Surface %d x %d, FFT 16384, %s: line %.2f ms, LevelAtPixel %.3f ms, mouse move %.3f ms\n",
                    pane.Width(), pane.Height(), c.Wave, line, level, move);
        // A line within the 93 ms of a 16384-point block at 44.1 kHz with 75 % overlap.
        EXPECT_LT(line, 93.0);
        EXPECT_LT(move, 20.0);
        Main->Destroy();
        Main.reset();
    }
}

// sox's stepped tones run through to the end at 50 % overlap on a log axis:
// one line per block, each holding numpy's peak level of its block.
TEST_F(TSurfaceScreen, SteppedTonesLeaveOneLinePerBlockAtNumpysPeak)
{
    // Per block: block, left peak bin and dB, right peak bin and dB (FFT 4096, hop 2048).
    const std::vector<std::vector<double>> blocks = ReadFixture("views/spectrogram_steps.txt");
    ASSERT_EQ(blocks.size(), 63u);
    Open(true, 1, 0, 4096);
    State(Main).Settings().OverlapPercent = 50;
    State(Main).Scaling()[0].FreqScaleType = 1;
    State(Main).SurfaceOptions()[0].BackgroundColor = RGB(0, 0, 0);
    Load("spectrogram_steps_mono.wav");
    TSurfacePlot& view = *Main->SurfaceView(0);
    const TRect client = Main->GetClientWindow()->GetClientRect();
    view.MoveWindow(0, 0, client.Width(), client.Height(), true);
    ::Sleep(TSurfacePlot::ResizeDelay + 100);
    PumpViews();
    Main->StartAnalyzer();
    for (int i = 0; i < 100000 && Main->GetRunState() != TMainWin::Stopped; ++i) Main->IdleAction(0);
    ASSERT_EQ(Main->GetRunState(), TMainWin::Stopped);
    PumpViews();

    const int step = view.History.GetLinesPerStep();
    ASSERT_GE(view.History.Count(), 63 * step);
    for (int line = 0; line < 63; ++line) {
        const THistoryRecord& r = view.History[line * step];
        // The line's time is its block's middle.
        const long block = std::lround((double(r.Time) * 44100 - 2048) / 2048);
        ASSERT_EQ(block, 62 - line);
        EXPECT_NEAR(r.Peak, blocks[size_t(block)][2], 0.05) << "block " << block;
    }
    EXPECT_TRUE(Host().Messages.empty());
    // The picture in docs/ is the true-colour screen's, not the 8-bit one's.
    if (!std::getenv("TONALYX_PALETTE_DISPLAY")) {
        // The wave came in behind the File menu's back: the bar learns its length here.
        Main->GetTransportToolbar()->UpdateDisplay(1, 1);
        PumpViews();
        EXPECT_TRUE(SaveWindowImage(Main->GetHandle(), std::string(TONALYX_SHOTS) + "/surface.bmp"));
    }
}
