#include <gtest/gtest.h>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>
#include "base/THeadlessEngineHost.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

std::string Fixture(const char* name)
{
    return std::string(TONALYX_FIXTURES) + "/pipeline/" + name;
}

// Lines of numbers of the reference file written by make_pipeline_fixtures.py.
std::vector<std::vector<double>> Reference()
{
    std::ifstream in(Fixture("reference.txt"));
    std::vector<std::vector<double>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        rows.emplace_back();
        for (double v; s >> v;) rows.back().push_back(v);
    }
    return rows;
}

std::vector<THeadlessEngineHost::Message>& Messages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

// A main window object (no window) with sound ports and a wave file in Post Process.
struct TPipeline : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(0));
        Main->ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().SpectrumPlot = 1;
        Messages().clear();
    }

    void Open(const char* name, uint16_t channels, uint32_t fft, uint16_t overlap, uint16_t mode = 0)
    {
        State(Main).Settings().Format = TWaveFormat(48000, channels, 2);
        State(Main).Settings().FFTsize = fft;
        State(Main).Settings().OverlapPercent = overlap;
        State(Main).Settings().ChannelProcessing = mode;
        Main->ReplaceWave(std::make_unique<TWaveFile>(Fixture(name).c_str(), TWaveFile::Memory, 0, Folder.Path.c_str()));
        ASSERT_EQ(Main->Wave()->Error, 0u);
        Main->ApplySettings(TMainWin::RefreshKind::Full);
    }

    // Idle passes until the analyser stops; the number of passes.
    int RunToStop(int limit = 100000)
    {
        int passes = 0;
        while (Main->GetRunState() != TMainWin::Stopped && passes < limit) {
            Main->IdleAction(0);
            ++passes;
        }
        return passes;
    }
};

}

TEST_F(TPipeline, PostProcessSingleStepAndWholeFileMatchNumpy)
{
    const std::vector<double> tone = Reference()[0];
    const uint32_t hop = uint32_t(tone[1]), blocks = uint32_t(tone[2]), bin = uint32_t(tone[3]);
    Open("tone_1k_48k.wav", 1, uint32_t(tone[0]), 75);

    Main->CmRun();
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    EXPECT_EQ(Main->GetBlocksProcessed(), 1);
    EXPECT_EQ(Main->GetRunRequest(), 0);
    EXPECT_EQ(Main->Wave()->GetPosition(), hop);
    ASSERT_NE(State(Main).SpectralLeft(), nullptr);
    EXPECT_EQ(State(Main).SpectralLeft()->GetPeakIndex(), bin);
    EXPECT_NEAR(State(Main).SpectralLeft()->GetDisplayValue(int(bin)), tone[5], 0.05);

    Main->Wave()->Rewind();
    Main->StartAnalyzer();
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    RunToStop();
    EXPECT_EQ(Main->GetBlocksProcessed(), int(blocks));
    EXPECT_EQ(Main->Wave()->GetPosition(), Main->Wave()->GetHighWaterMark());
    EXPECT_NEAR(State(Main).SpectralLeft()->GetPeakFrequency(), 1000.0, State(Main).SpectralLeft()->GetBinWidth());
    EXPECT_NEAR(State(Main).SpectralLeft()->GetDisplayValue(int(bin)), tone[6], 0.05);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TPipeline, PostProcessStartRefusals)
{
    struct Case {
        uint32_t Fft;
        int Position;   // -1 no wave, -2 the end
        const char* Text;
    };
    const Case cases[] = {
        {4096, -1, "Please Open a .WAV file for processing"},
        {65536, 0, "There are not enough data samples in the file to perform an FFT."},
        {4096, -2, "You have reached the end of the file."},
        {4096, 46000, "You are close to the end of the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        SetUp();
        Open("tone_1k_48k.wav", 1, c.Fft, 50);
        if (c.Position == -1) {
            Main->ReplaceWave(nullptr);
        } else if (c.Position == -2) {
            Main->Wave()->SeekEnd();
        } else {
            Main->Wave()->SetPosition(uint32_t(c.Position));
        }
        Main->StartAnalyzer();
        EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
        EXPECT_EQ(Main->GetBlocksProcessed(), 0);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].Text.rfind(c.Text, 0), 0u) << Messages()[0].Text;
    }
}

TEST_F(TPipeline, BlockLimitAndSecondStart)
{
    Open("tone_1k_48k.wav", 1, 1024, 50);
    State(Main).BlockLimit() = 3;
    State(Main).BlockLimitFlag() = 1;
    Main->StartAnalyzer();
    const uint32_t afterFirst = Main->Wave()->GetPosition();
    Main->StartAnalyzer();
    EXPECT_EQ(Main->Wave()->GetPosition(), afterFirst);
    RunToStop();
    EXPECT_EQ(Main->GetBlocksProcessed(), 3);
    EXPECT_EQ(Main->Wave()->GetPosition(), 3u * 512u);
    EXPECT_FALSE(Main->IsBlockLimitSet());
}

// Right = left through a short FIR: the transfer results hold its response.
TEST_F(TPipeline, ChannelProcessingModesHoldTransferAndCoherence)
{
    const std::vector<std::vector<double>> reference = Reference();
    const std::vector<double>& head = reference[1];
    const std::vector<double>& gain = reference[2];
    const uint32_t fft = uint32_t(head[0]);
    struct Case {
        uint16_t Mode;
        const char* Label;
        double Sign;   // +1 right over left, -1 left over right, 0 coherence (1 for a noiseless filter)
    };
    const Case cases[] = {
        {4, "Real Transfer Function (Left/Right)", -1}, {5, "Real Transfer Function (Right/Left)", 1},
        {8, "Complex Transfer Function (Left/Right)", -1}, {9, "Complex Transfer Function (Right/Left)", 1},
        {10, "Coherence Function", 0}, {11, "Complex Transfer Function (Left/Right)", -1},
        {12, "Complex Transfer Function (Right/Left)", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mode);
        SetUp();
        Open("filtered_noise_48k.wav", 2, fft, 50, c.Mode);
        State(Main).BlockLimit() = 20;
        State(Main).BlockLimitFlag() = 1;
        Main->StartAnalyzer();
        RunToStop();
        ASSERT_EQ(Main->GetBlocksProcessed(), 20);
        ASSERT_NE(State(Main).DisplayPrimary(), nullptr);
        EXPECT_EQ(State(Main).DisplayPrimary(), State(Main).SpectralCombined());
        EXPECT_STREQ(State(Main).DisplayPrimary()->GetLabel(), c.Label);
        for (size_t i = 1; i < head.size(); ++i) {
            const int bin = int(head[i]);
            const double expected = c.Sign * gain[i - 1];
            if (c.Mode == 10) {
                EXPECT_NEAR(State(Main).DisplayPrimary()->GetDisplayValue(bin), 1.0, 0.01) << "bin " << bin;
            } else {
                EXPECT_NEAR(State(Main).DisplayPrimary()->GetDisplayValue(bin), expected, 0.3) << "bin " << bin;
            }
        }
        if (c.Mode >= 11) {
            ASSERT_EQ(State(Main).DisplaySecondary(), State(Main).SpectralAux());
            EXPECT_STREQ(State(Main).SpectralAux()->GetLabel(), "Coherence Function");
            EXPECT_NEAR(State(Main).SpectralAux()->GetDisplayValue(int(head[2])), 1.0, 0.01);
        }
    }
}

TEST_F(TPipeline, ModesWithoutTransferKeepTheirEnginesAndLabels)
{
    struct Case {
        uint16_t Mode;
        bool Combined, Aux;
        const char* Primary;
        const char* Secondary;
    };
    const Case cases[] = {
        {0, false, false, "Left", nullptr}, {1, false, false, "Right", "Right"}, {2, false, false, "Left", "Right"},
        {3, true, false, "Average of Left and Right", nullptr}, {6, true, false, "Cross Spectrum (Left/Right)", nullptr},
        {7, true, false, "Cross Spectrum (Right/Left)", nullptr}, {13, false, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mode);
        SetUp();
        Open("filtered_noise_48k.wav", 2, 1024, 50, c.Mode);
        EXPECT_EQ(State(Main).SpectralCombined() != nullptr, c.Combined);
        EXPECT_EQ(State(Main).SpectralAux() != nullptr, c.Aux);
        ASSERT_NE(State(Main).DisplayPrimary(), nullptr);
        EXPECT_STREQ(State(Main).DisplayPrimary()->GetLabel(), c.Mode == 1 ? "Right" : c.Primary);
        if (c.Secondary) {
            ASSERT_NE(State(Main).DisplaySecondary(), nullptr);
            EXPECT_STREQ(State(Main).DisplaySecondary()->GetLabel(), c.Secondary);
        }
        State(Main).BlockLimit() = 4;
        State(Main).BlockLimitFlag() = 1;
        Main->StartAnalyzer();
        RunToStop();
        EXPECT_EQ(Main->GetBlocksProcessed(), 4);
        for (int bin : {20, 100})
            EXPECT_TRUE(std::isfinite(State(Main).DisplayPrimary()->GetDisplayValue(bin))) << bin;
    }
}

TEST_F(TPipeline, MonoRunsModeZeroWhateverTheStoredMode)
{
    Open("filtered_noise_48k.wav", 2, 1024, 50, 11);
    ASSERT_NE(State(Main).SpectralAux(), nullptr);
    // Mono without ApplySettings: the stored mode stays 11.
    State(Main).Settings().Format = TWaveFormat(48000, 1, 2);
    Main->ReplaceWave(nullptr);
    Main->ReplaceWave(std::make_unique<TWaveFile>(Fixture("tone_1k_48k.wav").c_str(), TWaveFile::Memory, 0, Folder.Path.c_str()));
    State(Main).BlockLimit() = 2;
    State(Main).BlockLimitFlag() = 1;
    Main->StartAnalyzer();
    RunToStop();
    EXPECT_EQ(Main->GetBlocksProcessed(), 2);
    EXPECT_EQ(State(Main).SpectralRight(), nullptr);
    EXPECT_EQ(State(Main).SpectralCombined(), nullptr);
    EXPECT_EQ(State(Main).SpectralAux(), nullptr);
    EXPECT_EQ(State(Main).DisplayPrimary(), State(Main).SpectralLeft());
    EXPECT_EQ(Main->GetSeries(1), nullptr);
    EXPECT_NEAR(State(Main).SpectralLeft()->GetPeakFrequency(), 1000.0, State(Main).SpectralLeft()->GetBinWidth());

    Main->ApplySettings(TMainWin::RefreshKind::Full);
    EXPECT_EQ(Main->GetAnalysisSettings().ChannelProcessing, 0);
}

TEST_F(TPipeline, ChannelDelayBeforeTheStartReadsSilence)
{
    Open("filtered_noise_48k.wav", 2, 1024, 50, 2);
    State(Main).Settings().DelayChannel = 0;
    State(Main).Settings().DelayTimeMsec = 2.0f;   // 96 frames at 48 kHz
    Main->UpdateDelaySamples();
    ASSERT_EQ(Main->GetAnalysisSettings().DelaySamples, 96u);
    ASSERT_EQ(Main->FillSeriesBlocks(Main->GetSeries(0), Main->GetSeries(1), 0), 1);
    for (uint32_t i = 0; i < 96; ++i) ASSERT_EQ(State(Main).SeriesLeft()->GetSample(i, 0), 0.0f) << i;
    for (uint32_t i = 96; i < 1024; i += 37)
        EXPECT_EQ(State(Main).SeriesLeft()->GetSample(i, 0), Main->Wave()->GetSample(i - 96, 0, 0)) << i;
    for (uint32_t i = 0; i < 1024; i += 37)
        EXPECT_EQ(State(Main).SeriesRight()->GetSample(i, 0), Main->Wave()->GetSample(i, 1, 0)) << i;
}

TEST_F(TPipeline, ApplySettingsFollowsFftSizeChannelsAndRate)
{
    struct Case {
        int Kind;
        uint32_t Fft;
        uint16_t Channels;
        uint32_t Rate;
    };
    const Case cases[] = {{0, 2048, 2, 48000}, {1, 8192, 1, 44100}, {2, 512, 2, 22050}, {0, 4096, 1, 8000}};
    State(Main).Smoothing() = new TSmoothing(1024, TSmoothing::Hanning);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Kind);
        State(Main).Settings().Format = TWaveFormat(c.Rate, c.Channels, 2);
        State(Main).Settings().FFTsize = c.Fft;
        State(Main).Settings().ChannelProcessing = 2;
        Main->ApplySettings(TMainWin::RefreshKind(c.Kind));
        ASSERT_NE(State(Main).SpectralLeft(), nullptr);
        EXPECT_EQ(State(Main).SpectralLeft()->GetFFTSize(), c.Fft);
        EXPECT_FLOAT_EQ(State(Main).SpectralLeft()->GetNyquist(), c.Rate / 2.0f);
        EXPECT_EQ(State(Main).SpectralRight() != nullptr, c.Channels == 2);
        EXPECT_EQ(Main->GetSeries(1) != nullptr, c.Channels == 2);
        EXPECT_EQ(State(Main).SeriesLeft()->GetLength(), c.Fft);
        EXPECT_EQ(State(Main).Smoothing()->GetLength(), c.Fft);
        EXPECT_EQ(Main->GetAnalysisSettings().ChannelProcessing, c.Channels == 2 ? 2 : 0);
    }
}

namespace {

// Records what the views are handed, and checks that a handed engine is alive.
class TRecordingMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    struct Call {
        TSpectralData* Primary;
        TSpectralData* Secondary;
    };
    std::vector<Call> Calls;
    uint64_t Available = 1ull << 40;
    void SetViewEngines(TSpectralData* primary, TSpectralData* secondary) override
    {
        Calls.push_back({primary, secondary});
        for (TSpectralData* engine : {primary, secondary})
            if (engine) {
                TMainWinState state(*this);
                EXPECT_TRUE(engine == state.SpectralLeft() || engine == state.SpectralRight()
                            || engine == state.SpectralCombined() || engine == state.SpectralAux());
            }
    }
    uint64_t AvailablePhysicalMemory() override { return Available; }
};

}

TEST(TPipelineViews, ViewsLetGoBeforeTheRebuildAndTakeTheNewEngines)
{
    TTempFolder folder;
    std::string program = folder.File("Tonalyx.exe");
    TRecordingMain main(nullptr, program.c_str(), nullptr, *new TClientMain);
    struct Case {
        uint16_t Mode;
        uint32_t Fft;
    };
    // An unusable FFT size stops the rebuild at the first engine.
    for (const Case& c : {Case{11, 1024}, Case{2, 2048}, Case{11, 3}}) {
        SCOPED_TRACE(c.Fft);
        State(main).Settings().Format = TWaveFormat(48000, 2, 2);
        State(main).Settings().ChannelProcessing = c.Mode;
        State(main).Settings().FFTsize = c.Fft;
        main.Calls.clear();
        main.AllocateSpectralData();
        ASSERT_EQ(main.Calls.size(), 2u);
        EXPECT_EQ(main.Calls[0].Primary, nullptr);
        EXPECT_EQ(main.Calls[0].Secondary, nullptr);
        EXPECT_EQ(main.Calls[1].Primary, State(main).DisplayPrimary());
        EXPECT_EQ(main.Calls[1].Secondary, State(main).DisplaySecondary());
    }
    EXPECT_EQ(State(main).SpectralLeft(), nullptr);
    EXPECT_EQ(State(main).DisplayPrimary(), nullptr);
}

TEST(TPipelineMemory, CheckMemoryEstimatesInSixtyFourBits)
{
    TTempFolder folder;
    std::string program = folder.File("Tonalyx.exe");
    TRecordingMain main(nullptr, program.c_str(), nullptr, *new TClientMain);
    main.Available = 1ull << 30;
    AnalysisSettingsStruct small;
    small.Format = TWaveFormat(48000, 1, 2);
    small.FFTsize = 1024;
    AnalysisSettingsStruct large = small;
    large.Format = TWaveFormat(48000, 2, 3);
    large.FFTsize = 1u << 20;
    large.DecimationRatio = 50;
    // 8 x FFT x channels x bytes x ratio x delay = 2^20 x 2400 x 48000 x 8: far beyond 32 bits.
    large.DelaySamples = 48000;
    Messages().clear();
    EXPECT_FALSE(main.CheckMemory(small, large));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Caption, "");
    EXPECT_TRUE(main.CheckMemory(large, small));
    AnalysisSettingsStruct modest = small;
    modest.FFTsize = 65536;
    EXPECT_TRUE(main.CheckMemory(small, modest));
}

TEST_F(TPipeline, CaptureBlockSizes)
{
    struct Case {
        int32_t Mode;
        uint32_t Rate, Fft;
        uint32_t TriggerEnable;
        int32_t Split;
        uint32_t Expected;
    };
    const Case cases[] = {
        {TMainWin::RealTime, 44100, 16384, 0, 1, 44100},
        {TMainWin::PostProcess, 8000, 16384, 0, 1, 17384},   // a multiple of 16384 gains 1000
        {TMainWin::Recorder, 8000, 4096, 0, 0, 40960},   // without split buffers ten blocks
        {TMainWin::Recorder, 11025, 32768, 1, 1, 65536 + 1000},
        {TMainWin::RealTime, 44101, 1024, 0, 1, 44102},   // odd counts become even
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Expected);
        State(Main).OpMode() = c.Mode;
        State(Main).Settings().Format = TWaveFormat(c.Rate, 1, 2);
        State(Main).Settings().FFTsize = c.Fft;
        State(Main).Settings().DelaySamples = 0;
        State(Main).Trigger().Enable = c.TriggerEnable;
        State(Main).FileIO().AllowSplitBuffers = c.Split;
        ASSERT_TRUE(Main->AllocateCaptureBlocks());
        EXPECT_EQ(Main->CaptureBlock(0)->GetFrameCount(), c.Expected);
        EXPECT_EQ(Main->CaptureBlock(1)->GetFrameCount(), c.Expected);
    }
    State(Main).FileIO().RecordIOBufferSizeSecs = 0;
    State(Main).OpMode() = TMainWin::Recorder;
    Main->AllocateCaptureBlocks();
    EXPECT_EQ(Main->GetFileIO().RecordIOBufferSizeSecs, 1);
}

TEST_F(TPipeline, HopSizeAndViewRules)
{
    struct Hop {
        uint16_t Overlap;
        uint32_t Fft, Expected;
    };
    for (const Hop& h : {Hop{100, 4096, 1}, Hop{0, 4096, 4096}, Hop{75, 16384, 4096}, Hop{99, 64, 1}}) {
        State(Main).Settings().OverlapPercent = h.Overlap;
        State(Main).Settings().FFTsize = h.Fft;
        Main->UpdateHopSize();
        EXPECT_EQ(Main->GetAnalysisSettings().HopSize, h.Expected) << h.Overlap;
    }
    struct Rule {
        uint32_t Independent;
        uint16_t Mode;
        int Type, Allowed;
    };
    const Rule rules[] = {{0, 1, 2, 1}, {1, 1, 2, 0}, {1, 1, 22, 1}, {1, 0, 22, 0}, {1, 8, 5, 1},
                          {1, 8, 25, 0}, {1, 2, 23, 1}, {1, 12, 24, 1}, {1, 1, 1, 1}, {1, 0, 15, 1}};
    for (const Rule& r : rules) {
        State(Main).Settings().IndependentScalingAndCalibration = r.Independent;
        State(Main).Settings().ChannelProcessing = r.Mode;
        EXPECT_EQ(Main->IsViewAllowed(TMainWin::ViewType(r.Type)), r.Allowed) << r.Independent << " " << r.Mode << " " << r.Type;
    }
}

TEST(TRecordingName, NeverReusesAFileThatExists)
{
    TTempFolder folder;
    const TEngineHost::LocalTime t{2026, 12, 9, 21, 5, 7, 0};
    const std::string stem = folder.Path + "\\recording_2026_12_09_210507";
    for (const char* suffix : {"", "_2", "_3"}) {
        const std::string name = TMainWin::RecordingFileName(folder.Path.c_str(), t);
        EXPECT_EQ(name, stem + suffix + ".wav");
        std::ofstream(name) << "taken";
    }
}
