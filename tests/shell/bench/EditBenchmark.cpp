// The time of the long edits against the audio's duration: the filter with
// 999 taps over 60 s of 44.1 kHz stereo, and Gain Adjust over 10 minutes of
// stereo, each with the wave in memory and worked on from disk. Each run
// includes its undo copy, as the commands make it. No window exists.
// Beside the filter, scipy's oaconvolve runs the same taps over the same
// samples (filter_oaconvolve.py, started as a Unix process through Wine).
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/TSampleAdjust.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveFilter.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/TMainWinState.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kFilterSeconds = 60;

FilterSettings BenchmarkFilter()
{
    FilterSettings s;
    s.NumTaps = 999;
    return s;
}

// A wave of that many seconds of stereo noise, in memory or on a working file.
std::unique_ptr<TWaveFile> NoiseWave(uint32_t seconds, bool disk, const std::string& folder)
{
    const TWaveFormat format(kRate, 2, 2);
    const uint32_t frames = kRate * seconds;
    auto wave = disk ? std::make_unique<TWaveFile>(format, 0, folder.c_str())
                     : std::make_unique<TWaveFile>(frames, format, folder.c_str());
    std::mt19937 noise(7);
    std::normal_distribution<float> sample(0.0f, 3000.0f);
    std::vector<int16_t> block(2 * kRate);
    wave->Rewind();
    for (uint32_t s = 0; s < seconds; ++s) {
        for (int16_t& v : block)
            v = int16_t(sample(noise));
        wave->WriteStream(block.data(), uint32_t(block.size() * sizeof(int16_t)));
    }
    wave->Rewind();
    return wave;
}

void Measure(const char* name, uint32_t seconds, bool disk, const std::string& folder,
             const std::function<bool(TMainWin&, float)>& edit)
{
    const std::string program = folder + "Tonalyx.exe";
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    State(main).OpMode() = TMainWin::PostProcess;
    State(main).Settings().Format = TWaveFormat(kRate, 2, 2);
    State(main).FileIO().WaveFileMode = disk ? 1 : 0;
    main.ReplaceWave(NoiseWave(seconds, disk, folder));
    const float duration = main.Wave()->GetDuration();
    const auto start = std::chrono::steady_clock::now();
    const bool done = edit(main, duration);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-44s %s %5u s of audio in %7.3f s: %6.1f x real time (%.4f s per audio second)\n", name,
                disk ? "disk  " : "memory", seconds, elapsed, seconds / elapsed, elapsed / seconds);
    if (!done)
        std::printf("  (the edit did not complete)\n");
    main.Wave()->Changed = 0;
    main.ReplaceWave(nullptr);
}

// The wave's samples and the filter's taps into files under /tmp, then the
// reference script over them. Wine starts the Unix process but cannot wait
// for it: the script's lines are awaited as a file.
void MeasureOaconvolve(const std::string& folder)
{
    const std::string samplesPath = "/tmp/tonalyx_edit_benchmark_samples.raw";
    const std::string tapsPath = "/tmp/tonalyx_edit_benchmark_taps.txt";
    const std::string resultPath = "/tmp/tonalyx_edit_benchmark_scipy.txt";
    auto dos = [](const std::string& unix) { return "Z:" + unix; };
    std::unique_ptr<TWaveFile> wave = NoiseWave(kFilterSeconds, false, folder);
    std::vector<int16_t> samples(2 * size_t{wave->GetFrameCount()});
    wave->Rewind();
    wave->ReadStream(samples.data(), uint32_t(samples.size() * sizeof(int16_t)));
    wave->Changed = 0;
    ::DeleteFileA(dos(resultPath).c_str());
    FILE* out = std::fopen(dos(samplesPath).c_str(), "wb");
    FILE* taps = std::fopen(dos(tapsPath).c_str(), "w");
    if (out == nullptr || taps == nullptr) {
        std::printf("(no files under /tmp for scipy)\n");
        return;
    }
    std::fwrite(samples.data(), sizeof(int16_t), samples.size(), out);
    std::fclose(out);
    const TWaveFilter filter(TWaveFormat(kRate, 2, 2), BenchmarkFilter());
    for (int32_t k = 0; k < filter.GetTaps(); ++k)
        std::fprintf(taps, "%.9g\n", filter.GetCoefficients()[k]);
    std::fclose(taps);

    std::string command = std::string("/usr/bin/python3 ") + TONALYX_OACONVOLVE_SCRIPT + " " + samplesPath + " " +
                          tapsPath + " " + std::to_string(kRate) + " 2 " + resultPath;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA("Z:\\usr\\bin\\python3", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        std::printf("(scipy could not be started: /usr/bin/python3 runs only under Wine)\n");
        return;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    std::string lines = "(no result from scipy within two minutes)\n";
    for (int wait = 0; wait < 1200; ++wait) {
        if (FILE* result = std::fopen(dos(resultPath).c_str(), "r")) {
            lines.clear();
            char line[512];
            while (std::fgets(line, sizeof line, result))
                lines += line;
            std::fclose(result);
            break;
        }
        ::Sleep(100);
    }
    std::printf("%s", lines.c_str());
    for (const std::string& path : {samplesPath, tapsPath, resultPath})
        ::DeleteFileA(dos(path).c_str());
}

}  // namespace

int main()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tonalyx_edit_benchmark\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);

    for (bool disk : {false, true}) {
        Measure("Filter, low pass 2 kHz, 999 taps, stereo", kFilterSeconds, disk, folder,
                [](TMainWin& main, float duration) {
                    State(main).Filter() = BenchmarkFilter();
                    return main.FilterSegment(0.0f, duration);
                });
    }
    MeasureOaconvolve(folder);
    for (bool disk : {false, true}) {
        Measure("Gain Adjust +6 dB, stereo", 600, disk, folder, [](TMainWin& main, float duration) {
            const double gain = TSampleAdjust::LinearGain(6.0f);
            return main.AdjustSegment(0.0f, duration, gain, gain, 0.0, 0.0, "Adjusting Signal Gain");
        });
    }
    ::RemoveDirectoryA(folder.c_str());
    return 0;
}
