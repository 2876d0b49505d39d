// Real Time in a main window under the framework's own message loop, from
// the PulseAudio null sink: blocks at the hop, an idle loop that waits, a
// first run after start that reads like the second, and the ambient capture.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/TCapturePosition.h"
#include "base/THeadlessEngineHost.h"
#include "engine/TSoundInput.h"
#include "engine/TSmoothing.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFile.h"
#include "framework/TApplication.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/framework/WindowImage.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/sound/NullSinkTone.h"
#include "tests/utilities/sound/HostShell.h"
#include "views/TSpectrumPlot.h"
#include "tests/shell/TMainWinState.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr double ToneHz = 3000.0;

double Seconds(const FILETIME& t) { return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) * 1e-7; }

// Processor time of the whole process, and of the threads that Wine's sound
// driver runs in it (named "winepulse_..."): on Windows that work is done by
// the system's audio service in a process of its own.
struct TCpuSeconds {
    double Process = 0, SoundDriver = 0;
    double Program() const { return Process - SoundDriver; }
};

TCpuSeconds CpuSeconds()
{
    TCpuSeconds cpu;
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    cpu.Process = Seconds(kernel) + Seconds(user);
    using Describe = HRESULT(WINAPI*)(HANDLE, PWSTR*);
    const auto describe = reinterpret_cast<Describe>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetThreadDescription")));
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (!describe || snapshot == INVALID_HANDLE_VALUE) return cpu;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != ::GetCurrentProcessId()) continue;
        HANDLE thread = ::OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        PWSTR name = nullptr;
        if (SUCCEEDED(describe(thread, &name)) && name && std::wcsncmp(name, L"winepulse", 9) == 0
            && ::GetThreadTimes(thread, &created, &exited, &kernel, &user))
            cpu.SoundDriver += Seconds(kernel) + Seconds(user);
        if (name) ::LocalFree(name);
        ::CloseHandle(thread);
    }
    ::CloseHandle(snapshot);
    return cpu;
}

std::string FirstMessage()
{
    auto& messages = static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
    return messages.empty() ? "" : messages[0].Text;
}

// A main window started as on a fresh clone: in a folder of its own with the
// stored default folders ("..\.\wave" for working files, on disk), 48 kHz
// stereo, FFT 16384, one spectrum view open, capturing the null sink's monitor.
struct TLiveRun : ::testing::Test {
    TTempFolder Folder;
    std::string ExeFolder = Folder.File("windows");
    std::unique_ptr<TMainWin> Main;
    char SavedFolder[MAX_PATH] = {};

    void SetUp() override
    {
        const uint32_t inputId = FindSoundDevice(true, "Monitor of Null Output");
        const uint32_t outputId = FindSoundDevice(false, "Null Output");
        ASSERT_NE(inputId, TSoundPort::NoDevice);
        ASSERT_NE(outputId, TSoundPort::NoDevice);
        ::GetCurrentDirectoryA(sizeof SavedFolder, SavedFolder);
        ::CreateDirectoryA(ExeFolder.c_str(), nullptr);
        ::SetCurrentDirectoryA(ExeFolder.c_str());
        const std::string program = ExeFolder + "\\Tonalyx.exe";
        WriteIni(ExeFolder + "\\Tonalyx.ini", "[Main]\nShowSplashScreen=0\n");
        Main = std::make_unique<TMainWin>(nullptr, program.c_str(), nullptr, *new TClientMain);
        State(Main).Settings().Format = TWaveFormat(Rate, 2, 2);
        State(Main).Settings().FFTsize = 16384;
        State(Main).Settings().ChannelProcessing = 2;
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().SpectrumPlot = 1;
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1024, 640, true);
        // The view fills the frame's client, as its picture in docs/ shows it.
        RECT client;
        ::GetClientRect(Main->GetClientWindow()->GetHandle(), &client);
        if (Main->SpectrumView(0)) Main->SpectrumView(0)->MoveWindow(0, 0, client.right, client.bottom, true);
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(inputId));
        Main->ReplaceOutputPort(std::make_unique<TSoundOutput>(outputId));
        Main->ApplySettings(TMainWin::RefreshKind::Full);
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
        ::SetCurrentDirectoryA(SavedFolder);
        const std::string wave = Folder.File("wave");
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA((wave + "\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do ::DeleteFileA((wave + "\\" + found.cFileName).c_str());
            while (::FindNextFileA(h, &found));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(wave.c_str());
        ::RemoveDirectoryA(ExeFolder.c_str());
    }

    // The framework's message loop with the main window's idle handler, for ms.
    void Run(DWORD ms)
    {
        TApplication app("Tonalyx");
        app.SetMainWindow(Main.get());
        const UINT_PTR timer = ::SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
        app.MessageLoop();
        ::KillTimer(nullptr, timer);
        app.SetMainWindow(nullptr);
    }

    void Start(uint16_t overlap)
    {
        ASSERT_TRUE(Main->SetOverlapPercent(overlap));
        Main->StartAnalyzer();
        ASSERT_EQ(Main->GetRunState(), TMainWin::Running) << FirstMessage();
    }
};

}  // namespace

// The analysis costs the same on silence as on a tone; the monitor of the idle
// sink is read, so that no player in this process adds to the processor time.
TEST_F(TLiveRun, RealTimeAnalysesOneBlockPerHopAndLeavesTheProcessorIdle)
{
    struct Case { uint16_t Overlap; DWORD Ms; };
    for (const Case c : {Case{75, 20000}, Case{50, 10000}}) {
        SCOPED_TRACE(c.Overlap);
        Start(c.Overlap);
        Run(1500);
        const int32_t blocks = Main->GetBlocksProcessed();
        const uint32_t frames = Main->InputPort()->GetRecordedFrames();
        const TCpuSeconds before = CpuSeconds();
        const DWORD begin = ::GetTickCount();
        Run(c.Ms);
        const double seconds = (::GetTickCount() - begin) / 1000.0;
        const TCpuSeconds after = CpuSeconds();
        const double hop = 16384.0 * (100 - c.Overlap) / 100;
        const double blockRate = (Main->GetBlocksProcessed() - blocks) / seconds;
        const double hopRate = Rate / hop;
        const double program = (after.Program() - before.Program()) / seconds;
        const double driver = (after.SoundDriver - before.SoundDriver) / seconds;
        // The sink's clock may run a little off the wall clock: the hops it delivered.
        const double deliveredHops = (Main->InputPort()->GetRecordedFrames() - frames) / hop / seconds;
        std::printf("overlap %d%%: %.2f blocks/s (hop rate %.2f/s, %.2f hops/s delivered), processor %.1f %% of one "
                    "core over %.1f s (and %.1f %% in the sound driver's threads)\n",
                    c.Overlap, blockRate, hopRate, deliveredHops, 100 * program, seconds, 100 * driver);
        EXPECT_NEAR(blockRate, deliveredHops, 0.1 * deliveredHops);
        EXPECT_LT(program, 0.10);
        EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
        Main->StopAnalyzer();
    }
    // The history wave went to the default working folder, made for it.
    const DWORD attributes = ::GetFileAttributesA(Folder.File("wave").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

namespace {

// Whether the capture kept in the history wave lost or repeated samples on
// the way: the tone repeats exactly every 16 samples, so any sample that
// differs from the one a period before is a break in the input (a sound server
// drops some on a loaded machine, which no analyser can read past).
bool InputHadBreaks(TWaveFile* history)
{
    if (!history || history->GetHighWaterMark() < 48000) return true;
    std::vector<int16_t> samples(history->GetHighWaterMark());
    history->ReadFrames(samples.data(), 0, uint32_t(samples.size()), 0);
    for (size_t i = 16; i < samples.size(); ++i)
        if (samples[i] != samples[i - 16]) return true;
    return false;
}

}  // namespace

TEST_F(TLiveRun, FirstRunAfterStartReadsLikeTheSecond)
{
    // -20 dBFS on the left, -6 dBFS on the right (rms of a sine is its peak less 3 dB).
    TTonePlayer tone(FindSoundDevice(false, "Null Output"), Rate, ToneHz, std::sqrt(2.0) * 0.1,
                     std::sqrt(2.0) * 0.501187);
    ASSERT_TRUE(tone.Ok);
    ::Sleep(1500);
    struct Reading { float MeterLeft, MeterRight; std::vector<float> Hold; bool Clean; };
    auto run = [&] {
        Start(75);
        Run(2500);
        EXPECT_TRUE(SaveWindowImage(Main->GetHandle(), std::string(TONALYX_SHOTS) + "/live-spectrum.bmp"));
        Reading r{State(Main).SpectralLeft()->GetOverallLevelPeak(), State(Main).SpectralRight()->GetOverallLevelPeak(), {}, false};
        for (int k = State(Main).SpectralLeft()->GetLowIndex(); k <= State(Main).SpectralLeft()->GetHighIndex(); ++k)
            r.Hold.push_back(State(Main).SpectralLeft()->GetPeakHoldValue(k));
        Main->StopAnalyzer();
        r.Clean = !InputHadBreaks(Main->Wave());
        return r;
    };
    auto compareMeters = [](const Reading& first, const Reading& second) {
        std::printf("meter hold: first %.2f / %.2f dB, second %.2f / %.2f dB\n", first.MeterLeft, first.MeterRight,
                    second.MeterLeft, second.MeterRight);
        EXPECT_NEAR(first.MeterLeft, second.MeterLeft, 1.0);
        EXPECT_NEAR(first.MeterRight, second.MeterRight, 1.0);
    };
    Reading first, second;
    for (int attempt = 0; attempt < 3; ++attempt) {
        // The state a freshly started process has.
        TCapturePosition::Timing = {};
        first = run();
        second = run();
        if (!first.Clean || !second.Clean) continue;
        compareMeters(first, second);
        ASSERT_EQ(first.Hold.size(), second.Hold.size());
        float worst = 0.0f;
        size_t at = 0;
        for (size_t k = 0; k < first.Hold.size(); ++k) {
            // Bins at the quantisation floor of 16-bit samples hold noise peaks of their own.
            if (std::max(first.Hold[k], second.Hold[k]) < -100.0f) continue;
            if (std::fabs(first.Hold[k] - second.Hold[k]) > worst) {
                worst = std::fabs(first.Hold[k] - second.Hold[k]);
                at = k;
            }
        }
        EXPECT_LE(worst, 1.0f) << "bin " << at << ": first " << first.Hold[at] << " dB, second " << second.Hold[at];
        return;
    }
    // A break in the input spreads the tone over the peak-hold curve but leaves
    // a block's power as it was: the meter holds still compare.
    std::printf("the sound server broke the input in every attempt: peak-hold curves not compared\n");
    compareMeters(first, second);
}

// The ambient capture in a run over pink noise: each compensation curve is
// numpy's mean of the power spectra of every whole block, at half-block
// steps, in the two capture buffers the program read (a rectangular window).
TEST_F(TLiveRun, AmbientCaptureWritesTheMeanSpectrumOfTheWholeCapturedBlocks)
{
    const std::string folder = "/tmp/tonalyx-ambient-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(HostFile(folder).c_str(), nullptr);
    struct TRemove {
        std::string Folder;
        ~TRemove() { RunHostShell("rm -r " + Folder); }
    } remove{folder};
    ASSERT_TRUE(RunHostShell("sox -R -n -r 48000 -c 2 -b 16 -e signed -t raw " + folder +
                             "/pink.raw synth 2 pinknoise vol 0.5"));
    const std::string pink = ReadHostFile(folder + "/pink.raw");
    ASSERT_EQ(pink.size(), 48000u * 2 * 2 * 2);
    std::vector<int16_t> frames(pink.size() / 2);
    std::memcpy(frames.data(), pink.data(), pink.size());
    TLoopPlayer player(FindSoundDevice(false, "Null Output"), Rate, std::move(frames));
    ASSERT_TRUE(player.Ok);
    State(Main).Settings().FFTsize = 4096;
    State(Main).Settings().SmoothingWindow = TSmoothing::Uniform;
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    Main->SetConfiguredFolder(TMainWin::MicFolder, HostFile(folder).c_str());
    Start(50);
    Run(2500);
    // With the message loop held the input hands both buffers back and is
    // given neither again: what they hold stays as the capture reads it.
    const TSoundInput& input = *Main->InputPort();
    for (const DWORD end = ::GetTickCount() + 5000;
         !(input.IsBufferDone(0) && input.IsBufferDone(1)) && int32_t(::GetTickCount() - end) < 0;)
        ::Sleep(20);
    ASSERT_TRUE(input.IsBufferDone(0) && input.IsBufferDone(1));
    std::string captured[2];
    for (int slot = 0; slot < 2; ++slot) {
        const TWaveData& block = *Main->CaptureBlock(slot);
        captured[slot].assign(reinterpret_cast<const char*>(block.GetBuffer()), size_t(block.GetFrameCount()) * 4);
        std::ofstream(HostFile(folder + "/capture" + std::to_string(slot) + ".raw"), std::ios::binary)
            << captured[slot];
    }
    Main->CaptureAmbient();
    for (int slot = 0; slot < 2; ++slot)
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(Main->CaptureBlock(slot)->GetBuffer()),
                              captured[slot].size()),
                  captured[slot]);
    Main->StopAnalyzer();
    // Noise, not the silence of a sink that lost it.
    const auto* samples = reinterpret_cast<const int16_t*>(captured[0].data());
    EXPECT_GT(*std::max_element(samples, samples + captured[0].size() / 2), 1000);

    std::string report;
    EXPECT_TRUE(RunHostShell("/usr/bin/python3 " TONALYX_FIXTURES_UNIX "/check_ambient_capture.py 4096 48000 " +
                                 folder + "/AmbientLeft.mic " + folder + "/AmbientRight.mic " + folder +
                                 "/capture0.raw " + folder + "/capture1.raw",
                             &report, 60000))
        << report;
    std::istringstream lines(report);
    int channels = 0;
    for (int channel; lines >> channel;) {
        double worst = 1e9;
        int bins = 0, blocks = 0;
        lines >> worst >> bins >> blocks;
        SCOPED_TRACE(channel);
        std::printf("channel %d: %d bins of %d blocks, worst %.4f dB from numpy\n", channel, bins, blocks, worst);
        EXPECT_LT(worst, 0.01);
        EXPECT_GT(bins, 1000);
        EXPECT_EQ(Main->GetScaling(channel).MicCompEnable, 1u);
        ++channels;
    }
    EXPECT_EQ(channels, 2) << report;
}
