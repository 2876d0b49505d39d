// The analyses of a marked segment, each started from its view entry in a
// real main window, against numpy's spectra and levels of the same wave.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs/TLeqOptionsDialog.h"
#include "dialogs/TLeqResultsDialog.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "tests/views/SpectrumScreen.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

namespace {

std::string SegmentFixture(const char* name)
{
    return std::string(TONALYX_FIXTURES) + "/segment/" + name;
}

// Rows of make_segment_fixtures.py's text files.
std::vector<std::vector<double>> ReadRows(const char* name)
{
    std::ifstream in(SegmentFixture(name));
    std::vector<std::vector<double>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        rows.emplace_back();
        for (double v; s >> v;) rows.back().push_back(v);
    }
    return rows;
}

// A main window in Post Process with the time series and spectrum views over
// the fixture's stereo noise at 8192 frames a second: FFT 1024 at 50 %
// overlap, decimation 2 without low-pass, a rectangular window, the right
// channel delayed by 64 frames (7.8125 ms), both channels shown.
// Answers the Leq options dialog as told, without showing it, and keeps the
// reports the results dialog was given.
class TSegmentMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    int OptionsAnswer = IDOK;
    int OptionsRuns = 0;
    std::vector<std::string> Results;

    int ExecuteDialog(TDialog& dialog) override
    {
        if (dynamic_cast<TLeqOptionsDialog*>(&dialog)) {
            ++OptionsRuns;
            return OptionsAnswer;
        }
        if (auto* results = dynamic_cast<TLeqResultsDialog*>(&dialog)) {
            Results.push_back(results->CopyText());
            return IDOK;
        }
        return TMainWin::ExecuteDialog(dialog);
    }
};

struct TSegmentScreen : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TSegmentMain> Main;
    float Start = 0, End = 0;

    void Open(const char* wave, bool spectrogram = false, uint16_t scroll = 0, bool surface = false)
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n[FileIO]\nHideLogo=TRUE\n";
        Main = std::make_unique<TSegmentMain>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        AnalysisSettingsStruct& s = State(Main).Settings();
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).FileIO().WaveFileMode = 0;
        s.Format = TWaveFormat(8192, 2, 2);
        s.FFTsize = 1024;
        s.OverlapPercent = 50;
        s.DecimationRatio = 2;
        s.ApplyLowPassFilter = 0;
        s.SmoothingWindow = TSmoothing::Uniform;
        s.ChannelProcessing = 2;
        s.AverageType = 0;
        s.AverageBlocks = 1;
        s.PeakHold = 0;
        s.DelayChannel = 1;
        s.DelayTimeMsec = 7.8125f;
        s.IndependentScalingAndCalibration = 0;
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().TimeSeries = 1;
        State(Main).ViewStatus().SpectrumPlot = 1;
        State(Main).ViewStatus().Spectrogram = spectrogram ? 1 : 0;
        State(Main).ViewStatus().SurfacePlot = surface ? 1 : 0;
        for (int i = 0; i < 2; ++i) {
            State(Main).Scaling()[i].AmpScaleType = 1;
            State(Main).Scaling()[i].FreqScaleType = 0;
            State(Main).SpectrogramOptions()[i].ScrollType = scroll;
        }
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1280, 1000, true);
        Main->OpenWaveFile(SegmentFixture(wave).c_str());
        ASSERT_NE(Main->Wave(), nullptr);
        Main->ApplySettings(TMainWin::RefreshKind::Full);
        ASSERT_EQ(Main->GetAnalysisSettings().DelaySamples, 64u);
        Pump();
        Host().Messages.clear();
    }

    // The segment from 1 s to about 2.05 s shown and selected in the time
    // series view, made active; the view's pixels round its end (the
    // reference's eight blocks need a centred segment of 8192 to 9215 frames).
    TSeriesPlot& SelectSegment()
    {
        Main->ZoomToSegment(1.0f, 2.05f);
        TSeriesPlot& series = *Main->TimeSeriesView();
        series.SelectAll();
        EXPECT_TRUE(Main->GetSelectedSegment(Start, End));
        EXPECT_EQ(Start, 1.0f);
        EXPECT_GE(End, 2.0f);
        EXPECT_LT(End, 2.12f);
        return series;
    }

    // Frames between lines of a fill of the selected segment: the centred
    // segment's frames shared out.
    uint32_t LineStep(int lines) const
    {
        const float half = 1024.0f / 8192.0f;
        return uint32_t(double((End - half) - (Start - half)) * 8192) / uint32_t(lines);
    }

    // Every bin of the engine's dB values against column of the reference.
    void ExpectSpectrum(const TSpectralData& data, int column, double tolerance)
    {
        const auto rows = ReadRows("average.txt");
        ASSERT_EQ(rows.size(), 510u);
        double worst = 0;
        int where = 0;
        for (const auto& row : rows) {
            const double miss = std::fabs(data.GetDisplayValue(int(row[0])) - row[column]);
            if (miss > worst) {
                worst = miss;
                where = int(row[0]);
            }
        }
        EXPECT_LT(worst, tolerance) << "column " << column << ", bin " << where << ": "
                                    << data.GetDisplayValue(where);
    }

    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
    }
};

}  // namespace

TEST_F(TSegmentScreen, AverageSpectrumIsTheMeanOfTheCentredDelayedDecimatedBlocks)
{
    Open("noise_8192.wav");
    TSeriesPlot& series = SelectSegment();
    char caption[260];
    Main->GetWindowText(caption, sizeof caption);
    const uint32_t position = Main->Wave()->GetPosition();

    series.SendMessage(WM_COMMAND, TSeriesPlot::MenuAverageSpectrum);
    ExpectSpectrum(*State(Main).SpectralLeft(), 1, 0.01);
    ExpectSpectrum(*State(Main).SpectralRight(), 2, 0.01);
    // The frame's caption and the wave's position as before.
    char after[260];
    Main->GetWindowText(after, sizeof after);
    EXPECT_STREQ(after, caption);
    EXPECT_EQ(Main->Wave()->GetPosition(), position);
    EXPECT_TRUE(Host().Messages.empty());
    ASSERT_NE(Main->SpectrumView(0), nullptr);
}

TEST_F(TSegmentScreen, EscCancelsAfterItsBlockALetterIsSwallowedAClickCancelsAndStays)
{
    Open("noise_8192.wav");
    struct Case {
        const char* name;
        std::vector<std::pair<UINT, WPARAM>> posted;
        int column;
    } cases[] = {
        {"a letter alone", {{WM_KEYDOWN, 'A'}}, 1},
        {"a letter, then Esc", {{WM_KEYDOWN, 'A'}, {WM_KEYDOWN, VK_ESCAPE}}, 4},
        {"Esc", {{WM_KEYDOWN, VK_ESCAPE}}, 3},
        {"a click", {{WM_LBUTTONDOWN, MK_LBUTTON}}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The run leaves the spectrum view active: the time series first again.
        TSeriesPlot& series = SelectSegment();
        Pump();
        for (const auto& [message, wParam] : c.posted)
            series.PostMessage(message, wParam, 0);
        series.SendMessage(WM_COMMAND, TSeriesPlot::MenuAverageSpectrum);
        ExpectSpectrum(*State(Main).SpectralLeft(), c.column, 0.01);
        MSG msg;
        EXPECT_EQ(::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE), FALSE) << "keys taken";
        const bool clicked = c.posted.front().first == WM_LBUTTONDOWN;
        EXPECT_EQ(::PeekMessageA(&msg, series.GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE) != FALSE,
                  clicked);
    }
}

TEST_F(TSegmentScreen, SegmentNeededAndResolutionNote)
{
    Open("noise_8192.wav", true);
    TSeriesPlot& series = *Main->TimeSeriesView();
    Main->ZoomToSegment(1.0f, 2.05f);
    series.SendMessage(WM_COMMAND, TSeriesPlot::MenuAverageSpectrum);
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "You must first select a time segment.");
    EXPECT_EQ(Host().Messages[0].Caption, "Tonalyx");

    // Fewer frames than lines: one frame a line, after the note.
    Host().Messages.clear();
    TSpectrogram& view = *Main->SpectrogramView(0);
    Main->SpectrogramOfSegment(&view, 1.0f, 1.0f + 10.0f / 8192.0f);
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text.rfind("Note: You have reached the maximum time resolution", 0), 0u);
    const int lines = view.GetHistoryLineCount();
    ASSERT_GT(lines, 10);
    // Block i from frame 7168 + i, standing for its centre 1024 frames on
    // (the view's top line has no row of its own in the history).
    EXPECT_FLOAT_EQ(view.GetHistoryTime(lines - 2), 1.0f + 1.0f / 8192.0f);
    EXPECT_FLOAT_EQ(view.GetHistoryTime(lines - 3), 1.0f + 2.0f / 8192.0f);
}

TEST_F(TSegmentScreen, SpectrogramLinesStandAtTheirBlocksCentres)
{
    for (uint16_t scroll : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "display mode " << scroll);
        Open("noise_8192.wav", true, scroll);
        TSeriesPlot& series = SelectSegment();
        series.SendMessage(WM_COMMAND, TSeriesPlot::MenuSpectrogram);
        TSpectrogram& view = *Main->SpectrogramView(0);
        const int lines = view.GetHistoryLineCount();
        ASSERT_GT(lines, 1);
        // Blocks from frame 7168, a step apart; each line stands for its
        // block's centre, 1024 frames on.
        const uint32_t step = LineStep(lines);
        // The view's top line has no row of its own in the history.
        for (int i : {1, 2, lines / 2, lines - 2}) {
            const int line = scroll == 0 ? lines - 1 - i : i;
            EXPECT_FLOAT_EQ(view.GetHistoryTime(line), float((7168 + i * step + 1024) / 8192.0)) << "block " << i;
        }
        EXPECT_EQ(Main->GetClientWindow()->GetActiveMDIChild(), &view);
        Main->Destroy();
        Main.reset();
    }
}

TEST_F(TSegmentScreen, SurfaceLinesRunFromTheLastBack)
{
    Open("noise_8192.wav", false, 0, true);
    TSeriesPlot& series = SelectSegment();
    series.SendMessage(WM_COMMAND, TSeriesPlot::MenuSurface);
    TSurfacePlot& view = *Main->SurfaceView(0);
    const int lines = int(view.GetHistoryLineCount());
    ASSERT_GT(lines, 1);
    const uint32_t step = LineStep(lines);
    // The first block read goes to the last line (which has no row of its
    // own in the history), the next below it, the last block to line 0.
    EXPECT_FLOAT_EQ(view.GetHistoryTime(lines - 2), float((7168 + step + 1024) / 8192.0));
    EXPECT_FLOAT_EQ(view.GetHistoryTime(0), float((7168 + (lines - 1) * step + 1024) / 8192.0));
    EXPECT_EQ(Main->GetClientWindow()->GetActiveMDIChild(), &view);
}

TEST_F(TSegmentScreen, LeqOfASegmentGivesEachChannelsLevel)
{
    Open("tone_8192.wav");
    LeqSettings& leq = State(Main).LeqOptions();
    leq.Leq_Weight = 0;
    TSeriesPlot& series = SelectSegment();
    // Cancel in the options computes nothing.
    Main->OptionsAnswer = IDCANCEL;
    series.SendMessage(WM_COMMAND, TSeriesPlot::MenuLeq);
    EXPECT_EQ(Main->OptionsRuns, 1);
    EXPECT_TRUE(Main->Results.empty());
    EXPECT_TRUE(Main->GetSegmentLeqText(0).empty());
    Main->OptionsAnswer = IDOK;
    series.SendMessage(WM_COMMAND, TSeriesPlot::MenuLeq);
    ASSERT_EQ(Main->Results.size(), 1u);
    EXPECT_EQ(Main->Results[0], Main->GetSegmentLeqText(0) + "\r\n\r\n" + Main->GetSegmentLeqText(1));
    const auto want = ReadRows("leq.txt");
    ASSERT_EQ(want.size(), 1u);
    for (int channel : {0, 1}) {
        SCOPED_TRACE(channel);
        const std::string& text = Main->GetSegmentLeqText(channel);
        EXPECT_EQ(text.rfind(channel ? "Right Channel\r\n" : "Left Channel\r\n", 0), 0u) << text;
        char line[64];
        std::snprintf(line, sizeof line, "\r\nLeq  \t%6.2f  \t dB\r\n", want[0][size_t(channel)]);
        if (channel == 0)
            std::snprintf(line, sizeof line, "\r\nLeq  \t%6.2f \t dB\r\n", want[0][0]);
        EXPECT_NE(text.find(line), std::string::npos) << text;
    }
}

// The spectrum view's inverse FFT of the segment's average: each channel's
// block is numpy's inverse of the mean power with the mean spectrum's phase.
// The DC and Nyquist terms share one packed pair in the engine: their two
// components (the mean and the alternating sequence) are taken out of the
// block, as numpy's reference leaves them out (and the bin below Nyquist,
// which the average does not keep).
TEST_F(TSegmentScreen, InverseFftOfTheAverageIsNumpysIrfft)
{
    Open("noise_8192.wav");
    SelectSegment().SendMessage(WM_COMMAND, TSeriesPlot::MenuAverageSpectrum);
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    Main->SpectrumView(0)->SendMessage(WM_COMMAND, TSpectrumPlot::MenuInverseFFT);
    const auto want = ReadRows("inverse.txt");
    ASSERT_EQ(want.size(), 1024u);
    for (int channel : {0, 1}) {
        SCOPED_TRACE(channel);
        const TSeriesData* block = Main->GetSeries(channel);
        ASSERT_NE(block, nullptr);
        ASSERT_GE(block->GetLength(), want.size());
        const double n = double(want.size());
        double mean = 0, alternating = 0;
        for (size_t i = 0; i < want.size(); ++i) {
            const double y = block->GetSample(uint32_t(i), 0);
            mean += y / n;
            alternating += (i % 2 ? -y : y) / n;
        }
        double worst = 0;
        for (size_t i = 0; i < want.size(); ++i) {
            const double y = block->GetSample(uint32_t(i), 0) - mean - (i % 2 ? -alternating : alternating);
            worst = std::max(worst, std::fabs(y - want[i][size_t(channel)]));
        }
        EXPECT_LT(worst, 2.0);
    }
    EXPECT_TRUE(Host().Messages.empty());
}

// Bandwidth and Q of each channel's resonator, read from the spectrum view's
// entry after a segment average, against freqz's figures of the filter.
TEST_F(TSegmentScreen, BandwidthAndQOfResonatedNoiseMatchFreqz)
{
    Open("resonant_8192.wav");
    // Whole blocks of the repeating noise: no decimation, no channel delay.
    State(Main).Settings().DecimationRatio = 1;
    State(Main).Settings().DelayTimeMsec = 0.0f;
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    SelectSegment().SendMessage(WM_COMMAND, TSeriesPlot::MenuAverageSpectrum);
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    Host().Messages.clear();
    Main->SpectrumView(0)->SendMessage(WM_COMMAND, TSpectrumPlot::MenuBandwidth);
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Caption, "Quality Factor");
    double shown[2][3] = {};
    ASSERT_EQ(std::sscanf(Host().Messages[0].Text.c_str(),
                          "Peak Frequency = %lf Hz\rBandwidth (-3dB) = %lf Hz\rQuality Factor = %lf\r\r"
                          "Peak Frequency = %lf Hz\rBandwidth = %lf Hz\rQuality Factor = %lf",
                          &shown[0][0], &shown[0][1], &shown[0][2], &shown[1][0], &shown[1][1], &shown[1][2]),
              6)
        << Host().Messages[0].Text;
    const auto want = ReadRows("bandwidth.txt");
    ASSERT_EQ(want.size(), 2u);
    for (int channel : {0, 1}) {
        SCOPED_TRACE(channel);
        // Bins are 8 Hz apart: the peak sits on one, the edges are interpolated.
        EXPECT_NEAR(shown[channel][0], want[size_t(channel)][0], 4.0);
        EXPECT_NEAR(shown[channel][1], want[size_t(channel)][1], 0.01 * want[size_t(channel)][1]);
        EXPECT_NEAR(shown[channel][2], want[size_t(channel)][2], 0.01 * want[size_t(channel)][2]);
    }
    // A range ending below the left resonator's upper edge (1100 Hz) has no
    // width there, and shows no negative one on either channel.
    Host().Messages.clear();
    Main->PeakBandwidth(800.0f, 1050.0f);
    ASSERT_EQ(Host().Messages.size(), 1u);
    const std::string& text = Host().Messages[0].Text;
    double peak = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "Peak Frequency = %lf Hz\r", &peak), 1) << text;
    EXPECT_NEAR(peak, want[0][0], 4.0);
    EXPECT_NE(text.find("\rBandwidth (-3dB) = not found in the shown range\r"
                        "Quality Factor = not found in the shown range\r\r"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("= -"), std::string::npos) << text;
}
