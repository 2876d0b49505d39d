// The transport toolbar's position control over a Post Process run in a real
// frame: still while the run's first second goes on, where the data ended
// once the run stops. The read-outs a run refreshes (time, status, meter)
// look as a full repaint draws them, during the run and after its stop.
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <string>
#include "engine/TWaveFile.h"
#include "framework/TScrollBar.h"
#include "shell/StatusBar.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "tests/framework/Screenshot.h"

namespace {

TEST(TTransportPosition, ARunMovesThePositionAfterItsFirstSecondAndToTheEndAtItsStop)
{
    TTempFolder folder;
    WriteIni(folder.File("Tonalyx.ini"), "[Main]\nShowSplashScreen=0\n[ViewStatus]\nSpectrumPlot=0\n");
    TMainWin main(nullptr, folder.File("Tonalyx.exe").c_str(), nullptr, *new TClientMain);
    State(main).OpMode() = TMainWin::PostProcess;
    ASSERT_TRUE(main.Create());
    main.Show(SW_SHOW);
    constexpr uint32_t rate = 48000;
    State(main).Settings().Format = TWaveFormat(rate, 1, 2);
    main.ReplaceWave(std::make_unique<TWaveFile>(rate * 20, TWaveFormat(rate, 1, 2), folder.Path.c_str()));
    // Frames count as data once written.
    for (uint32_t frame = 0; frame < rate * 20; ++frame)
        main.Wave()->PutSample(0, frame, 0);
    main.Wave()->Rewind();
    main.ApplySettings(TMainWin::RefreshKind::Full);
    Toolbar& transport = *main.GetTransportToolbar();
    transport.UpdateDisplay(1, 1);
    ASSERT_EQ(transport.PosScroll->GetPosition(), 0);

    const DWORD start = ::GetTickCount();
    main.StartAnalyzer();
    for (int block = 0; block < 20 && main.GetRunState() != TMainWin::Stopped; ++block)
        main.IdleAction(0);
    ASSERT_GT(main.TimePosition(), 0.5f);
    transport.UpdateDisplay(1, 0);
    // A machine that took the whole second over those blocks has moved it.
    if (::GetTickCount() - start < Toolbar::PositionIntervalMs) {
        EXPECT_EQ(transport.PosScroll->GetPosition(), 0);
    }

    while (main.GetRunState() != TMainWin::Stopped)
        main.IdleAction(0);
    const int end = int(1000.0f * main.TimePosition() / main.Wave()->GetHighWaterTime());
    EXPECT_GT(end, 900);
    EXPECT_EQ(transport.PosScroll->GetPosition(), end);
    main.Wave()->Changed = 0;
    main.Destroy();
}

// The pixels of a window's part as they are, then after the whole window is
// painted again through its paint message.
void ExpectSameAfterRepaint(TWindow& window, const TRect& part, const char* what)
{
    SCOPED_TRACE(what);
    ASSERT_GT(part.Width(), 0);
    const Screenshot drawn(window.GetHandle());
    window.Invalidate(true);
    window.UpdateWindow();
    const Screenshot repainted(window.GetHandle());
    int differing = 0;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x)
            differing += drawn.At(x, y) != repainted.At(x, y);
    EXPECT_EQ(differing, 0);
}

TEST(TTransportPosition, TheReadoutsARunDrawsAtOnceMatchAFullRepaint)
{
    TTempFolder folder;
    WriteIni(folder.File("Tonalyx.ini"), "[Main]\nShowSplashScreen=0\n[ViewStatus]\nSpectrumPlot=0\n");
    TMainWin main(nullptr, folder.File("Tonalyx.exe").c_str(), nullptr, *new TClientMain);
    State(main).OpMode() = TMainWin::PostProcess;
    ASSERT_TRUE(main.Create());
    main.Show(SW_SHOW);
    main.MoveWindow(0, 0, 1000, 700, true);
    constexpr uint32_t rate = 48000;
    State(main).Settings().Format = TWaveFormat(rate, 2, 2);
    State(main).Settings().EnableOverloadDetection = 1;
    main.ReplaceWave(std::make_unique<TWaveFile>(rate * 20, TWaveFormat(rate, 2, 2), folder.Path.c_str()));
    // Levels of about a half and a quarter of full scale, so both meter bars show.
    for (uint32_t frame = 0; frame < rate * 20; ++frame) {
        const bool up = frame % 2 == 0;
        main.Wave()->PutSample(up ? 16000 : -16000, frame, 0);
        main.Wave()->PutSample(up ? 8000 : -8000, frame, 1);
    }
    main.Wave()->Rewind();
    main.ApplySettings(TMainWin::RefreshKind::Full);
    Toolbar& transport = *main.GetTransportToolbar();
    StatusBar& status = *main.GetStatusBar();

    main.StartAnalyzer();
    for (int block = 0; block < 20 && main.GetRunState() != TMainWin::Stopped; ++block)
        main.IdleAction(0);
    ASSERT_NE(main.GetRunState(), TMainWin::Stopped);
    ASSERT_GT(main.GetInputLevel(1), 10);
    main.UpdateToolbarReadouts();
    main.RefreshStatusBar(StatusBar::MeterOnly);
    ExpectSameAfterRepaint(transport, transport.TimeRect(), "time during the run");
    main.RefreshStatusBar(StatusBar::StatusAndMeter);
    ExpectSameAfterRepaint(status, status.MeterPane, "meter during the run");
    ExpectSameAfterRepaint(status, status.StatusPane, "status during the run");

    while (main.GetRunState() != TMainWin::Stopped)
        main.IdleAction(0);
    ExpectSameAfterRepaint(transport, transport.TimeRect(), "time after the stop");
    ExpectSameAfterRepaint(status, status.MeterPane, "meter after the stop");
    ExpectSameAfterRepaint(status, status.StatusPane, "status after the stop");
    main.Wave()->Changed = 0;
    main.Destroy();
}

}  // namespace
