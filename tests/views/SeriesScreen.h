// A main window with the time series view under Xvfb, and what it shows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>

#include "base/THeadlessEngineHost.h"
#include "engine/TWaveFile.h"
#include "framework/TMDIClient.h"
#include "framework/UiHelpers.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/framework/Screenshot.h"
#include "tests/shell/ShellTestSupport.h"
#include "views/TSeriesPlot.h"
#include "tests/shell/TMainWinState.h"

// The time series view of a main window, its graph area 1000 pixels wide,
// the logo hidden so that nothing covers the traces.
struct TSeriesScreen : ::testing::Test {
    static constexpr int GraphWidth = 1000;

    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    TSeriesPlot* View = nullptr;

    static std::string Fixture(const char* name) { return std::string(TONALYX_FIXTURES) + "/views/" + name; }
    static THeadlessEngineHost& Host() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }

    static void Pump()
    {
        MSG msg;
        for (int i = 0; i < 20; ++i) {
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            ::Sleep(5);
        }
    }

    void Open(int opMode = TMainWin::PostProcess, const std::string& iniExtra = "")
    {
        SetStringInstance(::GetModuleHandleA(nullptr));
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n[FileIO]\nHideLogo=TRUE\n" << iniExtra;
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = opMode;
        State(Main).FileIO().WaveFileMode = 0;
        State(Main).Settings().ChannelProcessing = 0;
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().TimeSeries = 1;
        State(Main).SeriesOptions() = SeriesOpts{};
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1280, 1000, true);
        View = Main->TimeSeriesView();
        ASSERT_NE(View, nullptr);
        View->MoveWindow(0, 0, 1150, 800, true);
        // The frame's border decides the client area: size the view so that
        // its graph area is exactly GraphWidth wide.
        const int extra = GraphWidth - View->GraphRect.Width();
        View->MoveWindow(0, 0, 1150 + extra, 800, true);
        ASSERT_EQ(View->GraphRect.Width(), GraphWidth);
        Pump();
        Host().Messages.clear();
    }

    void LoadWave(const char* name)
    {
        Main->OpenWaveFile(Fixture(name).c_str());
        ASSERT_NE(Main->Wave(), nullptr);
        Pump();
    }

    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Host().Reply = THeadlessEngineHost::AnswerOk;
    }

    // The time of a column offset from the graph's left edge when frames
    // first .. last of a wave at rate fill the graph, as the Part defines
    // the column table: t0 + i (t1 - t0) / width, in 32-bit floats.
    static float ColumnTime(int i, uint32_t first, uint32_t last, uint32_t rate)
    {
        const float t0 = float(double(first) / rate);
        const float t1 = float(double(last) / rate);
        return float(double(t0) + i * (double(t1) - double(t0)) / GraphWidth);
    }

    // The row of a value in percent on the linear axis -top .. top of a pane.
    static int RowOf(double percent, const TRect& pane, double top)
    {
        const int h = pane.Height();
        const int y = int(std::trunc(h * percent * 0.5 / top + h / 2));
        return pane.bottom - std::clamp(y, 1, h - 1);
    }
};
