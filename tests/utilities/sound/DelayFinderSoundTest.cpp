// The delay finder in Real Time: stereo noise whose left channel lags the
// right by 37 samples, looped into a null sink of the tests' own at 48 kHz
// ("TonalyxDuplex") and recorded through its monitor, so nothing resamples.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSoundPort.h"
#include "framework/TApplication.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "tests/shell/sound/NullSinkTone.h"
#include "tests/utilities/sound/HostShell.h"
#include "utilities/TDelayFinder.h"

namespace {

// The 16-bit frames of a wave file's data chunk.
std::vector<int16_t> WaveFrames(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t at = 12; at + 8 <= bytes.size();) {
        uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        if (bytes.compare(at, 4, "data") == 0 && at + 8 + size <= bytes.size()) {
            std::vector<int16_t> frames(size / 2);
            std::memcpy(frames.data(), bytes.data() + at + 8, frames.size() * 2);
            return frames;
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

}  // namespace

TEST(TDelayFinderSound, RealTimeReadsTheLagOfNoiseThroughTheSink)
{
    const uint32_t inputId = FindSoundDevice(true, "Monitor of TonalyxDuplex");
    const uint32_t outputId = FindSoundDevice(false, "TonalyxDuplex");
    ASSERT_NE(inputId, TSoundPort::NoDevice) << "no sink TonalyxDuplex (scripts/pulse-test-sinks.sh start)";
    ASSERT_NE(outputId, TSoundPort::NoDevice);
    RaiseTestPriority();
    TTempFolder folder;
    const std::string program = folder.File("Tonalyx.exe");
    std::ofstream(folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
    auto main = std::make_unique<TMainWin>(nullptr, program.c_str(), nullptr, *new TClientMain);
    State(main).ViewStatus() = ViewStatusFlags{};
    State(main).Settings().Format = TWaveFormat(48000, 2, 2);
    State(main).Settings().FFTsize = 4096;
    State(main).Settings().ChannelProcessing = 2;
    // 10 ms to cover: blocks of 4096, many a second.
    State(main).DelayFinderOptions().MaxDelayMsec = 10;
    ASSERT_TRUE(main->Create());
    main->Show(SW_SHOW);
    main->SetConfiguredFolder(TMainWin::TmpFolder, folder.Path.c_str());
    main->ReplaceInputPort(std::make_unique<TSoundInput>(inputId));
    main->ReplaceOutputPort(std::make_unique<TSoundOutput>(outputId));
    main->ApplySettings(TMainWin::RefreshKind::Full);
    main->SendMessage(WM_COMMAND, CM_DELAYFINDER);
    ASSERT_NE(main->DelayFinder(), nullptr);

    TLoopPlayer player(outputId, 48000, WaveFrames(std::string(TONALYX_FIXTURES) + "/utilities/noise_left_lags_37.wav"));
    ASSERT_TRUE(player.Ok);
    main->StartAnalyzer();
    ASSERT_EQ(main->GetRunState(), TMainWin::Running);
    {
        // Until 20 blocks are in, or 10 s: the capture may start late on a
        // busy machine.
        static const TMainWin* running;
        static DWORD deadline;
        running = main.get();
        deadline = ::GetTickCount() + 10000;
        TApplication app("Tonalyx");
        app.SetMainWindow(main.get());
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
            if (running->GetBlocksProcessed() >= 20 || int32_t(::GetTickCount() - deadline) > 0) ::PostQuitMessage(0);
        });
        app.MessageLoop();
        ::KillTimer(nullptr, timer);
        app.SetMainWindow(nullptr);
    }
    main->StopAnalyzer();
    EXPECT_GT(main->GetBlocksProcessed(), 5);
    // 37 samples at 48 kHz, the left channel late.
    EXPECT_EQ(main->DelayFinder()->DelayText(), " 0.771 msec");
    main->Destroy();
}
