// The generator playing for real into the PulseAudio null sink, its monitor
// captured: the window's states here, the captured signals as WAV files for
// numpy and scipy (check_generator_sound.py).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/THeadlessEngineHost.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"
#include "framework/TApplication.h"
#include "generator/TGeneratorSettings.h"
#include "generator/TSignalGenerator.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/generator/platform/TestGeneratorHost.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/sound/NullSinkTone.h"
#include "tests/shell/TMainWinState.h"

namespace {

// The null sink's own format: nothing is resampled on the way to its monitor.
constexpr uint32_t Rate = 44100;

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void WriteWave(const std::string& path, const std::vector<int16_t>& frames)
{
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = uint32_t(frames.size() * 2);
    out.write("RIFF", 4), u32(36 + bytes), out.write("WAVEfmt ", 8), u32(16), u16(1), u16(2), u32(Rate),
        u32(Rate * 4), u16(4), u16(16), out.write("data", 4), u32(bytes);
    out.write(reinterpret_cast<const char*>(frames.data()), bytes);
}

std::vector<THeadlessEngineHost::Message>& Messages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

struct TGeneratorSound : ::testing::Test {
    TApplication App{"Tonalyx"};
    TTempFolder Folder;
    TTestGeneratorHost Host;
    uint32_t InputId = FindSoundDevice(true, "Monitor of Null Output");
    uint32_t OutputId = FindSoundDevice(false, "Null Output");
    std::unique_ptr<TSignalGenerator> Generator;

    void SetUp() override
    {
        ASSERT_NE(InputId, TSoundPort::NoDevice);
        ASSERT_NE(OutputId, TSoundPort::NoDevice);
        Host.Ini = Folder.File("Tonalyx.ini");
        Host.Format = TWaveFormat(Rate, 2, 2);
        Messages().clear();
    }
    void TearDown() override { Generator.reset(); }

    // A generator whose left channel is set by edit and whose right is digital zero.
    TSignalGenerator& Open(const std::function<void(SignalParams&, OutputLevelStruct&)>& edit)
    {
        Generator = std::make_unique<TSignalGenerator>(nullptr, Host, OutputId, Host.Ini.c_str());
        TGeneratorSettings::Defaults(Generator->Left, Generator->Right, Generator->Level);
        Generator->Right.SigType = DigitalZeroSignal;
        edit(Generator->Left, Generator->Level);
        TGeneratorSettings::DeriveToneAmplitudes(Generator->Left);
        Generator->Attr.Style &= ~WS_VISIBLE;
        EXPECT_TRUE(Generator->Create());
        EXPECT_NE(Generator->GetSignal(), nullptr);
        return *Generator;
    }

    // Plays the generator while its monitor records, past the first second,
    // in which the sound system's streams still settle.
    std::vector<int16_t> Play(const char* name, double seconds)
    {
        TMonitorCapture capture(InputId, Rate);
        EXPECT_TRUE(capture.Start());
        Generator->StartOutput();
        EXPECT_TRUE(Generator->IsPlaying()) << name;
        capture.Record(1.0);
        std::vector<int16_t> frames = capture.Record(seconds);
        EXPECT_EQ(frames.size(), size_t(seconds * Rate) * 2) << name;
        EXPECT_TRUE(Generator->IsPlaying()) << name;
        Generator->StopOutput();
        WriteWave(std::string(TONALYX_GENERATOR_SOUND_OUT) + "\\" + name + ".wav", frames);
        return frames;
    }
};

}  // namespace

TEST_F(TGeneratorSound, StationarySignalsPlayAtTheirLevels)
{
    struct TCase {
        const char* Name;
        double Seconds;
        std::function<void(SignalParams&, OutputLevelStruct&)> Edit;
    } cases[] = {
        {"tone_dbfs", 1.5, [](SignalParams& p, OutputLevelStruct& l) {
             p.SigType = Tone1kSignal;
             l.OutputLevel = -6.0f;
         }},
        {"tone_dbv", 1.5, [](SignalParams& p, OutputLevelStruct& l) {
             p.SigType = Tone1kSignal;
             l.OutputUnits = DbvUnits;
             l.FSOption = FullScaleTyped;
             l.FSLevel = 2.0f;
             l.OutputLevel = -12.0f;
         }},
        {"tones", 1.5, [](SignalParams& p, OutputLevelStruct&) {
             p.SigType = MultipleTonesSignal;
             p.Tones[0] = {1, 500.0f, 0.0f, 0.0f};
             p.Tones[1] = {1, 2000.0f, -6.0f, 0.0f};
             p.Tones[2] = {1, 7000.0f, -20.0f, 0.0f};
         }},
        {"imd1", 1.5, [](SignalParams& p, OutputLevelStruct&) { p.SigType = IMDTonesSignal; }},
        {"pink", 4.0, [](SignalParams& p, OutputLevelStruct&) { p.SigType = PinkNoiseSignal; }},
        {"white", 4.0, [](SignalParams& p, OutputLevelStruct&) { p.SigType = WhiteNoiseSignal; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Open(c.Edit);
        Play(c.Name, c.Seconds);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TGeneratorSound, SweepsAndKeysPlayTheirCourse)
{
    struct TCase {
        const char* Name;
        double Seconds;
        std::function<void(SignalParams&, OutputLevelStruct&)> Edit;
    } cases[] = {
        {"lin_sweep", 3.0, [](SignalParams& p, OutputLevelStruct&) {
             p.SigType = FreqSweepSignal;
             p.FreqSweep.FStopHz = 5000.0f;
             p.FreqSweep.TimeMSec = 2000;
         }},
        {"log_sweep", 3.0, [](SignalParams& p, OutputLevelStruct&) {
             p.SigType = FreqSweepSignal;
             p.FreqSweep.SweepType = 2;
             p.FreqSweep.FStartHz = 100.0f;
             p.FreqSweep.FStopHz = 10000.0f;
             p.FreqSweep.TimeMSec = 2000;
         }},
        {"level_sweep", 3.0, [](SignalParams& p, OutputLevelStruct&) {
             p.SigType = LevelSweepSignal;
             p.LevelSweep.StartDB = -40.0f;
             p.LevelSweep.TimeMSec = 2000;
         }},
        {"dtmf", 4.0, [](SignalParams& p, OutputLevelStruct&) {
             p.SigType = DTMFSignal;
             p.DTMF.RepeatFlag = 1;
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Open(c.Edit);
        Play(c.Name, c.Seconds);
    }
}

TEST_F(TGeneratorSound, ContinuousSignalPlaysPastItsBlockOnEitherPort)
{
    // The IMD pair's block is one second; three play, looped or in two halves.
    for (uint32_t looping : {1u, 0u}) {
        SCOPED_TRACE(looping);
        TSignalGenerator& g = Open([](SignalParams& p, OutputLevelStruct&) { p.SigType = IMDTonesSignal; });
        ASSERT_EQ(g.GetSignal()->GetFrameCount(), Rate);
        g.GetOutputPort()->Quirks.quirkA = looping;
        Play(looping ? "continuous_loop" : "continuous_halves", 3.0);
    }
}

TEST_F(TGeneratorSound, SingleSweepPlaysOnceAndTheWindowStops)
{
    for (uint32_t looping : {1u, 0u}) {
        SCOPED_TRACE(looping);
        TSignalGenerator& g = Open([](SignalParams& p, OutputLevelStruct&) {
            p.SigType = FreqSweepSignal;
            p.FreqSweep.TimeMSec = 500;
            p.FreqSweep.SingleSweepFlag = 1;
        });
        g.GetOutputPort()->Quirks.quirkA = looping;
        TMonitorCapture capture(InputId, Rate);
        ASSERT_TRUE(capture.Start());
        capture.Record(0.2);
        g.StartOutput();
        ASSERT_TRUE(g.IsPlaying());
        EXPECT_EQ(g.GetWindowRect().Width(), TSignalGenerator::PlayingWidth);
        EXPECT_EQ(g.GetWindowRect().Height(), TSignalGenerator::PlayingHeight);
        EXPECT_EQ(g.GetWindowText(), "");
        // The one sweep, then the stopped layout by the buffer-done notice alone.
        const std::vector<int16_t> frames = capture.Record(2.0);
        EXPECT_FALSE(g.IsPlaying());
        EXPECT_EQ(g.GetWindowRect().Width(), TSignalGenerator::StoppedWidth);
        EXPECT_EQ(g.GetWindowRect().Height(), TSignalGenerator::StoppedHeight);
        EXPECT_EQ(g.GetWindowText(), "Signal Generator");
        WriteWave(std::string(TONALYX_GENERATOR_SOUND_OUT) + (looping ? "\\single_loop.wav" : "\\single_halves.wav"),
                  frames);
    }
}

TEST_F(TGeneratorSound, RealTimeAnalyserShowsThePlayingTone)
{
    TTempFolder folder;
    const std::string program = folder.File("Tonalyx.exe");
    WriteIni(folder.File("Tonalyx.ini"), "[Main]\nShowSplashScreen=0\nSigType=4\nSigTypeR=4\n[Tones]\nFreqHz0=3150.0\n"
                                        "[TonesR]\nFreqHz0=3150.0\n[Level]\nOutputLevel=-10.0\n");
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    // The frame makes its ports for these devices when it is created.
    State(main).InputDeviceID() = int32_t(InputId);
    State(main).OutputDeviceID() = int32_t(OutputId);
    State(main).Settings().Format = TWaveFormat(Rate, 2, 2);
    State(main).Settings().FFTsize = 4096;
    State(main).Settings().ChannelProcessing = 2;
    State(main).FileIO().WaveFileMode = 0;
    main.SetCurrentFolder(TMainWin::TmpFolder, folder.Path.c_str());
    State(main).OpMode() = TMainWin::RealTime;
    ASSERT_TRUE(main.Create());
    ASSERT_NE(main.SpectrumView(0), nullptr);
    main.CmSignalGenerator();
    ASSERT_NE(main.SignalGenerator(), nullptr);
    main.ApplySettings(TMainWin::RefreshKind::Full);
    main.StartAnalyzer();
    ASSERT_EQ(main.GetRunState(), TMainWin::Running) << (Messages().empty() ? "" : Messages()[0].Text);
    // The analyser started the generator beside its capture; the tone
    // reaches the monitor after the sound system's latency.
    EXPECT_TRUE(main.SignalGenerator()->IsPlaying());
    // Two seconds at least; longer only when a busy machine holds the capture back.
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 2000 || (main.GetBlocksProcessed() < 8 && ::GetTickCount() - start < 10000)) {
        Pump();
        main.IdleAction(0);
        ::Sleep(5);
    }
    ASSERT_GE(main.GetBlocksProcessed(), 8);
    EXPECT_NEAR(State(main).SpectralLeft()->GetPeakFrequency(), 3150.0f, 2 * State(main).SpectralLeft()->GetBinWidth());
    main.StopAnalyzer();
    EXPECT_FALSE(main.SignalGenerator()->IsPlaying());
    main.Destroy();
}
