// The command interpreter on a main window object (no window): each command
// with its answer and its effect, most of them on a running Post Process of
// a sox tone.
#include <functional>
#include <string>
#include "engine/TSpectralData.h"
#include "tests/shell/commands/CommandTestMain.h"

namespace {

struct TInterpreter : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        Main = NewQuietMain(Program);
    }

    // The stereo sox tone (or the mono one) opened in Post Process at 4096 points.
    void Open(const char* file = "automation/tone_1k_h3.wav", uint16_t channels = 2)
    {
        State(Main).Settings().ChannelProcessing = 0;
        OpenInPostProcess(*Main, file, TWaveFormat(48000, channels, 2), 4096, Folder.Path);
    }
    void Running()
    {
        Open();
        Main->StartAnalyzer();
        ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
    }
};

struct TCase {
    std::string Command;
    std::function<void(TInterpreter&)> Prepare;
    uint32_t Answer;
    std::function<void(TMainWin&)> Check;
};

}  // namespace

TEST_F(TInterpreter, CommandsAnswerAndAct)
{
    const auto running = [](TInterpreter& t) { t.Running(); };
    const auto open = [](TInterpreter& t) { t.Open(); };
    const auto none = [](TInterpreter&) {};
    const TCase cases[] = {
        {"[run]", open, Done, [](TMainWin& m) {
             EXPECT_EQ(m.GetRunState(), TMainWin::Running);
             EXPECT_FALSE(m.IsBlockLimitSet());
         }},
        {"[Run] ", open, 0, [](TMainWin& m) { EXPECT_EQ(m.GetRunState(), TMainWin::Stopped); }},
        {"[Run 5]", open, Done, [](TMainWin& m) {
             EXPECT_EQ(m.GetBlockLimit(), 5);
             EXPECT_TRUE(m.IsBlockLimitSet());
             for (int i = 0; i < 100 && m.GetRunState() != TMainWin::Stopped; ++i) m.IdleAction(0);
             EXPECT_EQ(m.GetBlocksProcessed(), 5);
         }},
        {"[Run 0]", [](TInterpreter& t) { t.Open(); State(t.Main).BlockLimit() = 3; State(t.Main).BlockLimitFlag() = 1; }, 0,
         [](TMainWin& m) {
             EXPECT_EQ(m.GetBlockLimit(), 0);
             EXPECT_FALSE(m.IsBlockLimitSet());
             EXPECT_EQ(m.GetRunState(), TMainWin::Stopped);
         }},
        {"[Run x]", open, 0, [](TMainWin& m) { EXPECT_EQ(m.GetRunState(), TMainWin::Stopped); }},
        {"[Run 3", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetBlockLimit(), 3); }},
        {"[Stop]", running, Done, [](TMainWin& m) { EXPECT_EQ(m.GetRunState(), TMainWin::Stopped); }},
        {"[Single Step]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetBlocksProcessed(), 1); }},
        {"[Set FFT Size 4096]", running, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().FFTsize, 4096u); }},
        {"[Set FFT Size 1000]", running, 0, [](TMainWin& m) {
             EXPECT_EQ(m.GetAnalysisSettings().FFTsize, 4096u);
             EXPECT_EQ(m.GetRunState(), TMainWin::Running);
         }},
        {"[FFT Size 2048]", running, Done, [](TMainWin& m) {
             EXPECT_EQ(m.GetAnalysisSettings().FFTsize, 2048u);
             EXPECT_EQ(m.GetRunState(), TMainWin::Running);
             ASSERT_NE(State(m).SpectralLeft(), nullptr);
             EXPECT_EQ(State(m).SpectralLeft()->GetFFTSize(), 2048u);
         }},
        {"[FFT Size 2097152]", running, 0, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().FFTsize, 4096u); }},
        {"[Pause Rec", open, Done, [](TMainWin& m) { EXPECT_TRUE(m.IsAppendHalted()); }},
        {"", open, 0, [](TMainWin& m) { EXPECT_FALSE(m.IsAppendHalted()); }},
        {"[Pause Recorder]" + std::string(300, ' '), open, 0, [](TMainWin& m) { EXPECT_FALSE(m.IsAppendHalted()); }},
        {"[Resume Recorder]", [](TInterpreter& t) { t.Open(); State(t.Main).AppendHalt() = 1; }, Done,
         [](TMainWin& m) { EXPECT_FALSE(m.IsAppendHalted()); }},
        {"[Average Size 1001]", running, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().AverageBlocks, 10000000u); }},
        // A negative size reads as 0, which the averaging refuses: the size stays.
        {"[Average Size -3]", running, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().AverageBlocks, 4u); }},
        {"[Set Average Size 9]", [](TInterpreter& t) { t.Open(); State(t.Main).Settings().AverageMode = 1; }, Done,
         [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().AverageSpeed, 4); }},
        {"[Set Average Type Linear]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().AverageType, 1); }},
        {"[Set Average Mode Meter]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().AverageMode, 1); }},
        {"[Set Peak Hold forever]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().PeakHold, 4); }},
        {"[Set Peak Hold Sometimes]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().PeakHold, 0); }},
        {"[Peak Hold On]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().PeakHold, 4); }},
        {"[FFT Overlap 120]", open, Done, [](TMainWin& m) {
             EXPECT_EQ(m.GetAnalysisSettings().OverlapPercent, 99);
             EXPECT_EQ(m.GetAnalysisSettings().HopSize, 40u);
         }},
        {"[Set Decimation Ratio 51]", open, 0, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().DecimationRatio, 1); }},
        {"[Set Decimation Ratio 2]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().DecimationRatio, 2); }},
        {"[Window Flat Top]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().SmoothingWindow, 2); }},
        {"[Set Sampling Rate 48000]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().Format.SamplingRate, 48000u); }},
        {"[Set Sampling Rate 44100]", open, 0, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().Format.SamplingRate, 48000u); }},
        {"[Set Sampling Precision 24]", open, 0, [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().Format.BytesPerSample, 2); }},
        {"[Go To -1]", open, 0, [](TMainWin& m) { EXPECT_EQ(m.Wave()->GetPosition(), 0u); }},
        {"[Go To 1.5]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.Wave()->GetPosition(), 72000u); }},
        {"[Go To Sample 4800]", open, Done, [](TMainWin& m) {
             EXPECT_EQ(m.Wave()->GetPosition(), 4800u);
             EXPECT_FLOAT_EQ(m.TimePosition(), 0.1f);
         }},
        {"[Go To 1]", none, 0, [](TMainWin&) {}},
        {"[Play Segment 1]", open, Done, [](TMainWin& m) { EXPECT_EQ(m.GetRunState(), TMainWin::Stopped); }},
        {"[Trigger]", open, Done, [](TMainWin& m) { EXPECT_EQ(State(m).ForceTrigger(), 1); }},
        {"[Reset Overload]", [](TInterpreter& t) { t.Open(); State(t.Main).OverloadFlag() = 1; State(t.Main).OverloadBlocks() = 7; },
         Done, [](TMainWin& m) {
             EXPECT_EQ(m.GetOverloadFlag(), 0);
             EXPECT_EQ(m.GetOverloadBlocks(), 0);
         }},
        {"[Set Channel Both]", running, Done, [](TMainWin& m) {
             EXPECT_EQ(m.GetAnalysisSettings().ChannelProcessing, 2);
             EXPECT_EQ(m.GetRunState(), TMainWin::Running);
         }},
        {"[Set Channel Both]", [](TInterpreter& t) { t.Open("pipeline/tone_1k_48k.wav", 1); }, Done,
         [](TMainWin& m) { EXPECT_EQ(m.GetAnalysisSettings().ChannelProcessing, 0); }},
        {"[Set Channel Right]", [](TInterpreter& t) { State(t.Main).OpMode() = TMainWin::RealTime; }, Done, [](TMainWin& m) {
             EXPECT_EQ(m.GetAnalysisSettings().ChannelProcessing, 1);
             EXPECT_EQ(m.GetAnalysisSettings().Format.NumChannels, 2);
         }},
        {"[Set Channel Left]", [](TInterpreter& t) { State(t.Main).OpMode() = TMainWin::RealTime; }, Done, [](TMainWin& m) {
             EXPECT_EQ(m.GetAnalysisSettings().ChannelProcessing, 0);
             EXPECT_EQ(m.GetAnalysisSettings().Format.NumChannels, 1);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Command.substr(0, 40));
        SetUp();
        c.Prepare(*this);
        EXPECT_EQ(Main->ExecuteCommand(c.Command), c.Answer);
        c.Check(*Main);
    }
}
