// A main window with spectrum views under Xvfb, and what its screen shows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>

#include "base/THeadlessEngineHost.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/framework/Screenshot.h"
#include "tests/shell/ShellTestSupport.h"
#include "views/TSpectrumPlot.h"
#include "tests/shell/TMainWinState.h"

inline std::string Fixture(const char* name)
{
    return std::string(TONALYX_FIXTURES) + "/views/" + name;
}

inline THeadlessEngineHost& Host()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

inline void Pump()
{
    MSG msg;
    for (int i = 0; i < 50; ++i) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    }
}

// A main window in Post Process with one spectrum view open, 44.1 kHz, FFT
// 16384, Hanning, a 20 Hz to 20 kHz logarithmic axis and a 0 to -120 dB scale.
struct TSpectrumScreen : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    // Each channel in a view of its own (views 2 and 22).
    bool Independent = false;

    void Open(uint16_t channels, uint16_t processing, int opMode = TMainWin::PostProcess)
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = opMode;
        State(Main).Settings().Format = TWaveFormat(44100, channels, 2);
        State(Main).Settings().FFTsize = 16384;
        State(Main).Settings().SmoothingWindow = 4;
        State(Main).Settings().ChannelProcessing = processing;
        State(Main).Settings().PeakHold = 0;
        State(Main).Settings().IndependentScalingAndCalibration = Independent ? 1 : 0;
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().SpectrumPlot = 1;
        for (int i = 0; i < 2; ++i) {
            State(Main).Scaling()[i].AmpScaleType = 1;
            State(Main).Scaling()[i].FreqScaleType = 1;
            SpectrumOpts& o = State(Main).SpectrumOptions()[i];
            o.StartFreq = 20.0f;
            o.StopFreq = 20000.0f;
            o.PlotTop = 0.0f;
            o.PlotRange = 120.0f;
            o.PlotType = 0;
        }
        ASSERT_TRUE(Main->Create());
        // Xvfb has no window manager to maximise the frame: give it the
        // screen and keep the view inside the MDI client, so every pixel
        // read back is on the screen.
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1280, 1000, true);
        ASSERT_NE(Main->SpectrumView(0), nullptr);
        if (Main->SpectrumView(1)) {
            Main->SpectrumView(0)->MoveWindow(0, 0, 1100, 400, true);
            Main->SpectrumView(1)->MoveWindow(0, 400, 1100, 400, true);
        } else {
            Main->SpectrumView(0)->MoveWindow(0, 0, 1100, 760, true);
        }
        Pump();
        Host().Messages.clear();
    }

    void LoadTone(const char* name)
    {
        Main->ReplaceWave(std::make_unique<TWaveFile>(Fixture(name).c_str(), TWaveFile::Memory, 0, Folder.Path.c_str()));
        ASSERT_EQ(Main->Wave()->Error, 0u);
        Main->ApplySettings(TMainWin::RefreshKind::Full);
        Pump();
    }

    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Host().Reply = THeadlessEngineHost::AnswerOk;
    }

    // The topmost pixel of the spectrum's colour in a pane of the view.
    static POINT CurvePeak(const Screenshot& shot, const TRect& pane, const TRect& logo, COLORREF colour)
    {
        POINT best{-1, 1 << 30};
        for (int y = pane.top; y <= pane.bottom; ++y)
            for (int x = pane.left; x < pane.right; ++x)
                if (shot.At(x, y) == colour && y < best.y && !logo.Contains(TPoint(x, y))) best = {x, y};
        return best;
    }

    // Where f stands on a logarithmic axis from lo to hi over the pane.
    static double ColumnOf(double f, const TRect& pane, double lo, double hi)
    {
        return pane.left + pane.Width() * std::log10(f / lo) / std::log10(hi / lo);
    }

    // The drawn curve peaks at the column of the tone and at the height of
    // the engine's largest value around its peak.
    void ExpectToneAt(TSpectrumPlot& view, const TRect& pane, TSpectralData& data, double toneHz = 1000.0)
    {
        Screenshot shot(view.GetHandle());
        const POINT peak = CurvePeak(shot, pane, view.LogoRect, view.Opts->LineColor);
        ASSERT_GE(peak.x, 0) << "no curve in the pane";
        // One column, plus what half a bin spans around the tone.
        const double column = ColumnOf(toneHz, pane, view.Opts->StartFreq, view.Opts->StopFreq);
        const double halfBin = ColumnOf(toneHz + data.GetBinWidth() / 2, pane, view.Opts->StartFreq, view.Opts->StopFreq);
        EXPECT_NEAR(peak.x, column, 1.0 + (halfBin - column));
        const int bin = int(data.GetPeakIndex());
        const double value = std::max({data.GetDisplayValue(bin - 1), data.GetDisplayValue(bin),
                                       data.GetDisplayValue(bin + 1)});
        const double expectedY = pane.bottom - std::trunc(pane.Height() * (value + 120.0) / 120.0);
        EXPECT_NEAR(peak.y, expectedY, 2.0) << value;
    }
};

