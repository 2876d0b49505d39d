// A main window with spectrogram views under Xvfb, the stepped tones it
// analyses, numpy's spectra of them, and what the screen shows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/TSmoothing.h"
#include "engine/TWaveFile.h"
#include "tests/framework/Screenshot.h"
#include "tests/views/SpectrumScreen.h"
#include "views/TSpectrogram.h"
#include "tests/shell/TMainWinState.h"

// The colour rule of a 0 to -60 dB scale: the band of a level among count
// colours, and the level where a band starts.
inline int BandOfDb(double db, int count)
{
    return std::clamp(int(std::floor(count * (db + 60.0) / 60.0)), 0, count - 1);
}
inline float DbOfBand(int band, int count)
{
    return float(band * 60.0 / count - 60.0);
}

// numpy's peak bin and level of each block of the stepped tones (FFT 4096,
// hop 2048, Hann window), left and right channel.
struct TStepReference {
    static constexpr uint32_t Rate = 44100;
    static constexpr uint32_t Fft = 4096;
    static constexpr uint32_t Hop = 2048;
    static constexpr uint32_t StepFrames = Rate / 2;
    struct TBlock {
        int Bin[2];
        double Db[2];
    };
    std::vector<TBlock> Blocks;

    TStepReference()
    {
        std::ifstream in(Fixture("spectrogram_steps.txt"));
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#')
                continue;
            std::istringstream fields(line);
            int block;
            TBlock b{};
            fields >> block >> b.Bin[0] >> b.Db[0] >> b.Bin[1] >> b.Db[1];
            Blocks.push_back(b);
        }
    }
    // The block a line's time stands for: the time is the block's middle.
    static int BlockAt(float time) { return int(std::lround((double(time) * Rate - Fft / 2.0) / Hop)); }
    // Blocks across a change of tone hold two; their peak is left out.
    static bool Steady(int block)
    {
        return uint32_t(block) * Hop / StepFrames == (uint32_t(block) * Hop + Fft - 1) / StepFrames;
    }
};

// The highest colour index along one line of a pane and its first column.
struct TLinePeak {
    int Index = -1;
    int Column = -1;
};

// A main window in Post Process with the spectrogram open (no spectrum view):
// 44.1 kHz, FFT 4096 at 50 % overlap, Hanning, no averaging, a linear axis up
// to 10 kHz and a 0 to -60 dB colour scale.
struct TSpectrogramScreen : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    bool Independent = false;

    void Open(uint16_t channels, uint16_t processing, uint16_t direction, uint16_t scroll = 0,
              int opMode = TMainWin::PostProcess)
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n[FileIO]\nHideLogo=TRUE\n";
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = opMode;
        State(Main).Settings().Format = TWaveFormat(TStepReference::Rate, channels, 2);
        State(Main).Settings().FFTsize = TStepReference::Fft;
        State(Main).Settings().OverlapPercent = 50;
        State(Main).Settings().SmoothingWindow = TSmoothing::Hanning;
        State(Main).Settings().ChannelProcessing = processing;
        State(Main).Settings().AverageBlocks = 1;
        State(Main).Settings().AverageType = 0;
        State(Main).Settings().PeakHold = 0;
        State(Main).Settings().IndependentScalingAndCalibration = Independent ? 1 : 0;
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().Spectrogram = 1;
        for (int i = 0; i < 2; ++i) {
            State(Main).Scaling()[i].AmpScaleType = 1;
            State(Main).Scaling()[i].FreqScaleType = 0;
            SpectrogramOpts& o = State(Main).SpectrogramOptions()[i];
            o = SpectrogramOpts{};
            o.UseFullSpan = 0;
            o.StartFreq = 0.0f;
            o.StopFreq = 10000.0f;
            o.PlotTop = 0.0f;
            o.PlotRange = 60.0f;
            o.Direction = direction;
            o.ScrollType = scroll;
        }
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1280, 1000, true);
        ASSERT_NE(Main->SpectrogramView(0), nullptr);
        if (Main->SpectrogramView(1)) {
            Main->SpectrogramView(0)->MoveWindow(0, 0, 1100, 400, true);
            Main->SpectrogramView(1)->MoveWindow(0, 400, 1100, 400, true);
        } else {
            Main->SpectrogramView(0)->MoveWindow(0, 0, 1100, 760, true);
        }
        Pump();
        Host().Messages.clear();
    }

    void Load(const char* name)
    {
        Main->ReplaceWave(std::make_unique<TWaveFile>(Fixture(name).c_str(), TWaveFile::Memory, 0, Folder.Path.c_str()));
        ASSERT_EQ(Main->Wave()->Error, 0u);
        Main->ApplySettings(TMainWin::RefreshKind::Full);
        Pump();
    }

    // Post Process from the start of the wave to its end.
    void RunToEnd()
    {
        Main->StartAnalyzer();
        ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
        for (int i = 0; i < 100000 && Main->GetRunState() != TMainWin::Stopped; ++i)
            Main->IdleAction(0);
        ASSERT_EQ(Main->GetRunState(), TMainWin::Stopped);
        Pump();
    }

    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Host().Reply = THeadlessEngineHost::AnswerOk;
    }

    static TPaneRect AsPane(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }

    // Where the colour map puts a pixel of the screen; -1 for a colour not in it.
    static int ColourIndex(const TSpectrogram& view, COLORREF pixel)
    {
        const auto end = view.Colours.begin() + view.ColourCount;
        const auto found = std::find(view.Colours.begin(), end, pixel);
        return found == end ? -1 : int(found - view.Colours.begin());
    }

    static TLinePeak PeakOfLine(const TSpectrogram& view, const Screenshot& shot, const TRect& pane, int line)
    {
        const TSpectrogramGeometry geometry(view.Opts->Direction);
        TLinePeak peak;
        for (int p = 0; p < int(view.Scale.Columns.size()); ++p) {
            const TCurvePoint at = geometry.WindowPixel(TSpectrogram::LinesPerStep * line, p, AsPane(pane));
            const int index = ColourIndex(view, shot.At(at.x, at.y));
            if (index > peak.Index)
                peak = {index, p};
        }
        return peak;
    }

    // Every steady line of a pane against numpy's block: its brightest pixel
    // at numpy's peak (one column either way) in the colour of numpy's level
    // (one index either way). Returns the lines compared.
    int ExpectLinesMatch(const TSpectrogram& view, const TRect& pane, int channel, const TStepReference& reference)
    {
        Screenshot shot(view.GetHandle());
        const double binWidth = double(TStepReference::Rate) / TStepReference::Fft;
        int compared = 0;
        for (int line = 0; line < view.GetHistoryLineCount() - 1; ++line) {
            const float time = view.History[TSpectrogram::LinesPerStep * line].Time;
            const int block = TStepReference::BlockAt(time);
            if (time <= 0.0f || block < 0 || block >= int(reference.Blocks.size()) || !TStepReference::Steady(block))
                continue;
            SCOPED_TRACE(::testing::Message() << "line " << line << " at " << time << " s, block " << block);
            const TStepReference::TBlock& b = reference.Blocks[size_t(block)];
            const TLinePeak peak = PeakOfLine(view, shot, pane, line);
            const int column = view.FindColumn(float(b.Bin[channel] * binWidth));
            EXPECT_NEAR(peak.Column, column, 1);
            EXPECT_NEAR(peak.Index, BandOfDb(b.Db[channel], view.ColourCount), 1)
                << b.Db[channel] << " dB";
            ++compared;
        }
        return compared;
    }
};
