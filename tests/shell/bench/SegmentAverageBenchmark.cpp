// Time the average spectrum of a whole 10-minute 48 kHz stereo wave in
// memory takes (FFT 16384, 75 % overlap, both channels), against the
// wave's duration. No window exists: nothing is drawn. Started by
// segment_average_welch.py, which times scipy beside it.
#include <windows.h>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/TMainWinState.h"

int main()
{
    constexpr uint32_t rate = 48000, seconds = 600;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tonalyx_bench\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "Tonalyx.exe";
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    main.ReplaceInputPort(std::make_unique<TSoundInput>(0));
    main.ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
    State(main).OpMode() = TMainWin::PostProcess;
    State(main).Settings().Format = TWaveFormat(rate, 2, 2);
    State(main).Settings().FFTsize = 16384;
    State(main).Settings().OverlapPercent = 75;
    State(main).Settings().ChannelProcessing = 2;
    State(main).ViewStatus().SpectrumPlot = 1;
    main.ReplaceWave(std::make_unique<TWaveFile>(rate * seconds, main.GetAnalysisSettings().Format, folder.c_str()));
    std::mt19937 noise(5);
    std::normal_distribution<float> sample(0.0f, 3000.0f);
    for (uint32_t i = 0; i < rate * seconds; ++i)
        for (uint16_t k = 0; k < 2; ++k)
            main.Wave()->PutSample(int32_t(sample(noise)), i, k);
    main.ApplySettings(TMainWin::RefreshKind::Full);

    const auto start = std::chrono::steady_clock::now();
    main.AverageSpectrumOfSegment(true, 0.0f, float(seconds));
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("average spectrum of %u s: %.3f s, x real time %.1f\n", seconds, elapsed, seconds / elapsed);
    return 0;
}
