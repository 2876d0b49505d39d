// The Edit menu's play commands into the PulseAudio null sink, heard on its
// monitor: a 1 kHz tone selected in a 44.1 kHz wave sounds at 1 kHz, and at
// 500 Hz at half speed and at a typed 22050.9 Hz, its duration stretched
// alike; Loop repeats the segment until Stop. The sink's fastest rate is
// 44.1 kHz, so Double Speed sounds at 2 kHz from a 22,050 Hz wave and is
// refused for a 44.1 kHz one.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/TGetInputDialog.h"
#include "base/THeadlessEngineHost.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "framework/UiHelpers.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/sound/NullSinkTone.h"
#include "tests/shell/TMainWinState.h"

namespace {

// The null sink's own rate: nothing is resampled on the way to its monitor.
constexpr uint32_t Rate = 44100;
constexpr double ToneHz = 1000.0;
constexpr double Seconds = 1.0;
// The capture's block: what the durations are measured in.
constexpr double Block = 0.1;

// What the monitor heard: the span of the tone, and its frequency as the
// median over blocks of 0.1 s of the rising zero crossings of the left
// channel (the sound server drops a few milliseconds now and then).
struct THeard {
    double Seconds = 0.0;
    double Hz = 0.0;
};

THeard Analyse(const std::vector<int16_t>& frames)
{
    const size_t n = frames.size() / 2;
    size_t first = n, last = 0;
    for (size_t i = 0; i < n; ++i) {
        if (std::abs(frames[2 * i]) > 2000) {
            first = std::min(first, i);
            last = i;
        }
    }
    THeard heard;
    if (first >= last) return heard;
    heard.Seconds = double(last - first) / Rate;
    std::vector<double> estimates;
    const size_t block = size_t(Rate * Block);
    for (size_t start = first; start + block <= last; start += block) {
        size_t crossings = 0, firstCrossing = 0, lastCrossing = 0;
        for (size_t i = start + 1; i < start + block; ++i) {
            if (frames[2 * (i - 1)] < 0 && frames[2 * i] >= 0) {
                if (crossings++ == 0) firstCrossing = i;
                lastCrossing = i;
            }
        }
        if (crossings > 1) estimates.push_back(double(crossings - 1) * Rate / double(lastCrossing - firstCrossing));
    }
    if (!estimates.empty()) {
        std::nth_element(estimates.begin(), estimates.begin() + estimates.size() / 2, estimates.end());
        heard.Hz = estimates[estimates.size() / 2];
    }
    return heard;
}

// Types the rate into the Arbitrary Speed prompt once it is open, and presses OK.
const char* TypedRate = "22050.9";
// The modal dialog this thread shows: found among the thread's own windows,
// since the active window belongs to whichever program another test runs.
BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND ThreadDialog()
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, LPARAM(&dialog));
    return dialog;
}

void CALLBACK TypeRate(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ThreadDialog();
    HWND edit = dialog ? ::GetDlgItem(dialog, TGetInputDialog::EditId) : nullptr;
    if (!edit) return;
    ::KillTimer(nullptr, timer);
    ::SetWindowTextA(edit, TypedRate);
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

THeadlessEngineHost& Host()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

struct TPlaybackCommands : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    uint32_t InputId = FindSoundDevice(true, "Monitor of Null Output");
    uint32_t OutputId = FindSoundDevice(false, "Null Output");

    void SetUp() override
    {
        ASSERT_NE(InputId, TSoundPort::NoDevice);
        ASSERT_NE(OutputId, TSoundPort::NoDevice);
        SetStringInstance(::GetModuleHandleA(nullptr));
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n[FileIO]\nHideLogo=TRUE\n";
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).FileIO().WaveFileMode = 0;
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().TimeSeries = 1;
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->ReplaceOutputPort(std::make_unique<TSoundOutput>(OutputId));
        State(Main).OutputDeviceID() = int32_t(OutputId);
        LoadTone(Rate);
    }
    // One second of the tone in both channels at the rate, a third of full
    // scale, open and selected whole.
    void LoadTone(uint32_t rate)
    {
        TWaveFile tone(uint32_t(rate * Seconds), TWaveFormat(rate, 2, 2), Folder.Path.c_str());
        for (uint32_t i = 0; i < uint32_t(rate * Seconds); ++i) {
            const int32_t v = int32_t(std::lround(10000 * std::sin(2 * 3.141592653589793 * ToneHz * i / rate)));
            tone.PutSample(v, i, 0);
            tone.PutSample(v, i, 1);
        }
        const std::string path = Folder.File(("tone_" + std::to_string(rate) + ".wav").c_str());
        tone.SetFileName(path.c_str());
        ASSERT_EQ(tone.Save(), 1);
        Main->OpenWaveFile(path.c_str());
        ASSERT_NE(Main->Wave(), nullptr);
        ASSERT_NE(Main->TimeSeriesView(), nullptr);
        Main->SendMessage(WM_COMMAND, CM_EDITSELECTALL, 0);
        float start = 0.0f, end = 0.0f;
        ASSERT_TRUE(Main->GetSelectedSegment(start, end));
        // The selection ends at the graph's last column, a pixel short of the end.
        ASSERT_NEAR(end - start, Seconds, 0.005);
        ASSERT_EQ(Main->GetAnalysisSettings().Format.SamplingRate, rate);
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
    }

    // What the monitor heard from a little before the command to a while after.
    std::vector<int16_t> Hear(int command, double seconds, int stopAfterMs = 0)
    {
        TMonitorCapture capture(InputId, Rate);
        EXPECT_TRUE(capture.Start());
        std::vector<int16_t> frames = capture.Record(0.3);
        Main->SendMessage(WM_COMMAND, command, 0);
        const DWORD started = ::GetTickCount();
        bool stopped = false;
        const std::vector<int16_t> rest = capture.Record(seconds, [&] {
            if (stopAfterMs && !stopped && ::GetTickCount() - started >= DWORD(stopAfterMs)) {
                Main->SendMessage(WM_COMMAND, CM_ACCELSTOP, 0);
                stopped = true;
            }
        });
        frames.insert(frames.end(), rest.begin(), rest.end());
        return frames;
    }
};

}  // namespace

TEST_F(TPlaybackCommands, EachSpeedSoundsAtItsPitchForItsDuration)
{
    struct Case {
        const char* name;
        uint32_t waveRate;
        int command;
        double factor;  // 0: refused, nothing plays
    };
    const Case cases[] = {{"Play", Rate, CM_PLAY, 1.0},
                          {"Half Speed", Rate, CM_PLAYHALFSPEED, 0.5},
                          {"Arbitrary Speed 22050.9", Rate, CM_PLAYARBITRARYSPEED, 0.5},
                          {"Double Speed of 44.1 kHz", Rate, CM_PLAYDOUBLESPEED, 0.0},
                          {"Double Speed of 22,050 Hz", Rate / 2, CM_PLAYDOUBLESPEED, 2.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.waveRate != Main->GetAnalysisSettings().Format.SamplingRate) {
            Main->Wave()->Changed = 0;
            LoadTone(c.waveRate);
        }
        Host().Messages.clear();
        if (c.command == CM_PLAYARBITRARYSPEED) ::SetTimer(nullptr, 0, 50, TypeRate);
        const THeard heard = Analyse(Hear(c.command, c.factor ? Seconds / c.factor + 1.0 : 1.5));
        if (c.factor == 0.0) {
            EXPECT_EQ(heard.Seconds, 0.0);
            ASSERT_EQ(Host().Messages.size(), 1u);
            EXPECT_EQ(Host().Messages[0].Text, "Sampling rate or bits per sample not supported.");
            continue;
        }
        EXPECT_TRUE(Host().Messages.empty());
        EXPECT_NEAR(heard.Hz, ToneHz * c.factor, ToneHz * c.factor * 0.005);
        EXPECT_NEAR(heard.Seconds, Seconds / c.factor, Block);
    }
    EXPECT_EQ(Main->GetArbitraryPlaybackRate(), 22050u);
}

TEST_F(TPlaybackCommands, LoopRepeatsUntilStop)
{
    ASSERT_NE(Main->GetTransportToolbar(), nullptr);
    const std::vector<int16_t> frames = Hear(CM_PLAYLOOP, 4.0, 2500);
    const THeard heard = Analyse(frames);
    EXPECT_NEAR(heard.Hz, ToneHz, ToneHz * 0.005);
    // Two and a half passes of the one-second segment, then nothing.
    EXPECT_NEAR(heard.Seconds, 2.5, 2 * Block);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
}
