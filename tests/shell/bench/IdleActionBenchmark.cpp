// Blocks per second that the idle handler sustains in Post Process over a
// 60 s stereo wave, against the rate at which the same blocks arrive in real
// time: FFT 16384 with 75 % overlap, both channels (mode 2), narrowband, with
// the wave in memory and worked on from disk; and FFT 65536 in 1/3-octave
// bands. The spectrum view's flag is set, so spectra are computed; no window
// exists, so nothing is drawn. The last runs do the first (the wave in memory)
// on screen: the frame with its toolbars and status bar and an open spectrum
// view, with the messages dispatched between idle slices as the message loop
// does; once with the view's stored redraw interval, once drawing every
// block. A 60 s wave is a fraction of a second of work, where the start and
// the stop weigh; the first and the on-screen run are repeated over 10 minutes.
#include <windows.h>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "framework/TApplication.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/TMainWinState.h"

namespace {

constexpr uint32_t kRate = 48000;
constexpr uint32_t kSeconds = 60, kLongSeconds = 600;

struct Run {
    const char* name;
    uint32_t fftSize;
    uint16_t freqScale;
    bool disk;
    bool onScreen;
    const char* redrawInterval = "0.02";
    uint32_t seconds = kSeconds;
};

void DispatchMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Report(const Run& run, const TMainWin& main, double elapsed)
{
    const double blocksPerSecond = main.GetBlocksProcessed() / elapsed;
    const double realTime = double(kRate) / main.GetAnalysisSettings().HopSize;
    std::printf("%-40s blocks %5d in %6.3f s: %8.1f blocks/s; real time %6.2f blocks/s; ratio %6.1f\n", run.name,
                main.GetBlocksProcessed(), elapsed, blocksPerSecond, realTime, blocksPerSecond / realTime);
}

void MeasureOnScreen(const Run& run, const std::string& folder, const std::string& wave)
{
    const std::string program = folder + "Tonalyx.exe";
    if (FILE* ini = std::fopen((folder + "Tonalyx.ini").c_str(), "w")) {
        // The wave in memory, as in the headless run it is set beside.
        std::fprintf(ini,
                     "[Main]\nShowSplashScreen=0\n[FileIO]\nWaveFileMode=0\n[ViewStatus]\nSpectrumPlot=0\n"
                     "[SpectrumOpts]\nIntervalSecs=%s\n",
                     run.redrawInterval);
        std::fclose(ini);
    }
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    State(main).OpMode() = TMainWin::PostProcess;
    for (int f : {TMainWin::WavFolder, TMainWin::TmpFolder, TMainWin::CfgFolder, TMainWin::CalFolder}) {
        main.SetConfiguredFolder(f, folder.c_str());
        main.SetCurrentFolder(f, folder.c_str());
    }
    if (!main.Create()) {
        std::printf("%-40s no display\n", run.name);
        return;
    }
    main.Show(SW_SHOW);
    main.MoveWindow(0, 0, 1200, 950, true);
    State(main).Settings().FFTsize = run.fftSize;
    State(main).Settings().OverlapPercent = 75;
    State(main).Settings().ChannelProcessing = 2;
    main.OpenWaveFile(wave.c_str());
    main.CmViewSpectrum();
    main.ApplySettings(TMainWin::RefreshKind::Full);
    DispatchMessages();

    // Where the time on screen goes: the start (with its first block), the
    // messages (paints of what the start changed, and the loop's own peeks),
    // and the idle passes (blocks, their redraws and the read-outs).
    const auto start = std::chrono::steady_clock::now();
    const auto since = [&start] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    main.StartAnalyzer();
    const double started = since();
    double messages = 0.0, passes = 0.0;
    long idleCount = 0;
    while (main.GetRunState() != TMainWin::Stopped) {
        const double before = since();
        DispatchMessages();
        const double dispatched = since();
        TApplication::IdleSlice([&main](long count) { return main.IdleAction(count); }, idleCount);
        messages += dispatched - before;
        passes += since() - dispatched;
    }
    Report(run, main, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    std::printf("%-40s start %.1f ms, messages %.1f ms, idle passes %.1f ms\n", "", started, messages, passes);
    if (main.Wave())
        main.Wave()->Changed = 0;
    main.Destroy();
}

// Gaussian noise, the same for every run, as interleaved 16-bit frames; a
// shorter run takes the first of them.
std::vector<int16_t> Noise()
{
    std::mt19937 noise(5);
    std::normal_distribution<float> sample(0.0f, 3000.0f);
    std::vector<int16_t> frames(2 * size_t{kRate} * kLongSeconds);
    for (int16_t& s : frames)
        s = int16_t(sample(noise));
    return frames;
}

// A plain RIFF WAVE file of the first seconds of the frames, for the runs
// that open a file.
std::string WriteWave(const std::string& folder, const std::vector<int16_t>& frames, uint32_t seconds)
{
    const std::string path = folder + "idle_benchmark_" + std::to_string(seconds) + ".wav";
    const uint32_t dataBytes = uint32_t(2 * size_t{kRate} * seconds * sizeof(int16_t));
    const uint32_t riffBytes = 36 + dataBytes;
    const uint16_t pcm = 1, channels = 2, blockAlign = 4, bits = 16;
    const uint32_t fmtBytes = 16, byteRate = kRate * blockAlign;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite("RIFF", 1, 4, f);
        std::fwrite(&riffBytes, 4, 1, f);
        std::fwrite("WAVEfmt ", 1, 8, f);
        std::fwrite(&fmtBytes, 4, 1, f);
        std::fwrite(&pcm, 2, 1, f);
        std::fwrite(&channels, 2, 1, f);
        std::fwrite(&kRate, 4, 1, f);
        std::fwrite(&byteRate, 4, 1, f);
        std::fwrite(&blockAlign, 2, 1, f);
        std::fwrite(&bits, 2, 1, f);
        std::fwrite("data", 1, 4, f);
        std::fwrite(&dataBytes, 4, 1, f);
        std::fwrite(frames.data(), 1, dataBytes, f);
        std::fclose(f);
    }
    return path;
}

void Measure(const Run& run, const std::string& folder, const std::vector<int16_t>& frames, const std::string& wave)
{
    const std::string program = folder + "Tonalyx.exe";
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    main.ReplaceInputPort(std::make_unique<TSoundInput>(0));
    main.ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
    State(main).OpMode() = TMainWin::PostProcess;
    State(main).Settings().Format = TWaveFormat(kRate, 2, 2);
    State(main).Settings().FFTsize = run.fftSize;
    State(main).Settings().OverlapPercent = 75;
    State(main).Settings().ChannelProcessing = 2;
    for (ScalingStruct& scaling : State(main).Scaling()) {
        scaling.FreqScaleType = run.freqScale;
        scaling.OctaveNumber = 3;
    }
    State(main).ViewStatus().SpectrumPlot = 1;
    if (run.disk) {
        main.ReplaceWave(std::make_unique<TWaveFile>(wave.c_str(), TWaveFile::Disk, 0, folder.c_str()));
    } else {
        main.ReplaceWave(std::make_unique<TWaveFile>(kRate * run.seconds, main.GetAnalysisSettings().Format, folder.c_str()));
        for (uint32_t i = 0; i < kRate * run.seconds; ++i) {
            main.Wave()->PutSample(frames[2 * size_t{i}], i, 0);
            main.Wave()->PutSample(frames[2 * size_t{i} + 1], i, 1);
        }
    }
    main.Wave()->Rewind();
    main.ApplySettings(TMainWin::RefreshKind::Full);

    const auto start = std::chrono::steady_clock::now();
    main.StartAnalyzer();
    while (main.GetRunState() != TMainWin::Stopped)
        main.IdleAction(0);
    Report(run, main, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace

int main(int argc, char** argv)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tonalyx_bench\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::vector<int16_t> frames = Noise();
    const Run runs[] = {
        {"FFT 16384, 75 %, mode 2, memory", 16384, 1, false, false},
        {"FFT 16384, 75 %, mode 2, disk", 16384, 1, true, false},
        {"FFT 65536, 75 %, mode 2, 1/3 octave", 65536, 2, false, false},
        {"FFT 16384, 75 %, mode 2, on screen", 16384, 1, false, true},
        {"FFT 16384, 75 %, mode 2, on screen, all drawn", 16384, 1, false, true, "0"},
        {"FFT 16384, 75 %, mode 2, memory, 10 min", 16384, 1, false, false, "0.02", kLongSeconds},
        {"FFT 16384, 75 %, mode 2, on screen, 10 min", 16384, 1, false, true, "0.02", kLongSeconds},
    };
    // An argument picks one run by its number (for profiling).
    const int only = argc > 1 ? std::atoi(argv[1]) : -1;
    for (int i = 0; i < int(std::size(runs)); ++i)
        if (only < 0 || only == i) {
            const Run& run = runs[i];
            const bool file = run.onScreen || run.disk;
            const std::string wave = file ? WriteWave(folder, frames, run.seconds) : std::string();
            if (run.onScreen)
                MeasureOnScreen(run, folder, wave);
            else
                Measure(run, folder, frames, wave);
            if (file)
                ::DeleteFileA(wave.c_str());
        }
    return 0;
}
