// The main window's places for the surface and phase views: the View menu,
// the second channel's windows, placements, settings applied to the views,
// and the rebuild of a surface from the wave after a resize.
#include "tests/views/SurfacePhaseScreen.h"

#include "resources/CommandIds.h"

namespace {

bool Checked(TMainWin& main, UINT id)
{
    return (::GetMenuState(main.GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The topmost pixel in a pane that is not white, outside the logo.
POINT TopmostLine(TSurfacePlot& view)
{
    const Screenshot shot(view.GetHandle());
    const TRect& pane = view.GraphRect;
    for (int y = pane.top; y < pane.bottom; ++y)
        for (int x = pane.left; x < pane.right; ++x)
            if (shot.At(x, y) != RGB(255, 255, 255) && !view.LogoRect.Contains(TPoint(x, y))) return {x, y};
    return {-1, -1};
}

}  // namespace

TEST_F(TSurfacePhaseScreen, ViewMenuTogglesEachKindWithItsSecondChannelWindow)
{
    const struct {
        UINT Command;
        int32_t ViewStatusFlags::*Flag;
        int Type;
    } kinds[] = {{CM_VIEWSURFACE, &ViewStatusFlags::SurfacePlot, TMainWin::SurfaceType},
                 {CM_VIEWPHASE, &ViewStatusFlags::PhasePlot, TMainWin::PhaseType}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.Type);
        Open(true, 2, 2, 4096);
        Main->Settings.IndependentScalingAndCalibration = 1;
        if (Main->ViewStatus.SurfacePlot) Main->SendMessage(WM_COMMAND, CM_VIEWSURFACE);
        ASSERT_EQ(Main->ViewStatus.SurfacePlot, 0);
        EXPECT_FALSE(Checked(*Main, CM_VIEWSURFACE));

        Main->SendMessage(WM_COMMAND, k.Command);
        HWND first = Main->PlacementWindow(k.Type);
        HWND second = Main->PlacementWindow(k.Type + TMainWin::SecondChannelOffset);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(Main->ViewStatus.*k.Flag, 1);
        EXPECT_TRUE(Checked(*Main, k.Command));
        // Each shows its own channel's result.
        auto* plot = static_cast<TPlotBase*>(TWindow::FromHandle(second));
        if (k.Type == TMainWin::SurfaceType)
            EXPECT_EQ(static_cast<TSurfacePlot*>(plot)->Data, Main->DisplaySecondary);
        else
            EXPECT_EQ(static_cast<TPhasePlot*>(plot)->PhaseData, Main->DisplaySecondary);

        // One closed from its close box: the other stays, and so does the check mark.
        ::SendMessageA(second, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(Main->PlacementWindow(k.Type + TMainWin::SecondChannelOffset), nullptr);
        EXPECT_TRUE(Checked(*Main, k.Command));
        ::SendMessageA(first, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(Main->PlacementWindow(k.Type), nullptr);
        EXPECT_EQ(Main->ViewStatus.*k.Flag, 0);
        EXPECT_FALSE(Checked(*Main, k.Command));
        Main->Destroy();
        Main.reset();
    }
}

TEST_F(TSurfacePhaseScreen, SettingsReachTheViewsAndDisallowedOnesClose)
{
    Open(true, 2, 2, 4096);
    Main->Settings.IndependentScalingAndCalibration = 1;
    Main->SendMessage(WM_COMMAND, CM_VIEWSURFACE);   // closes the single view
    Main->SendMessage(WM_COMMAND, CM_VIEWSURFACE);   // both channels
    Main->SendMessage(WM_COMMAND, CM_VIEWPHASE);
    Load("sine_1k_stereo.wav");
    ASSERT_TRUE(Main->SurfaceViews[1] && Main->PhaseViews[1]);
    for (int i = 0; i < 3; ++i) Main->CmRun();
    PumpViews();
    TSurfacePlot& surface = *Main->SurfaceViews[0];
    ASSERT_GT(surface.GetHistoryMaxTime(), 0.0f);

    // A full refresh: new engines for every view, and an empty surface history.
    Main->ApplySettings(TMainWin::RefreshFull);
    EXPECT_EQ(surface.Data, Main->DisplayPrimary);
    EXPECT_EQ(Main->SurfaceViews[1]->Data, Main->DisplaySecondary);
    EXPECT_EQ(Main->PhaseViews[0]->PhaseData, Main->DisplayPrimary);
    EXPECT_EQ(surface.GetHistoryMaxTime(), 0.0f);

    // Left only: the second channel's windows may not stay.
    Main->Settings.ChannelProcessing = 0;
    Main->ApplySettings(TMainWin::RefreshFull);
    EXPECT_EQ(Main->SurfaceViews[1], nullptr);
    EXPECT_EQ(Main->PhaseViews[1], nullptr);
    EXPECT_NE(Main->SurfaceViews[0], nullptr);
    EXPECT_NE(Main->PhaseViews[0], nullptr);
}

TEST_F(TSurfacePhaseScreen, ResizeAndRecomputeDrawTheSameLinesAgainFromTheWave)
{
    Open(true, 1, 0, 4096);
    Load("sine_1k_mono.wav");
    TSurfacePlot& view = *Main->SurfaceViews[0];
    view.MoveWindow(0, 0, 1000, 650, true);
    ::Sleep(TSurfacePlot::ResizeDelay + 100);
    PumpViews();
    for (int i = 0; i < 3; ++i) Main->CmRun();
    PumpViews();
    const POINT before = TopmostLine(view);
    ASSERT_GE(before.x, 0);
    const float newest = view.GetHistoryTime(0), oldest = view.GetHistoryTime(2);
    ASSERT_LT(oldest, newest);

    // Wider: the lines come back from the wave once the resizing stops.
    view.MoveWindow(0, 0, 1100, 650, true);
    PumpViews();
    EXPECT_LT(TopmostLine(view).x, 0);
    ::Sleep(TSurfacePlot::ResizeDelay + 100);
    PumpViews();
    // The three lines again: the oldest at the top, where it stood; the history keeps their times.
    const POINT wider = TopmostLine(view);
    EXPECT_EQ(wider.y, before.y);
    EXPECT_EQ(view.GetHistoryTime(0), newest);
    EXPECT_EQ(view.GetHistoryTime(2), oldest);
    EXPECT_EQ(view.GetHistoryTime(3), 0.0f);

    // The history recomputed in place (a calibration change) draws the same picture.
    Main->ApplySettings(TMainWin::RefreshRecomputeHistory);
    PumpViews();
    const POINT again = TopmostLine(view);
    EXPECT_EQ(again.x, wider.x);
    EXPECT_EQ(again.y, wider.y);
    EXPECT_TRUE(Host().Messages.empty());
}
