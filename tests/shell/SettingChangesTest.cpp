#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <tuple>
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

auto Stored(const AnalysisSettingsStruct& s)
{
    return std::make_tuple(s.FFTsize, s.SmoothingWindow, s.Format.SamplingRate, s.Format.NumChannels,
                           s.Format.BytesPerSample, s.ChannelProcessing, s.DecimationRatio, s.OverlapPercent,
                           s.AverageBlocks, s.AverageType, s.AverageSpeed, s.PeakHold);
}

// A main window object (no window) in Post Process on a stereo wave.
struct TSettingChanges : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(0));
        Main->ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).Settings().Format = TWaveFormat(48000, 2, 2);
        State(Main).Settings().FFTsize = 1024;
        State(Main).Settings().ChannelProcessing = 2;
        const std::string wave = std::string(TONALYX_FIXTURES) + "/pipeline/filtered_noise_48k.wav";
        Main->ReplaceWave(std::make_unique<TWaveFile>(wave.c_str(), TWaveFile::Memory, 0, Folder.Path.c_str()));
        Main->ApplySettings(TMainWin::RefreshKind::Full);
    }
};

}

// Each rule refuses its value alone through its setter, and inside a whole
// record through the door the settings dialog's OK takes.
TEST_F(TSettingChanges, RefusedValuesChangeNothing)
{
    using R = AnalysisSettingsStruct;
    struct Case {
        const char* Name;
        std::function<bool(TMainWin&)> Change;
        std::function<void(R&)> Spoil;
    };
    const Case cases[] = {
        {"FFT size not a power of two", [](TMainWin& w) { return w.SetFftSize(3000); },
         [](R& r) { r.FFTsize = 3000; }},
        {"FFT size below the range", [](TMainWin& w) { return w.SetFftSize(16); }, [](R& r) { r.FFTsize = 16; }},
        {"FFT size above the range", [](TMainWin& w) { return w.SetFftSize(1u << 21); },
         [](R& r) { r.FFTsize = 1u << 21; }},
        {"window type", [](TMainWin& w) { return w.SetWindowType(TSmoothing::WindowCount); },
         [](R& r) { r.SmoothingWindow = TSmoothing::WindowCount; }},
        {"channel count", [](TMainWin& w) { return w.SetFormat(48000, 3, 2); },
         [](R& r) { r.Format.NumChannels = 3; }},
        {"sample width", [](TMainWin& w) { return w.SetFormat(48000, 2, 5); },
         [](R& r) { r.Format.BytesPerSample = 5; }},
        {"sampling rate", [](TMainWin& w) { return w.SetFormat(0, 2, 2); }, [](R& r) { r.Format.SamplingRate = 0; }},
        {"channel processing", [](TMainWin& w) { return w.SetChannelProcessing(13); },
         [](R& r) { r.ChannelProcessing = 13; }},
        {"format with channel processing", [](TMainWin& w) { return w.SetFormatAndChannelProcessing(999, 2, 2, 2); },
         [](R& r) { r.Format.SamplingRate = 999; }},
        {"channel processing with format", [](TMainWin& w) { return w.SetFormatAndChannelProcessing(48000, 2, 2, 13); },
         [](R& r) { r.ChannelProcessing = 13; }},
        {"decimation ratio", [](TMainWin& w) { return w.SetDecimationRatio(51); },
         [](R& r) { r.DecimationRatio = 51; }},
        {"overlap", [](TMainWin& w) { return w.SetOverlapPercent(100); }, [](R& r) { r.OverlapPercent = 100; }},
        {"average blocks", [](TMainWin& w) { return w.SetAverageBlocks(0); }, [](R& r) { r.AverageBlocks = 0; }},
        {"average type", [](TMainWin& w) { return w.SetAverageType(3); }, [](R& r) { r.AverageType = 3; }},
        {"average mode", [](TMainWin& w) { return w.SetAverageMode(2); }, [](R& r) { r.AverageMode = 2; }},
        {"average speed", [](TMainWin& w) { return w.SetAverageSpeed(5); }, [](R& r) { r.AverageSpeed = 5; }},
        {"peak hold", [](TMainWin& w) { return w.SetPeakHold(5); }, [](R& r) { r.PeakHold = 5; }},
    };
    // A record that would change every field the engines are built for.
    R changed = Main->GetAnalysisSettings();
    changed.FFTsize = 2048;
    changed.ChannelProcessing = 10;
    const auto before = Stored(Main->GetAnalysisSettings());
    const uint16_t averageMode = Main->GetAnalysisSettings().AverageMode;
    TSpectralData* engine = State(Main).SpectralLeft();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_FALSE(c.Change(*Main));
        R record = changed;
        c.Spoil(record);
        EXPECT_FALSE(Main->SetProcessingSettings(record));
        EXPECT_EQ(Stored(Main->GetAnalysisSettings()), before);
        EXPECT_EQ(Main->GetAnalysisSettings().AverageMode, averageMode);
        EXPECT_EQ(State(Main).SpectralLeft(), engine);
    }
}

TEST_F(TSettingChanges, AcceptedValuesAreStoredAndApplied)
{
    ASSERT_TRUE(Main->SetFftSize(4096));
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 4096u);
    EXPECT_EQ(State(Main).SpectralLeft()->GetFFTSize(), 4096u);
    EXPECT_EQ(State(Main).Smoothing()->GetLength(), 4096u);
    EXPECT_EQ(Main->GetAnalysisSettings().HopSize, 1024u);

    ASSERT_TRUE(Main->SetWindowType(TSmoothing::FlatTop));
    EXPECT_EQ(State(Main).Smoothing()->GetWindowType(), TSmoothing::FlatTop);

    ASSERT_TRUE(Main->SetChannelProcessing(10));
    ASSERT_NE(State(Main).SpectralCombined(), nullptr);
    EXPECT_EQ(State(Main).DisplayPrimary(), State(Main).SpectralCombined());

    // Mono leaves one engine; back to stereo shows both channels again.
    ASSERT_TRUE(Main->SetFormat(44100, 1, 2));
    EXPECT_EQ(Main->GetAnalysisSettings().ChannelProcessing, 0);
    EXPECT_EQ(State(Main).SpectralRight(), nullptr);
    EXPECT_FLOAT_EQ(State(Main).SpectralLeft()->GetNyquist(), 22050.0f);
    ASSERT_TRUE(Main->SetFormat(44100, 2, 2));
    EXPECT_EQ(Main->GetAnalysisSettings().ChannelProcessing, 2);
    EXPECT_NE(State(Main).SpectralRight(), nullptr);

    ASSERT_TRUE(Main->SetPeakHold(4));
    EXPECT_EQ(Main->GetAnalysisSettings().PeakHold, 4);
    ASSERT_TRUE(Main->SetAverageBlocks(30));
    EXPECT_EQ(Main->GetAnalysisSettings().AverageBlocks, 30u);
    ASSERT_TRUE(Main->SetAverageMode(AnalysisSettingsStruct::TimedAveraging));
    EXPECT_EQ(Main->GetAnalysisSettings().AverageMode, AnalysisSettingsStruct::TimedAveraging);

    // Format and mode at once: a mono wave's format with its mode.
    ASSERT_TRUE(Main->SetFormatAndChannelProcessing(22050, 1, 1, 0));
    EXPECT_EQ(Main->GetAnalysisSettings().Format.BytesPerSample, 1);
    EXPECT_EQ(State(Main).SpectralRight(), nullptr);
    EXPECT_FLOAT_EQ(State(Main).SpectralLeft()->GetNyquist(), 11025.0f);
    ASSERT_TRUE(Main->SetFormatAndChannelProcessing(48000, 2, 2, 10));
    EXPECT_EQ(State(Main).DisplayPrimary(), State(Main).SpectralCombined());
}

// The dialog's whole record: stored as given, with the derived fields and
// engines rebuilt for it.
TEST_F(TSettingChanges, AWholeRecordIsStoredAndApplied)
{
    AnalysisSettingsStruct record = Main->GetAnalysisSettings();
    record.FFTsize = 2048;
    record.OverlapPercent = 50;
    record.SmoothingWindow = TSmoothing::FlatTop;
    record.ChannelProcessing = 10;
    record.AverageMode = AnalysisSettingsStruct::TimedAveraging;
    record.AverageSpeed = 2;
    ASSERT_TRUE(Main->SetProcessingSettings(record));
    record.HopSize = 1024;
    record.DelaySamples = Main->GetAnalysisSettings().DelaySamples;
    EXPECT_EQ(Stored(Main->GetAnalysisSettings()), Stored(record));
    EXPECT_EQ(Main->GetAnalysisSettings().AverageMode, AnalysisSettingsStruct::TimedAveraging);
    EXPECT_EQ(Main->GetAnalysisSettings().HopSize, 1024u);
    EXPECT_EQ(State(Main).SpectralLeft()->GetFFTSize(), 2048u);
    EXPECT_EQ(State(Main).Smoothing()->GetWindowType(), TSmoothing::FlatTop);
    EXPECT_EQ(State(Main).DisplayPrimary(), State(Main).SpectralCombined());
}

TEST_F(TSettingChanges, ARunningAnalyserRunsOnWithTheNewValue)
{
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
    ASSERT_TRUE(Main->SetFftSize(2048));
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_EQ(State(Main).SeriesLeft()->GetLength(), 2048u);
    Main->IdleAction(0);
    EXPECT_GT(Main->GetBlocksProcessed(), 0);

    // A refused value does not even stop it.
    EXPECT_FALSE(Main->SetFftSize(1000));
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);

    // Nor does a whole record refused; an accepted one runs on at its FFT size.
    AnalysisSettingsStruct record = Main->GetAnalysisSettings();
    record.FFTsize = 1000;
    EXPECT_FALSE(Main->SetProcessingSettings(record));
    EXPECT_EQ(State(Main).SeriesLeft()->GetLength(), 2048u);
    record.FFTsize = 4096;
    ASSERT_TRUE(Main->SetProcessingSettings(record));
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_EQ(State(Main).SeriesLeft()->GetLength(), 4096u);
    Main->StopAnalyzer();
}
