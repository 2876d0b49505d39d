// Real Time on screen: a 3 kHz tone played into the PulseAudio null sink is
// captured from its monitor, and the spectrum view and status bar show it live.
#include "tests/views/SpectrumScreen.h"
#include "tests/shell/sound/NullSinkTone.h"

#include <cstring>
#include <vector>

#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "shell/StatusBar.h"
#include "tests/shell/TMainWinState.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr double ToneHz = 3000.0;

}  // namespace

TEST_F(TSpectrumScreen, RealTimeShowsTheToneOfTheNullSinkWhileRunning)
{
    const uint32_t inputId = FindSoundDevice(true, "Monitor of Null Output");
    const uint32_t outputId = FindSoundDevice(false, "Null Output");
    ASSERT_NE(inputId, TSoundPort::NoDevice);
    ASSERT_NE(outputId, TSoundPort::NoDevice);
    Open(1, 0, TMainWin::RealTime);
    Main->ReplaceInputPort(std::make_unique<TSoundInput>(inputId));
    State(Main).Settings().Format = TWaveFormat(Rate, 1, 2);
    State(Main).Settings().FFTsize = 4096;
    // The history wave lives in memory, in the test's own folder.
    State(Main).FileIO().WaveFileMode = 0;
    Main->SetCurrentFolder(TMainWin::TmpFolder, Folder.Path.c_str());
    Main->SetCurrentFolder(TMainWin::WavFolder, Folder.Path.c_str());
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    Pump();

    TTonePlayer tone(outputId, Rate, ToneHz);
    ASSERT_TRUE(tone.Ok);
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running) << (Host().Messages.empty() ? "" : Host().Messages[0].Text);
    // The message loop with its idle passes, until the blocks carry the tone
    // (the first capture of a process takes a moment to start).
    const DWORD end = ::GetTickCount() + 20000;
    while (Main->GetBlocksProcessed() < 16 && ::GetTickCount() < end) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        for (int i = 0; i < 100 && Main->IdleAction(0); ++i) {}
        ::Sleep(2);
    }
    ASSERT_GE(Main->GetBlocksProcessed(), 16);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_NEAR(State(Main).SpectralLeft()->GetPeakFrequency(), ToneHz, 2 * State(Main).SpectralLeft()->GetBinWidth());

    TSpectrumPlot& view = *Main->SpectrumView(0);
    ASSERT_EQ(view.Data, State(Main).SpectralLeft());
    ExpectToneAt(view, view.GraphRect, *State(Main).SpectralLeft(), ToneHz);
    StatusBar& bar = *Main->GetStatusBar();
    EXPECT_EQ(bar.TextOf(bar.StatusPane), "Running...");
    EXPECT_EQ(bar.TextOf(bar.ModePane), "Real Time");
    EXPECT_EQ(bar.TextOf(bar.RatePane), "48000 Hz");

    Main->StopAnalyzer();
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    EXPECT_FALSE(Main->InputPort()->IsOpen());
}
