// The spectrum view, status bar, transport toolbar and Mode menu in a real
// main window: Post Process of a sox tone, read back from the screen.
#include "tests/views/SpectrumScreen.h"

#include "framework/TApplication.h"
#include "framework/TDC.h"
#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "shell/StatusBar.h"
#include "shell/Toolbar.h"
#include "tests/shell/TMainWinState.h"

TEST_F(TSpectrumScreen, MonoToneShowsOnePaneWithItsPeakAtOneKilohertz)
{
    Open(1, 0);
    LoadTone("sine_1k_mono.wav");
    TSpectrumPlot& view = *Main->SpectrumView(0);
    EXPECT_EQ(view.PaneMode, 1);
    Main->CmRun();
    Pump();
    ASSERT_EQ(Main->GetBlocksProcessed(), 1);
    EXPECT_NEAR(State(Main).SpectralLeft()->GetPeakFrequency(), 1000.0, State(Main).SpectralLeft()->GetBinWidth());
    ExpectToneAt(view, view.GraphRect, *State(Main).SpectralLeft());

    StatusBar& bar = *Main->GetStatusBar();
    const std::pair<const TRect*, const char*> panes[] = {
        {&bar.StatusPane, "Stopped"}, {&bar.ModePane, "Post Process"}, {&bar.RatePane, "44100 Hz"},
        {&bar.BitsPane, "16 Bit"},    {&bar.ChannelsPane, "Mono"},     {&bar.FftPane, "FFT 16384 pts"},
        {&bar.WindowPane, "Hanning"}};
    for (const auto& [pane, text] : panes) EXPECT_EQ(bar.TextOf(*pane), text);
    EXPECT_TRUE(Host().Messages.empty());
}

TEST_F(TSpectrumScreen, StereoBothChannelsShowsTwoPanes)
{
    Open(2, 2);
    LoadTone("sine_1k_stereo.wav");
    TSpectrumPlot& view = *Main->SpectrumView(0);
    EXPECT_EQ(view.PaneMode, 2);
    Main->CmRun();
    Pump();
    ExpectToneAt(view, view.PaneRect1, *State(Main).DisplayPrimary());
    ExpectToneAt(view, view.PaneRect2, *State(Main).DisplaySecondary());
    EXPECT_EQ(Main->GetStatusBar()->TextOf(Main->GetStatusBar()->ChannelsPane), "Stereo");
}

TEST_F(TSpectrumScreen, TransportButtonsAndKeysDriveTheRunState)
{
    Open(1, 0);
    LoadTone("sine_1k_mono.wav");
    Toolbar& bar = *Main->GetTransportToolbar();
    ASSERT_EQ(bar.Mode, TMainWin::PostProcess);
    ASSERT_TRUE(bar.RunBtn && bar.StopBtn && bar.RewindBtn);
    EXPECT_EQ(bar.RecordBtn, nullptr);

    bar.RunBtn->SendMessage(BM_CLICK);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_EQ(bar.RunBtn->Highlight, 1);
    EXPECT_EQ(bar.StopBtn->Highlight, 0);
    bar.StopBtn->SendMessage(BM_CLICK);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    EXPECT_EQ(bar.StopBtn->Highlight, 1);

    // Alt+R, Alt+S, Alt+D and Enter through the key table.
    auto key = [&](UINT id) { Main->SendMessage(WM_COMMAND, id); };
    key(CM_ACCELRUN);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    Main->IdleAction(0);
    EXPECT_GT(Main->Wave()->GetPosition(), 0u);
    key(CM_ACCELSTOP);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    key(CM_ACCELREWIND);
    EXPECT_EQ(Main->Wave()->GetPosition(), 0u);
    EXPECT_EQ(Main->TimePosition(), 0.0f);
    key(CM_RUN);   // one block, then stopped again
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    EXPECT_EQ(Main->GetBlocksProcessed(), 1);
    EXPECT_EQ(Main->Wave()->GetPosition(), Main->GetAnalysisSettings().HopSize);
}

TEST_F(TSpectrumScreen, ModeMenuSwitchesModeAndOffersToKeepRealTimeData)
{
    struct Case {
        int Reply;
        bool WaveKept;
    };
    for (const Case c : {Case{IDYES, true}, Case{IDNO, false}}) {
        Open(1, 0, TMainWin::RealTime);
        EXPECT_EQ(Main->GetTransportToolbar()->Mode, TMainWin::RealTime);
        Main->SendMessage(WM_COMMAND, CM_MODERECORDER);   // no real-time data: no question
        EXPECT_EQ(Main->GetOpMode(), TMainWin::Recorder);
        EXPECT_TRUE(Host().Messages.empty());
        ASSERT_NE(Main->GetTransportToolbar()->RecordBtn, nullptr);
        Main->SendMessage(WM_COMMAND, CM_MODEREALTIME);
        EXPECT_EQ(Main->GetOpMode(), TMainWin::RealTime);

        Main->ReplaceWave(std::make_unique<TWaveFile>(Fixture("sine_1k_mono.wav").c_str(), TWaveFile::Memory, 0, Folder.Path.c_str()));
        Main->Wave()->SeekEnd();
        Host().Reply = c.Reply;
        Main->SendMessage(WM_COMMAND, CM_MODEPOSTPROCESS);
        ASSERT_EQ(Host().Messages.size(), 1u);
        EXPECT_NE(Host().Messages[0].Text.find("Data is still available in the Real-Time data buffers."),
                  std::string::npos);
        EXPECT_EQ(Main->GetOpMode(), TMainWin::PostProcess);
        EXPECT_EQ(Main->GetTransportToolbar()->Mode, TMainWin::PostProcess);
        EXPECT_TRUE(::GetMenuState(Main->GetMenu(), CM_MODEPOSTPROCESS, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_EQ(Main->Wave() != nullptr, c.WaveKept);
        if (Main->Wave()) {
            EXPECT_EQ(Main->Wave()->GetPosition(), 0u);
        }

        // The current mode again does nothing.
        Host().Messages.clear();
        Main->SendMessage(WM_COMMAND, CM_MODEPOSTPROCESS);
        EXPECT_TRUE(Host().Messages.empty());
        Main->Destroy();
        Main.reset();
    }
}

TEST_F(TSpectrumScreen, ViewMenuClosesAndReopensTheSpectrum)
{
    Open(1, 0);
    EXPECT_TRUE(::GetMenuState(Main->GetMenu(), CM_VIEWSPECTRUM, MF_BYCOMMAND) & MF_CHECKED);
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
    EXPECT_EQ(Main->SpectrumView(0), nullptr);
    EXPECT_EQ(Main->GetViewStatus().SpectrumPlot, 0);
    EXPECT_FALSE(::GetMenuState(Main->GetMenu(), CM_VIEWSPECTRUM, MF_BYCOMMAND) & MF_CHECKED);
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    EXPECT_EQ(Main->GetViewStatus().SpectrumPlot, 1);
    // Its own close box goes through the main window, which clears the flag.
    Main->SpectrumView(0)->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(Main->SpectrumView(0), nullptr);
    EXPECT_EQ(Main->GetViewStatus().SpectrumPlot, 0);
}

// One live redraw (UpdateCurves) for widths 800 and 1600 (as wide as the
// screen allows), one and two panes,
// FFT 16384 and 65536. Two views must both redraw within the default interval
// of 0.02 s, so one redraw has to stay under 10 ms.
TEST_F(TSpectrumScreen, LiveRedrawFitsTheDefaultInterval)
{
    struct Case {
        uint32_t Fft;
        uint16_t Channels, Processing;
        int Width;
    };
    const Case cases[] = {{16384, 1, 0, 800},  {16384, 1, 0, 1600}, {16384, 2, 2, 800},  {16384, 2, 2, 1600},
                          {65536, 1, 0, 800},  {65536, 1, 0, 1600}, {65536, 2, 2, 800},  {65536, 2, 2, 1600}};
    for (const Case& c : cases) {
        Open(c.Channels, c.Processing);
        State(Main).Settings().FFTsize = c.Fft;
        LoadTone(c.Channels == 1 ? "sine_1k_mono.wav" : "sine_1k_stereo.wav");
        Main->CmRun();
        TSpectrumPlot& view = *Main->SpectrumView(0);
        view.MoveWindow(0, 0, c.Width + view.LeftMargin + view.RightMargin + 8, 760, true);
        Pump();
        HDC hdc = ::GetDC(view.GetHandle());
        TDC dc(hdc);
        const int rounds = 50;
        LARGE_INTEGER f, t0, t1;
        ::QueryPerformanceFrequency(&f);
        ::QueryPerformanceCounter(&t0);
        for (int i = 0; i < rounds; ++i) view.UpdateCurves(dc);
        ::GdiFlush();
        ::QueryPerformanceCounter(&t1);
        ::ReleaseDC(view.GetHandle(), hdc);
        const double ms = 1000.0 * double(t1.QuadPart - t0.QuadPart) / double(f.QuadPart) / rounds;
        std::printf("UpdateCurves FFT %u, %d pane(s), width %d: %.3f ms\n", unsigned(c.Fft), view.PaneMode,
                    view.GraphRect.Width(), ms);
        EXPECT_LT(ms, 10.0);
        Main->Destroy();
        Main.reset();
    }
}

TEST_F(TSpectrumScreen, ScrollBarReachesBothEndsOfTheDataAndKeepsTheSpan)
{
    Open(1, 0);
    LoadTone("sine_1k_mono.wav");
    TSpectrumPlot& view = *Main->SpectrumView(0);
    const TSpectralData& data = *view.Data;
    const int low = data.GetLowIndex(), high = data.GetHighIndex();
    // The bar counts from the low index: data that start above bin 0 show whether it does.
    ASSERT_GT(low, 0);
    view.SetFrequencyRange(0.0f, 1.0e6f);
    ASSERT_EQ(view.VisibleStart, low);
    ASSERT_EQ(view.VisibleEnd, high);
    for (int i = 0; i < 3; ++i) view.SendMessage(WM_COMMAND, TSpectrumPlot::Zoom2XInId);
    const int span = view.VisibleEnd - view.VisibleStart;
    ASSERT_LT(span, (high - low) / 4);
    const HWND bar = view.ScrollBar->GetHandle();
    ASSERT_TRUE(::IsWindowVisible(bar));
    int barMin = 0, barMax = 0;
    ::GetScrollRange(bar, SB_CTL, &barMin, &barMax);
    EXPECT_EQ(barMax - barMin, high - low - span);

    // Page by page to each end: the visible span stays, and the axis ends at the data's first or last bin,
    // its end column within one column's step of it.
    const int y = view.GraphRect.top + view.GraphRect.Height() / 2;
    const float binWidth = data.GetBinWidth();
    auto column = [&](int x) { return view.GetXValue(TPoint(x, y)); };
    for (const int code : {SB_PAGEUP, SB_PAGEDOWN}) {
        SCOPED_TRACE(code == SB_PAGEUP ? "left end" : "right end");
        for (int page = 0; page < 40; ++page) view.SendMessage(WM_HSCROLL, code, reinterpret_cast<LPARAM>(bar));
        EXPECT_EQ(view.VisibleEnd - view.VisibleStart, span);
        if (code == SB_PAGEUP) {
            EXPECT_EQ(view.VisibleStart, low);
            EXPECT_FLOAT_EQ(view.Opts->StartFreq, data.GetFrequency(low));
            const int x = view.GraphRect.left;
            EXPECT_NEAR(column(x), data.GetFrequency(low), binWidth + column(x + 1) - column(x));
        } else {
            EXPECT_EQ(view.VisibleEnd, high);
            EXPECT_NEAR(view.Opts->StopFreq, data.GetFrequency(high), binWidth);
            const int x = view.GraphRect.right - 1;
            EXPECT_NEAR(column(x), data.GetFrequency(high), binWidth + column(x) - column(x - 1));
        }
    }
}
