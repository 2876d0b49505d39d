// Real Time on screen: a 3 kHz tone played into the PulseAudio null sink is
// captured from its monitor, and the spectrogram draws its line live.
#include "tests/views/SpectrogramScreen.h"
#include "tests/shell/sound/NullSinkTone.h"

#include <cmath>
#include <cstring>

#include "engine/TSoundInput.h"
#include "tests/shell/TMainWinState.h"

TEST_F(TSpectrogramScreen, RealTimeDrawsTheToneOfTheNullSinkAsItComes)
{
    constexpr uint32_t rate = 48000;
    constexpr double toneHz = 3000.0;
    const uint32_t inputId = FindSoundDevice(true, "Monitor of Null Output");
    const uint32_t outputId = FindSoundDevice(false, "Null Output");
    ASSERT_NE(inputId, TSoundPort::NoDevice);
    ASSERT_NE(outputId, TSoundPort::NoDevice);
    Open(1, 0, 0, TSpectrogram::ScrollImage, TMainWin::RealTime);
    Main->ReplaceInputPort(std::make_unique<TSoundInput>(inputId));
    State(Main).Settings().Format = TWaveFormat(rate, 1, 2);
    State(Main).FileIO().WaveFileMode = 0;
    Main->SetCurrentFolder(TMainWin::TmpFolder, Folder.Path.c_str());
    Main->SetCurrentFolder(TMainWin::WavFolder, Folder.Path.c_str());
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    Pump();

    TTonePlayer tone(outputId, rate, toneHz);
    ASSERT_TRUE(tone.Ok);
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running) << (Host().Messages.empty() ? "" : Host().Messages[0].Text);
    TSpectrogram& view = *Main->SpectrogramView(0);
    // The message loop with its idle passes, until lines carry the tone (the
    // first capture of a process takes a moment to start).
    const auto toneSeen = [&] {
        return std::fabs(State(Main).SpectralLeft()->GetPeakFrequency() - toneHz) <= 2 * State(Main).SpectralLeft()->GetBinWidth();
    };
    const DWORD end = ::GetTickCount() + 20000;
    while ((Main->GetBlocksProcessed() < 24 || !toneSeen()) && ::GetTickCount() < end) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        for (int i = 0; i < 100 && Main->IdleAction(0); ++i) {}
        ::Sleep(2);
    }
    ASSERT_GE(Main->GetBlocksProcessed(), 24);
    ASSERT_NEAR(State(Main).SpectralLeft()->GetPeakFrequency(), toneHz, 2 * State(Main).SpectralLeft()->GetBinWidth());

    // The newest line, read back from the screen while the analyser runs.
    Screenshot shot(view.GetHandle());
    const TLinePeak peak = PeakOfLine(view, shot, view.GraphRect, 0);
    EXPECT_NEAR(peak.Column, view.FindColumn(float(toneHz)), 2);
    EXPECT_GT(view.Scale.Columns[size_t(peak.Column)].Frequency, toneHz - 30.0f);
    EXPECT_GT(peak.Index, BandOfDb(-40.0, view.ColourCount));
    EXPECT_GT(view.History[0].Time, 0.0f);
    Main->StopAnalyzer();
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
}
