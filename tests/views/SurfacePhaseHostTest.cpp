// The surface and phase views over a fake host, in an MDI frame of the
// framework's own: the resize wait, the line interval, the bar's fields,
// the menus' enablers, zoom, and the copy with its "Link" block.
#include <cstdio>
#include <memory>
#include <string>

#include "engine/TSpectralData.h"
#include "framework/LimitScroll.h"
#include "framework/TClientDC.h"
#include "framework/TClipboard.h"
#include "framework/TCommandEnabler.h"
#include "framework/TEdit.h"
#include "framework/TGdiObject.h"
#include "framework/TMDIClient.h"
#include "framework/TMDIFrame.h"
#include "framework/TMemoryDC.h"
#include "framework/ToolBtn.h"
#include "tests/engine/SpectralTestSupport.h"
#include "tests/framework/GuiTest.h"
#include "tests/views/PaperPixels.h"
#include "tests/views/TFakeViewHost.h"
#include "views/TLinkClipboard.h"
#include "views/TPhasePlot.h"
#include "views/TSurfacePlot.h"

namespace {

constexpr uint32_t Rate = 44100;
constexpr uint32_t FftSize = 4096;

class TSurfacePhaseOverFakeHost : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        Host.IniPath = std::string(temp) + "tonalyx_view_host_absent.ini";
        Host.Settings = Analysis(Rate, FftSize);
        Data = std::make_unique<TSpectralData>(Host.Settings, Display(1, 0), 0);
        Analyse(*Data, Tone(FftSize, 92.5, 0.1), TSmoothing::Hanning);
        Client = new TMDIClient;
        Frame = new TMDIFrame("Views", TResId(), *Client);
        Frame->Attr.X = Frame->Attr.Y = 0;
        Frame->Attr.W = 1200;
        Frame->Attr.H = 900;
        App.SetMainWindow(Frame);
        ASSERT_TRUE(Frame->Create());
        Frame->Show(SW_SHOW);
    }

    void TearDown() override
    {
        Surface.reset();
        Phase.reset();
        delete App.SetMainWindow(nullptr);
        Pump();
        GuiTest::TearDown();
    }

    TSurfacePlot& OpenSurface(uint16_t ampScale = 1)
    {
        Surface = std::make_unique<TSurfacePlot>(*Client, &Host, "3-D Surface", TRect(0, 0, 1000, 700),
                                                 Display(ampScale, 0), &SurfaceOptions, Data.get(), nullptr);
        EXPECT_TRUE(Surface->Create());
        Pump();
        return *Surface;
    }

    TPhasePlot& OpenPhase()
    {
        PhaseOptions.StartFreq = 0.0f;
        PhaseOptions.StopFreq = 30000.0f;
        Phase = std::make_unique<TPhasePlot>(*Client, &Host, "Phase", TRect(0, 0, 1000, 700), Display(1, 0),
                                             &PhaseOptions, Data.get(), nullptr);
        EXPECT_TRUE(Phase->Create());
        Pump();
        return *Phase;
    }

    // Waits out a few timer periods, dispatching what comes.
    void Wait(int ms)
    {
        for (int t = 0; t < ms; t += 20) {
            ::Sleep(20);
            Pump();
        }
    }

    static bool Enabled(TWindow& view, int id)
    {
        TCommandEnabler ce{UINT(id)};
        view.EvCommandEnable(ce);
        return ce.Enabled;
    }

    TFakeViewHost Host;
    SurfaceOpts SurfaceOptions;
    PhaseOpts PhaseOptions;
    std::unique_ptr<TSpectralData> Data;
    TMDIClient* Client = nullptr;
    TMDIFrame* Frame = nullptr;
    std::unique_ptr<TSurfacePlot> Surface;
    std::unique_ptr<TPhasePlot> Phase;
};

}  // namespace

TEST_F(TSurfacePhaseOverFakeHost, ResizingRebuildsOnceAfterTheLastSizeChange)
{
    TSurfacePlot& view = OpenSurface();
    Wait(TSurfacePlot::ResizeDelay + 200);
    Host.Recomputed.clear();
    for (int w : {900, 920, 940, 960}) {
        view.MoveWindow(0, 0, w, 700, true);
        Wait(100);
    }
    EXPECT_TRUE(Host.Recomputed.empty());
    Wait(TSurfacePlot::ResizeDelay + 200);
    ASSERT_EQ(Host.Recomputed.size(), 1u);
    EXPECT_EQ(Host.Recomputed[0], &view);

    // Minimised, or with the analyser running, nothing is rebuilt.
    view.Show(SW_MINIMIZE);
    Host.RunState = TViewHost::Running;
    view.MoveWindow(0, 0, 800, 600, true);
    Host.RunState = TViewHost::Stopped;
    Wait(TSurfacePlot::ResizeDelay + 200);
    EXPECT_EQ(Host.Recomputed.size(), 1u);
}

TEST_F(TSurfacePhaseOverFakeHost, LineIntervalDrawsEveryFourthSpectrumAndAnEarlierTimeRestarts)
{
    SurfaceOptions.IntervalFlag = 1;
    SurfaceOptions.IntervalSecs = 1.0f;
    TSurfacePlot& view = OpenSurface();
    std::vector<int> drawn;
    for (int k = 1; k <= 12; ++k) {
        view.NewSpectrum(0.3f * k);
        if (view.History[0].Time == 0.3f * k) drawn.push_back(k);
    }
    EXPECT_EQ(drawn, (std::vector<int>{4, 8, 12}));
    view.NewSpectrum(0.5f);
    EXPECT_EQ(view.LastLineTime, 0.0f);
    EXPECT_EQ(view.History[0].Time, 0.3f * 12);
}

TEST_F(TSurfacePhaseOverFakeHost, AmplitudeFieldsFollowTheScale)
{
    TSurfacePlot& linear = OpenSurface(0);
    EXPECT_EQ(linear.PlotRangeEdit->GetText(), "N/A");
    EXPECT_FALSE(linear.PlotRangeEdit->IsWindowEnabled());
    Surface.reset();

    TSurfacePlot& view = OpenSurface(1);
    EXPECT_EQ(view.PlotRangeEdit->GetText(), "60.0");
    // A range below 1 dB is taken as 1, and the field says so.
    view.PlotRangeEdit->SetText("0.2");
    EXPECT_EQ(SurfaceOptions.PlotRange, 1.0f);
    EXPECT_EQ(view.PlotRangeEdit->GetText(), "1.0");
    ASSERT_FALSE(Host.Recomputed.empty());   // stopped: drawn again from the wave
    view.PlotTopEdit->SetText("-12");
    EXPECT_EQ(SurfaceOptions.PlotTop, -12.0f);
    EXPECT_EQ(view.PlotTopEdit->GetText(), "-12");
    EXPECT_EQ(view.PlotTopSpin->GetStep(), 5.0f);
}

TEST_F(TSurfacePhaseOverFakeHost, WithoutAWaveOnlyTheViewsOwnEntriesAreEnabled)
{
    TSurfacePlot& view = OpenSurface();
    for (int id : {801, 802, 803, 804, 805, 806, 807, 808, 809, 810, 811})
        EXPECT_FALSE(Enabled(view, id)) << id;
    for (int id : {820, 1500, 1501, 1502, 1503}) EXPECT_TRUE(Enabled(view, id)) << id;
    EXPECT_FALSE(view.CanCut());
    EXPECT_TRUE(view.CanPaste());
}

TEST_F(TSurfacePhaseOverFakeHost, CommandsReachTheHost)
{
    TSurfacePlot& view = OpenSurface();
    const TRect graph = view.GraphRect;
    view.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(graph.left + 10, graph.bottom - 10));
    EXPECT_EQ(Host.Reprocessed.size(), 1u);
    ASSERT_EQ(Host.Zoomed.size(), 1u);
    view.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, graph.top + 10));
    view.SendMessage(WM_COMMAND, TSurfacePlot::OptionsId);
    EXPECT_EQ(Host.OptionsEdited, (std::vector<TPlotBase*>{&view, &view}));
    view.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(Host.Closed, (std::vector<TPlotBase*>{&view}));
}

TEST_F(TSurfacePhaseOverFakeHost, ColourModeOneShowsNoLevelReadoutAndIntensityNeedsAPalette)
{
    SurfaceOptions.ColorMode = 1;
    TSurfacePlot& view = OpenSurface();
    view.NewSpectrum(1.0f);
    const TRect graph = view.GraphRect;
    const LPARAM at = MAKELPARAM(graph.left + 40, graph.bottom - 5);
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_FALSE(view.AmpReadoutShown);
    view.SendMessage(WM_LBUTTONUP, 0, at);
    // A true-colour display keeps the intensity at 0.
    view.EvIntensity(SB_LINEUP);
    EXPECT_EQ(SurfaceOptions.Intensity, 0u);
}

TEST_F(TSurfacePhaseOverFakeHost, OpenAndCloseCyclesLeaveNoObjectsBehind)
{
    const long before = TGdiObject::LiveObjects();
    for (int cycle = 0; cycle < 10; ++cycle) {
        TSurfacePlot& surface = OpenSurface();
        surface.NewSpectrum(1.0f);
        surface.Invalidate(true);
        surface.UpdateWindow();
        TPhasePlot& phase = OpenPhase();
        phase.NewData(0.0f);
        Pump();
        Surface.reset();
        Phase.reset();
        Pump();
        ASSERT_EQ(TGdiObject::LiveObjects(), before) << "after cycle " << cycle;
    }
}

TEST_F(TSurfacePhaseOverFakeHost, ZoomSelectionOfSevenBinsOrFewerStaysArmed)
{
    TPhasePlot& view = OpenPhase();
    const int low = view.VisibleStart, high = view.VisibleEnd;
    ASSERT_EQ(low, Data->GetLowIndex());
    EXPECT_TRUE(view.Zoom2XOutButton->Grey);
    view.SendMessage(WM_COMMAND, TPhasePlot::ZoomInId);
    ASSERT_EQ(view.SelectMode, 1);
    const TRect pane = view.GraphRect;
    // Columns of about four bins each: two columns hold too few.
    auto drag = [&](int from, int to) {
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, pane.top + 20));
        view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, pane.top + 20));
        view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to, pane.top + 20));
    };
    drag(pane.left + 100, pane.left + 101);
    EXPECT_EQ(view.VisibleStart, low);
    EXPECT_EQ(view.VisibleEnd, high);
    EXPECT_EQ(view.SelectMode, 1);
    EXPECT_TRUE(view.ZoomInButton->Highlight);
    drag(pane.left + 100, pane.left + 300);
    EXPECT_EQ(view.SelectMode, 0);
    EXPECT_FALSE(view.ZoomInButton->Highlight);
    EXPECT_GT(view.VisibleEnd - view.VisibleStart, 7);
    EXPECT_LT(view.VisibleEnd - view.VisibleStart, high - low);
    EXPECT_FALSE(view.Zoom2XOutButton->Grey);

    view.SendMessage(WM_COMMAND, TPhasePlot::ZoomFullId);
    EXPECT_EQ(view.VisibleStart, low);
    EXPECT_EQ(view.VisibleEnd, high);
}

TEST_F(TSurfacePhaseOverFakeHost, CopyAsTextPutsTheVisibleBinsAndALink)
{
    Host.ServiceName = "TonalyxUnderTest";
    TPhasePlot& view = OpenPhase();
    view.VisibleStart = 10;
    view.VisibleEnd = 20;
    view.SendMessage(WM_COMMAND, TPhasePlot::MenuCopyText);
    std::string text;
    {
        TClipboard clipboard(view.GetHandle());
        ASSERT_TRUE(clipboard.IsOpen());
        text = clipboard.GetText();
    }
    size_t lines = 0;
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 11u);
    EXPECT_EQ(text.rfind(";Freq(Hz)\tPhase (deg) ", 0), 0u);
    char first[64];
    std::snprintf(first, sizeof first, "\r\n%5.4f\t%f\r\n", double(Data->GetFrequency(10)), double(Data->GetPhase(10)));
    EXPECT_NE(text.find(first), std::string::npos);

    TLinkDescription link;
    ASSERT_TRUE(TLinkClipboard::Read(view.GetHandle(), link));
    EXPECT_EQ(link.Service, "TonalyxUnderTest");
    EXPECT_EQ(link.Topic, "Data");
    EXPECT_EQ(link.Item, "Phase");
}

TEST_F(TSurfacePhaseOverFakeHost, LevelReadFromACraftedImage)
{
    SurfaceOptions.BackgroundColor = RGB(255, 255, 255);
    TSurfacePlot& view = OpenSurface();
    ASSERT_TRUE(view.PaneBitmap);
    const TRect pane = view.GraphRect;
    const int x = 200, y = 100;
    {
        TClientDC screen(view.GetHandle());
        TMemoryDC memory(screen);
        memory.SelectObject(*view.PaneBitmap);
        // Background everywhere but three rows below the pixel read.
        memory.SetPixel(x, y + 3, view.Colours[150]);
    }
    EXPECT_EQ(view.BandAtPixel(TPoint(pane.left + x, pane.top + y)), 150);
    EXPECT_FLOAT_EQ(view.LevelAtPixel(TPoint(pane.left + x, pane.top + y)), -60.0f + 150 * 60.0f / view.ColourCount);
    // Nothing drawn near: the background, the bottom of the scale.
    EXPECT_EQ(view.BandAtPixel(TPoint(pane.left + x + 50, pane.top + y)), 0);
    EXPECT_EQ(view.LevelAtPixel(TPoint(pane.left - 5, pane.top + y)), TSurfaceScale::NoLevel);
}

TEST_F(TSurfacePhaseOverFakeHost, ZoomStepsScrollAndFrequencyRangeStayWithinTheData)
{
    TPhasePlot& view = OpenPhase();
    const int low = Data->GetLowIndex(), high = Data->GetHighIndex();
    const int span = high - low;
    view.SendMessage(WM_COMMAND, TPhasePlot::Zoom2XInId);
    ASSERT_EQ(view.VisibleStart, low + span / 4);
    ASSERT_EQ(view.VisibleEnd, high - span / 4);
    EXPECT_FLOAT_EQ(PhaseOptions.StartFreq, Data->GetFrequency(view.VisibleStart));

    // The scroll bar carries on from where the zoom left the view, a bin at a time or a
    // page at a time up to the data's end.
    const HWND bar = view.ScrollBar->GetHandle();
    const int width = view.VisibleEnd - view.VisibleStart, start = view.VisibleStart;
    view.SendMessage(WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(view.VisibleStart, start + 1);
    EXPECT_EQ(view.VisibleEnd - view.VisibleStart, width);
    for (int page = 0; page < 6; ++page) view.SendMessage(WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(view.VisibleEnd, high);
    EXPECT_EQ(view.VisibleEnd - view.VisibleStart, width);

    // Out: each step stops at the data's ends, and at the whole range out does nothing.
    for (int step = 0; step < 6; ++step) {
        view.SendMessage(WM_COMMAND, TPhasePlot::Zoom2XOutId);
        EXPECT_GE(view.VisibleStart, low);
        EXPECT_LE(view.VisibleEnd, high);
    }
    EXPECT_EQ(view.VisibleStart, low);
    EXPECT_EQ(view.VisibleEnd, high);

    const struct {
        float Start, Stop;
        int First, Last;
    } ranges[] = {{1000.0f, 5000.0f, Data->GetIndex(1000.0f), Data->GetIndex(5000.0f)},
                  {-50.0f, 1.0e6f, low, high},          // beyond the data: cut to it
                  {5000.0f, 1000.0f, low, high}};       // reversed: the whole range
    for (const auto& r : ranges) {
        view.SetFrequencyRange(r.Start, r.Stop);
        EXPECT_EQ(view.VisibleStart, r.First) << r.Start;
        EXPECT_EQ(view.VisibleEnd, r.Last) << r.Start;
    }
}

TEST_F(TSurfacePhaseOverFakeHost, OnPaperNeitherViewPaintsItsButtonStripOrBackground)
{
    PhaseOptions.GridColor = RGB(0, 160, 0);
    TPhasePlot& phase = OpenPhase();
    std::map<COLORREF, int> paper = PaperPixels(phase);
    EXPECT_EQ(paper[PhaseOptions.BackgroundColor], 0);
    EXPECT_EQ(paper[PhaseOptions.GridColor], 0);
    EXPECT_EQ(paper[RGB(192, 192, 192)], 0);
    EXPECT_GT(paper[RGB(128, 128, 128)], phase.GraphRect.Height());
    EXPECT_GT(paper[RGB(0, 0, 0)], 2 * phase.GraphRect.Width());
    Phase.reset();
    // The surface's picture goes onto the page whole, framed in black.
    TSurfacePlot& surface = OpenSurface();
    paper = PaperPixels(surface);
    EXPECT_EQ(paper[RGB(192, 192, 192)], 0);
    EXPECT_GT(paper[RGB(0, 0, 0)], surface.GraphRect.Width() * surface.GraphRect.Height() / 2);
}
