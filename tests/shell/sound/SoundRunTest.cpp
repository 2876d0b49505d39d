#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "base/THeadlessEngineHost.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/sound/NullSinkTone.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr float ToneHz = 3000.0f;

std::vector<THeadlessEngineHost::Message>& Messages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

// A main window object whose ports are polled: the loop below hands the
// buffer handler and the idle handler their turns as the message loop would.
struct TSoundRun : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    uint32_t InputId = FindSoundDevice(true, "Monitor of Null Output");
    uint32_t OutputId = FindSoundDevice(false, "Null Output");

    void SetUp() override
    {
        ASSERT_NE(InputId, TSoundPort::NoDevice);
        ASSERT_NE(OutputId, TSoundPort::NoDevice);
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(InputId));
        Main->ReplaceOutputPort(std::make_unique<TSoundOutput>(OutputId));
        State(Main).Settings().Format = TWaveFormat(Rate, 2, 2);
        State(Main).Settings().FFTsize = 4096;
        State(Main).Settings().ChannelProcessing = 2;
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().SpectrumPlot = 1;
        State(Main).FileIO().WaveFileMode = 0;
        Main->SetCurrentFolder(TMainWin::TmpFolder, Folder.Path.c_str());
        Main->SetCurrentFolder(TMainWin::WavFolder, Folder.Path.c_str());
        Main->ApplySettings(TMainWin::RefreshKind::Full);
        Messages().clear();
    }

    // Runs the loop for the given time, or until stopped.
    void Pump(DWORD ms, bool untilStopped = false)
    {
        const DWORD end = ::GetTickCount() + ms;
        while (::GetTickCount() < end && !(untilStopped && Main->GetRunState() == TMainWin::Stopped)) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                if (msg.message == MM_WOM_DONE || msg.message == MM_WIM_DATA) Main->EvWaveBufferDone(0, 0);
            Main->EvWaveBufferDone(0, 0);
            Main->IdleAction(0);
            ::Sleep(2);
        }
    }

    float PeakOfRecording(float time)
    {
        Main->ReprocessSegment(time);
        return State(Main).SpectralLeft() ? State(Main).SpectralLeft()->GetPeakFrequency() : 0.0f;
    }
};

}

TEST_F(TSoundRun, RealTimeShowsTheToneOfTheNullSinkAndStopClosesThePorts)
{
    TTonePlayer tone(OutputId, Rate, ToneHz);
    ASSERT_TRUE(tone.Ok);
    State(Main).OpMode() = TMainWin::RealTime;
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running) << (Messages().empty() ? "" : Messages()[0].Text);
    EXPECT_TRUE(Main->InputPort()->IsOpen());
    const DWORD end = ::GetTickCount() + 10000;
    while (Main->GetBlocksProcessed() < 8 && ::GetTickCount() < end) Pump(50);
    ASSERT_GE(Main->GetBlocksProcessed(), 8);
    EXPECT_NEAR(State(Main).SpectralLeft()->GetPeakFrequency(), ToneHz, 2 * State(Main).SpectralLeft()->GetBinWidth());
    EXPECT_NEAR(State(Main).SpectralRight()->GetPeakFrequency(), ToneHz, 2 * State(Main).SpectralRight()->GetBinWidth());
    Main->StopAnalyzer();
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    EXPECT_FALSE(Main->InputPort()->IsOpen());
    EXPECT_FALSE(Main->OutputPort()->IsOpen());
    EXPECT_EQ(Main->CaptureBlock(0), nullptr);
    ASSERT_NE(Main->Wave(), nullptr);   // the history wave
    EXPECT_GT(Main->Wave()->GetHighWaterMark(), 0u);
}

TEST_F(TSoundRun, RecorderRecordsIntoMemoryAndOnDiskAndPlaysBack)
{
    TTonePlayer tone(OutputId, Rate, ToneHz);
    ASSERT_TRUE(tone.Ok);
    for (int32_t mode : {1, 0}) {
        SCOPED_TRACE(mode);
        Main->ReplaceWave(nullptr);
        State(Main).OpMode() = TMainWin::Recorder;
        State(Main).FileIO().WaveFileMode = mode;
        State(Main).RunState() = TMainWin::Recording;
        Main->StartAnalyzer();
        ASSERT_EQ(Main->GetRunState(), TMainWin::Recording) << (Messages().empty() ? "" : Messages()[0].Text);
        // The first capture of a process takes a moment to start.
        const DWORD end = ::GetTickCount() + 30000;
        while (Main->Wave() && Main->Wave()->GetHighWaterTime() < 2.0f && ::GetTickCount() < end) Pump(50);
        Main->StopAnalyzer();
        ASSERT_NE(Main->Wave(), nullptr);
        EXPECT_EQ(Main->Wave()->IsDiskBased(), mode);
        const float seconds = Main->Wave()->GetHighWaterTime();
        EXPECT_GT(seconds, 1.5f);
        EXPECT_LT(seconds, 3.5f);
        EXPECT_NEAR(PeakOfRecording(seconds / 2), ToneHz, 2 * State(Main).SpectralLeft()->GetBinWidth());

        Main->Wave()->Rewind();
        State(Main).RunState() = TMainWin::Playback;
        const DWORD start = ::GetTickCount();
        Main->StartAnalyzer();
        ASSERT_EQ(Main->GetRunState(), TMainWin::Playback) << (Messages().empty() ? "" : Messages()[0].Text);
        Pump(15000, true);
        EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
        EXPECT_GT((::GetTickCount() - start) / 1000.0, seconds - 1.0);
        EXPECT_GT(Main->GetBlocksProcessed(), 0);
    }
}

TEST_F(TSoundRun, DiskRecordingOverItsLimitContinuesInANewNamedFile)
{
    TTonePlayer tone(OutputId, Rate, ToneHz);
    ASSERT_TRUE(tone.Ok);
    State(Main).OpMode() = TMainWin::Recorder;
    State(Main).FileIO().WaveFileMode = 1;
    State(Main).FileIO().MaxDiskRecordingSizeBytes = 100000;
    State(Main).RunState() = TMainWin::Recording;
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Recording);
    // One capture block (a second of frames) passes the limit; a busy machine delivers it late.
    WIN32_FIND_DATAA found;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (const DWORD end = ::GetTickCount() + 30000; h == INVALID_HANDLE_VALUE && ::GetTickCount() < end;) {
        Pump(50);
        h = ::FindFirstFileA(Folder.File("recording_*.wav").c_str(), &found);
    }
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::FindClose(h);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Recording);
    ASSERT_NE(Main->Wave(), nullptr);
    EXPECT_TRUE(Main->Wave()->IsUntitled());
    Main->StopAnalyzer();
    EXPECT_EQ(std::strlen(found.cFileName), std::strlen("recording_2026_01_01_000000.wav"));
    TWaveFile saved(Folder.File(found.cFileName).c_str(), TWaveFile::Memory, 0, Folder.Path.c_str());
    ASSERT_EQ(saved.Error, 0u);
    EXPECT_GT(saved.FramesToBytes(saved.GetHighWaterMark()), 100000u);
}

TEST_F(TSoundRun, DiskRecordingWhoseLimitSaveFailsStopsAndKeepsTheRecording)
{
    TTonePlayer tone(OutputId, Rate, ToneHz);
    ASSERT_TRUE(tone.Ok);
    Main->SetCurrentFolder(TMainWin::WavFolder, Folder.File("missing").c_str());
    State(Main).OpMode() = TMainWin::Recorder;
    State(Main).FileIO().WaveFileMode = 1;
    State(Main).FileIO().MaxDiskRecordingSizeBytes = 100000;
    State(Main).RunState() = TMainWin::Recording;
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Recording);
    Pump(30000, true);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    ASSERT_NE(Main->Wave(), nullptr);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().Text, "Failure writing wave file.");
    const uint32_t frames = Main->Wave()->GetHighWaterMark();
    EXPECT_GT(Main->Wave()->FramesToBytes(frames), 100000u);
    // The kept wave can still be saved elsewhere, whole.
    const std::string target = Folder.File("kept.wav");
    Main->Wave()->SetFileName(target.c_str());
    ASSERT_EQ(Main->Wave()->SaveAs(), 1);
    TWaveFile saved(target.c_str(), TWaveFile::Memory, 0, Folder.Path.c_str());
    ASSERT_EQ(saved.Error, 0u);
    EXPECT_EQ(saved.GetHighWaterMark(), frames);
}

TEST_F(TSoundRun, SegmentEndingAtTheEndOfTheWavePlaysToTheEnd)
{
    State(Main).OpMode() = TMainWin::PostProcess;
    // 1001 frames: an odd segment that ends at the last frame.
    Main->ReplaceWave(std::make_unique<TWaveFile>(1001, Main->GetAnalysisSettings().Format, Folder.Path.c_str()));
    for (uint32_t i = 0; i < 1001; ++i) {
        Main->Wave()->PutSample(int32_t(i), i, 0);
        Main->Wave()->PutSample(int32_t(i), i, 1);
    }
    Main->StartPlayback(0.5f / Rate, Main->Wave()->GetDuration(), Rate, 0);
    ASSERT_NE(Main->PlaybackSegment(), nullptr);
    EXPECT_EQ(Main->IsPlaybackActive(), true);
    EXPECT_EQ(Main->PlaybackSegment()->GetFrameCount(), 1002u);
    EXPECT_EQ(Main->PlaybackSegment()->GetSample(1000, 0, 0), 1000.0f);
    Pump(1000);
    EXPECT_EQ(Main->IsPlaybackActive(), false);
    EXPECT_EQ(Main->PlaybackSegment(), nullptr);
}

TEST(DISABLED_TSoundNoServer, RealTimeStartReportsNoSoundCardAndStaysStopped)
{
    TTempFolder folder;
    std::string program = folder.File("Tonalyx.exe");
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    ASSERT_EQ(::waveInGetNumDevs(), 0u);
    main.ReplaceInputPort(std::make_unique<TSoundInput>(0));
    main.ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
    State(main).OpMode() = TMainWin::RealTime;
    Messages().clear();
    main.StartAnalyzer();
    EXPECT_EQ(main.GetRunState(), TMainWin::Stopped);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().Text, "No Sound Cards were detected on your system.");
}

TEST(DISABLED_TSoundNoServer, RecorderPlaybackWithoutAnOutputReportsAndStaysStopped)
{
    TTempFolder folder;
    std::string program = folder.File("Tonalyx.exe");
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    main.ReplaceInputPort(std::make_unique<TSoundInput>(0));
    main.ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
    State(main).OpMode() = TMainWin::Recorder;
    main.ReplaceWave(std::make_unique<TWaveFile>(Rate, main.GetAnalysisSettings().Format, folder.Path.c_str()));
    Messages().clear();
    State(main).RunState() = TMainWin::Playback;
    main.StartAnalyzer();
    EXPECT_EQ(main.GetRunState(), TMainWin::Stopped);
    EXPECT_FALSE(Messages().empty());
    EXPECT_EQ(main.CaptureBlock(0), nullptr);
}
