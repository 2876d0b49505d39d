// A main window with 3-D surface or phase views under Xvfb, and what its
// screen shows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "base/THeadlessEngineHost.h"
#include "engine/TWaveFile.h"
#include "framework/UiHelpers.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/engine/Fixture.h"
#include "tests/framework/Screenshot.h"
#include "tests/shell/ShellTestSupport.h"
#include "views/TPhasePlot.h"
#include "views/TSurfacePlot.h"
#include "tests/shell/TMainWinState.h"

inline void PumpViews()
{
    MSG msg;
    for (int i = 0; i < 40; ++i) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    }
}

// A main window in Post Process, 44.1 kHz, Hanning, no overlap, a linear
// frequency axis and dB amplitudes, with the surface or phase views open.
struct TSurfacePhaseScreen : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;

    static std::string ViewFixture(const char* name) { return std::string(TONALYX_FIXTURES) + "/views/" + name; }
    static THeadlessEngineHost& Host() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }

    void Open(bool surface, uint16_t channels, uint16_t processing, uint32_t fft)
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
        // The main window's texts come from this executable's string table.
        SetStringInstance(::GetModuleHandleA(nullptr));
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).Settings().Format = TWaveFormat(44100, channels, 2);
        State(Main).Settings().FFTsize = fft;
        State(Main).Settings().SmoothingWindow = 4;
        State(Main).Settings().OverlapPercent = 0;
        State(Main).Settings().AverageBlocks = 1;
        State(Main).Settings().ChannelProcessing = processing;
        State(Main).Settings().PeakHold = 0;
        State(Main).ViewStatus() = ViewStatusFlags{};
        (surface ? State(Main).ViewStatus().SurfacePlot : State(Main).ViewStatus().PhasePlot) = 1;
        for (int i = 0; i < 2; ++i) {
            State(Main).Scaling()[i].AmpScaleType = 1;
            State(Main).Scaling()[i].FreqScaleType = 0;
            SurfaceOpts& s = State(Main).SurfaceOptions()[i];
            s = SurfaceOpts{};
            s.BackgroundColor = RGB(255, 255, 255);
            PhaseOpts& p = State(Main).PhaseOptions()[i];
            p = PhaseOpts{};
            p.StartFreq = 0.0f;
            p.StopFreq = 30000.0f;
            p.GridXEnabled = p.GridYEnabled = 0;
        }
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1280, 1000, true);
        PumpViews();
        Host().Messages.clear();
    }

    void Load(const char* name)
    {
        Main->ReplaceWave(std::make_unique<TWaveFile>(ViewFixture(name).c_str(), TWaveFile::Memory, 0, Folder.Path.c_str()));
        ASSERT_EQ(Main->Wave()->Error, 0u);
        Main->ApplySettings(TMainWin::RefreshKind::Full);
        PumpViews();
    }

    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Host().Reply = THeadlessEngineHost::AnswerOk;
    }
};
