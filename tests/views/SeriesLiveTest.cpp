// The time series view in Real Time: a 1 kHz tone played into the PulseAudio
// null sink is captured from its monitor; the analysis block's trace shows
// its period, and the strip chart moves in steps of at least 8 columns.
#include "tests/views/SeriesScreen.h"
#include "tests/shell/sound/NullSinkTone.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/TSoundInput.h"
#include "tests/shell/TMainWinState.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr double ToneHz = 1000.0;

}  // namespace

struct TSeriesLive : TSeriesScreen {
    uint32_t OutputId = TSoundPort::NoDevice;

    void Start(uint32_t fftSize, int32_t bufferSeconds)
    {
        const uint32_t inputId = FindSoundDevice(true, "Monitor of Null Output");
        OutputId = FindSoundDevice(false, "Null Output");
        ASSERT_NE(inputId, TSoundPort::NoDevice);
        ASSERT_NE(OutputId, TSoundPort::NoDevice);
        Open(TMainWin::RealTime);
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(inputId));
        State(Main).Settings().Format = TWaveFormat(Rate, 1, 2);
        State(Main).Settings().FFTsize = fftSize;
        State(Main).FileIO().RealTimeWaveBufferLengthSecs = bufferSeconds;
        Main->SetCurrentFolder(TMainWin::TmpFolder, Folder.Path.c_str());
        Main->ApplySettings(TMainWin::RefreshKind::Full);
        Pump();
    }

    // The message loop with its idle passes, calling step after each pass
    // until it answers true or time runs out.
    template <class Step>
    void Run(Step step)
    {
        const DWORD end = ::GetTickCount() + 20000;
        while (::GetTickCount() < end) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            Main->IdleAction(0);
            if (step())
                return;
            ::Sleep(1);
        }
    }
};

TEST_F(TSeriesLive, TheAnalysisBlockShowsTheTonesPeriod)
{
    // 512 frames over 1000 columns: one sample per column whose frame changes.
    Start(512, 60);
    TTonePlayer tone(OutputId, Rate, ToneHz);
    ASSERT_TRUE(tone.Ok);
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
    ASSERT_EQ(State(Main).SeriesLiveBlock(), int32_t(BlockSource));
    Run([&] { return Main->GetBlocksProcessed() >= 40; });
    ASSERT_GE(Main->GetBlocksProcessed(), 40);
    TSeriesPlot& view = *View;
    EXPECT_EQ(view.Range.First, 0);
    EXPECT_EQ(view.Range.Last, 511);
    const std::vector<TCurvePoint> trace = view.Trace[0];
    Main->StopAnalyzer();
    ASSERT_GT(trace.size(), 500u);

    // Rising crossings of the zero line, between points.
    const double zero = view.GraphRect.bottom - (view.GraphRect.Height() / 2);
    std::vector<double> crossings;
    for (size_t i = 1; i < trace.size(); ++i) {
        const double a = trace[i - 1].y - zero, b = trace[i].y - zero;
        if (a > 0 && b <= 0)
            crossings.push_back(trace[i - 1].x + (trace[i].x - trace[i - 1].x) * a / (a - b));
    }
    ASSERT_GE(crossings.size(), 5u);
    // A period of 48 frames on 1000 columns for frames 0 .. 511.
    const double period = Rate / ToneHz * GraphWidth / 511.0;
    for (size_t i = 1; i < crossings.size(); ++i)
        EXPECT_NEAR(crossings[i] - crossings[i - 1], period, 1.0) << i;
}

TEST_F(TSeriesLive, TheStripChartMovesOnlyAfterEightNewColumns)
{
    Start(4096, 2);
    // Live blocks come one hop apart: a hop shorter than 8 columns leaves
    // blocks that do not move the chart.
    ASSERT_TRUE(Main->SetOverlapPercent(90));
    TTonePlayer tone(OutputId, Rate, ToneHz);
    ASSERT_TRUE(tone.Ok);
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
    // Nothing sets the strip chart yet: set it, and lay the view out for it.
    State(Main).SeriesLiveBlock() = int32_t(StripChartSource);
    TSeriesPlot& view = *View;
    view.UpdateLayout();
    EXPECT_EQ(view.Range.Last, 2 * int64_t(Rate) - 1);
    const int64_t perColumn = int64_t(view.Scale.Columns[1].Frame) - view.Scale.Columns[0].Frame;
    ASSERT_GT(perColumn, 0);

    std::vector<TCurvePoint> shown = view.Trace[0];
    int64_t shownAt = -1;
    int moves = 0, stills = 0;
    int32_t blocks = Main->GetBlocksProcessed();
    Run([&] {
        if (Main->GetBlocksProcessed() == blocks)
            return false;
        blocks = Main->GetBlocksProcessed();
        const int64_t input = Main->InputPort()->GetLastInputFrame();
        if (view.Trace[0] == shown) {
            ++stills;
        } else {
            // After the first step, each step follows at least 8 columns of input.
            if (shownAt >= 0) {
                EXPECT_GE(input - shownAt, 8 * perColumn);
            }
            shown = view.Trace[0];
            shownAt = input;
            ++moves;
        }
        return moves >= 6 && stills >= 6;
    });
    Main->StopAnalyzer();
    std::printf("strip chart: %d moves, %d blocks without one\n", moves, stills);
    EXPECT_GE(moves, 6);
    EXPECT_GE(stills, 6);
    EXPECT_EQ(shown.size(), 2u * GraphWidth);
}
