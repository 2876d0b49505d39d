// The main window's places for the surface and phase views: the View menu,
// the second channel's windows, placements, settings applied to the views,
// and the rebuild of a surface from the wave after a resize.
#include "tests/views/SurfacePhaseScreen.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/TCommandEnabler.h"
#include "framework/TMDIClient.h"
#include "resources/CommandIds.h"
#include "views/TSeriesPlot.h"
#include "tests/shell/TMainWinState.h"

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
        TMainWin::ViewType Type;
    } kinds[] = {{CM_VIEWSURFACE, &ViewStatusFlags::SurfacePlot, TMainWin::ViewType::Surface},
                 {CM_VIEWPHASE, &ViewStatusFlags::PhasePlot, TMainWin::ViewType::Phase}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(int(k.Type));
        Open(true, 2, 2, 4096);
        State(Main).Settings().IndependentScalingAndCalibration = 1;
        if (Main->GetViewStatus().SurfacePlot) Main->SendMessage(WM_COMMAND, CM_VIEWSURFACE);
        ASSERT_EQ(Main->GetViewStatus().SurfacePlot, 0);
        EXPECT_FALSE(Checked(*Main, CM_VIEWSURFACE));

        Main->SendMessage(WM_COMMAND, k.Command);
        HWND first = Main->PlacementWindow(k.Type);
        HWND second = Main->PlacementWindow(TMainWin::SecondChannel(k.Type));
        ASSERT_TRUE(first && second);
        EXPECT_EQ(Main->GetViewStatus().*k.Flag, 1);
        EXPECT_TRUE(Checked(*Main, k.Command));
        // Each shows its own channel's result.
        auto* plot = static_cast<TPlotBase*>(TWindow::FromHandle(second));
        if (k.Type == TMainWin::ViewType::Surface)
            EXPECT_EQ(static_cast<TSurfacePlot*>(plot)->Data, State(Main).DisplaySecondary());
        else
            EXPECT_EQ(static_cast<TPhasePlot*>(plot)->PhaseData, State(Main).DisplaySecondary());

        // One closed from its close box: the other stays, and so does the check mark.
        ::SendMessageA(second, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(Main->PlacementWindow(TMainWin::SecondChannel(k.Type)), nullptr);
        EXPECT_TRUE(Checked(*Main, k.Command));
        ::SendMessageA(first, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(Main->PlacementWindow(k.Type), nullptr);
        EXPECT_EQ(Main->GetViewStatus().*k.Flag, 0);
        EXPECT_FALSE(Checked(*Main, k.Command));
        Main->Destroy();
        Main.reset();
    }
}

TEST_F(TSurfacePhaseScreen, SettingsReachTheViewsAndDisallowedOnesClose)
{
    Open(true, 2, 2, 4096);
    State(Main).Settings().IndependentScalingAndCalibration = 1;
    Main->SendMessage(WM_COMMAND, CM_VIEWSURFACE);   // closes the single view
    Main->SendMessage(WM_COMMAND, CM_VIEWSURFACE);   // both channels
    Main->SendMessage(WM_COMMAND, CM_VIEWPHASE);
    Load("sine_1k_stereo.wav");
    ASSERT_TRUE(Main->SurfaceView(1) && Main->PhaseView(1));
    for (int i = 0; i < 3; ++i) Main->CmRun();
    PumpViews();
    TSurfacePlot& surface = *Main->SurfaceView(0);
    ASSERT_GT(surface.GetHistoryMaxTime(), 0.0f);

    // A full refresh: new engines for every view, and an empty surface history.
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    EXPECT_EQ(surface.Data, State(Main).DisplayPrimary());
    EXPECT_EQ(Main->SurfaceView(1)->Data, State(Main).DisplaySecondary());
    EXPECT_EQ(Main->PhaseView(0)->PhaseData, State(Main).DisplayPrimary());
    EXPECT_EQ(surface.GetHistoryMaxTime(), 0.0f);

    // Left only: the second channel's windows may not stay.
    State(Main).Settings().ChannelProcessing = 0;
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    EXPECT_EQ(Main->SurfaceView(1), nullptr);
    EXPECT_EQ(Main->PhaseView(1), nullptr);
    EXPECT_NE(Main->SurfaceView(0), nullptr);
    EXPECT_NE(Main->PhaseView(0), nullptr);
}

TEST_F(TSurfacePhaseScreen, ResizeAndRecomputeDrawTheSameLinesAgainFromTheWave)
{
    Open(true, 1, 0, 4096);
    Load("sine_1k_mono.wav");
    TSurfacePlot& view = *Main->SurfaceView(0);
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
    Main->ApplySettings(TMainWin::RefreshKind::RecomputeHistory);
    PumpViews();
    const POINT again = TopmostLine(view);
    EXPECT_EQ(again.x, wider.x);
    EXPECT_EQ(again.y, wider.y);
    EXPECT_TRUE(Host().Messages.empty());
}

TEST_F(TSurfacePhaseScreen, EachViewComesBackWhereItWasClosed)
{
    const RECT rect{60, 70, 660, 470};
    const struct {
        bool Surface;
        UINT Command;
        const char* Key;
    } kinds[] = {{true, CM_VIEWSURFACE, "3-D Surface"}, {false, CM_VIEWPHASE, "Phase"}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.Key);
        Open(k.Surface, 1, 0, 4096);
        const TMainWin::ViewType type = k.Surface ? TMainWin::ViewType::Surface : TMainWin::ViewType::Phase;
        HWND view = Main->PlacementWindow(type);
        ASSERT_NE(view, nullptr);
        ::MoveWindow(view, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        Main->SendMessage(WM_COMMAND, k.Command);
        ASSERT_EQ(Main->PlacementWindow(type), nullptr);
        char stored[128] = {};
        ::GetPrivateProfileStringA("Placement", k.Key, "", stored, sizeof stored, Main->GetIniPath());
        EXPECT_NE(std::string(stored).find("{60,70,660,470}"), std::string::npos) << stored;

        Main->SendMessage(WM_COMMAND, k.Command);
        view = Main->PlacementWindow(type);
        ASSERT_NE(view, nullptr);
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        ::GetWindowPlacement(view, &wp);
        EXPECT_TRUE(::EqualRect(&wp.rcNormalPosition, &rect));
        Main->Destroy();
        Main.reset();
    }
}

// The segment chosen on the surface is the one the main window's edits and
// the time series take, as the surface's context menu sends them.
TEST_F(TSurfacePhaseScreen, SurfaceSelectionIsTheSegmentItsMenuEditsAndShows)
{
    Open(true, 1, 0, 4096);
    Load("sine_1k_mono.wav");
    TSurfacePlot& view = *Main->SurfaceView(0);
    view.MoveWindow(0, 0, 1000, 650, true);
    ::Sleep(TSurfacePlot::ResizeDelay + 100);
    PumpViews();
    for (int i = 0; i < 10; ++i) Main->CmRun();
    PumpViews();
    auto enabled = [&](int id) {
        TCommandEnabler ce{UINT(id)};
        view.EvCommandEnable(ce);
        return ce.Enabled;
    };
    EXPECT_FALSE(enabled(TSurfacePlot::MenuMute));

    // Rows 6 to 20 above the newest line: lines two to six back.
    view.SendMessage(WM_COMMAND, TSurfacePlot::SelectId);
    const TRect pane = view.PaneRect1;
    const int x = pane.right - 40;
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, pane.bottom - 20));
    view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, pane.bottom - 6));
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, pane.bottom - 6));
    float start = 0.0f, end = 0.0f;
    view.GetSelectedSegment(start, end);
    ASSERT_LT(start, end);
    for (int id : {801, 802, 803, 804, 805, 806}) EXPECT_TRUE(enabled(id)) << id;

    // The time series shows the wave, not the analysis block.
    State(Main).SeriesLiveBlock() = 0;
    view.SendMessage(WM_COMMAND, TSurfacePlot::MenuTimeSeries);
    ASSERT_NE(Main->TimeSeriesView(), nullptr);
    EXPECT_EQ(Main->TimeSeriesView()->Range.First, Main->Wave()->TimeToFrame(start));
    EXPECT_EQ(Main->TimeSeriesView()->Range.Last, Main->Wave()->TimeToFrame(end));

    // Back on the surface, as its context menu activates it: Mute silences that segment only.
    Main->GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(view.GetHandle()));
    std::vector<int16_t> before(Main->Wave()->GetHighWaterMark());
    Main->Wave()->ReadFrames(before.data(), 0, uint32_t(before.size()), 0);
    const uint32_t first = Main->Wave()->TimeToFrame(start), last = Main->Wave()->TimeToFrame(end);
    ASSERT_LT(last, before.size());
    std::vector<int16_t> expected = before;
    std::fill(expected.begin() + first, expected.begin() + last, int16_t(0));
    ASSERT_TRUE(expected != before);
    view.SendMessage(WM_COMMAND, TSurfacePlot::MenuMute);
    std::vector<int16_t> after(expected.size());
    Main->Wave()->ReadFrames(after.data(), 0, uint32_t(after.size()), 0);
    EXPECT_TRUE(after == expected);
    for (const auto& m : Host().Messages) ADD_FAILURE() << m.Text;
}
