// Real Time on screen: a 3 kHz tone played into the PulseAudio null sink is
// captured from its monitor, and the spectrum view and status bar show it live.
#include "tests/views/SpectrumScreen.h"

#include <cstring>
#include <vector>

#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "shell/StatusBar.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr double ToneHz = 3000.0;

uint32_t FindDevice(bool input, const char* name)
{
    const uint32_t count = input ? ::waveInGetNumDevs() : ::waveOutGetNumDevs();
    for (uint32_t id = 0; id < count; ++id) {
        char product[MAXPNAMELEN] = {};
        if (input) {
            WAVEINCAPSA caps{};
            if (::waveInGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR) std::strcpy(product, caps.szPname);
        } else {
            WAVEOUTCAPSA caps{};
            if (::waveOutGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR) std::strcpy(product, caps.szPname);
        }
        if (std::string(product).rfind(name, 0) == 0) return id;
    }
    return TSoundPort::NoDevice;
}

// One second of the tone (a whole number of periods), looped into the sink.
class TTonePlayer {
public:
    explicit TTonePlayer(uint32_t device) : Port(device), Samples(2 * Rate)
    {
        for (uint32_t i = 0; i < Rate; ++i)
            Samples[2 * i] = Samples[2 * i + 1]
                = int16_t(std::lround(8000.0 * std::sin(2 * 3.141592653589793 * ToneHz * i / Rate)));
        Port.SetFormat(Rate, 2, 2);
        Ok = Port.Open(nullptr, 0) && Port.WriteBuffer(Samples.data(), uint32_t(Samples.size() * 2), 0, 1)
            && Port.Restart();
    }
    ~TTonePlayer() { Port.Close(); }
    TSoundOutput Port;
    std::vector<int16_t> Samples;
    bool Ok = false;
};

}  // namespace

TEST_F(TSpectrumScreen, RealTimeShowsTheToneOfTheNullSinkWhileRunning)
{
    const uint32_t inputId = FindDevice(true, "Monitor of Null Output");
    const uint32_t outputId = FindDevice(false, "Null Output");
    ASSERT_NE(inputId, TSoundPort::NoDevice);
    ASSERT_NE(outputId, TSoundPort::NoDevice);
    Open(1, 0, TMainWin::RealTime);
    delete Main->SoundInput;
    Main->SoundInput = new TSoundInput(inputId);
    Main->Settings.Format = TWaveFormat(Rate, 1, 2);
    Main->Settings.FFTsize = 4096;
    // The history wave lives in memory, in the test's own folder.
    Main->FileIO.WaveFileMode = 0;
    std::strcpy(Main->CurrentFolders[TMainWin::TmpFolder], Folder.Path.c_str());
    std::strcpy(Main->CurrentFolders[TMainWin::WavFolder], Folder.Path.c_str());
    Main->ApplySettings(0);
    Pump();

    TTonePlayer tone(outputId);
    ASSERT_TRUE(tone.Ok);
    Main->StartAnalyzer();
    ASSERT_EQ(Main->RunState, TMainWin::Running) << (Host().Messages.empty() ? "" : Host().Messages[0].Text);
    // The message loop with its idle passes, until the blocks carry the tone
    // (the first capture of a process takes a moment to start).
    const DWORD end = ::GetTickCount() + 20000;
    while (Main->BlocksProcessed < 16 && ::GetTickCount() < end) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        for (int i = 0; i < 100 && Main->IdleAction(0); ++i) {}
        ::Sleep(2);
    }
    ASSERT_GE(Main->BlocksProcessed, 16);
    EXPECT_EQ(Main->RunState, TMainWin::Running);
    EXPECT_NEAR(Main->SpectralLeft->GetPeakFrequency(), ToneHz, 2 * Main->SpectralLeft->GetBinWidth());

    TSpectrumPlot& view = *Main->SpectrumViews[0];
    ASSERT_EQ(view.Data, Main->SpectralLeft);
    ExpectToneAt(view, view.GraphRect, *Main->SpectralLeft, ToneHz);
    StatusBar& bar = *Main->StatusBarWindow;
    EXPECT_EQ(bar.TextOf(bar.StatusPane), "Running...");
    EXPECT_EQ(bar.TextOf(bar.ModePane), "Real Time");
    EXPECT_EQ(bar.TextOf(bar.RatePane), "48000 Hz");

    Main->StopAnalyzer();
    EXPECT_EQ(Main->RunState, TMainWin::Stopped);
    EXPECT_FALSE(Main->SoundInput->IsOpen());
}
