// The transport toolbar's position control over a Post Process run in a real
// frame: still while the run's first second goes on, where the data ended
// once the run stops.
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <string>
#include "engine/TWaveFile.h"
#include "framework/TScrollBar.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

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

}  // namespace
