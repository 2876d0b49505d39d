// Blocks per second that the idle handler sustains in Post Process over a
// 60 s stereo wave (FFT 16384, 75 % overlap, both channels), against the
// rate at which the same blocks arrive in real time.
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"

int main()
{
    constexpr uint32_t rate = 48000, seconds = 60;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string program = std::string(temp) + "tonalyx_bench\\Tonalyx.exe";
    ::CreateDirectoryA((std::string(temp) + "tonalyx_bench").c_str(), nullptr);
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    main.SoundInput = new TSoundInput(0);
    main.SoundOutput = new TSoundOutput(0);
    main.OpMode = TMainWin::PostProcess;
    main.Settings.Format = TWaveFormat(rate, 2, 2);
    main.Settings.FFTsize = 16384;
    main.Settings.OverlapPercent = 75;
    main.Settings.ChannelProcessing = 2;
    main.ViewStatus.SpectrumPlot = 1;
    main.WaveFile = new TWaveFile(rate * seconds, main.Settings.Format, temp);
    std::mt19937 noise(5);
    std::normal_distribution<float> sample(0.0f, 3000.0f);
    for (uint32_t i = 0; i < rate * seconds; ++i) {
        main.WaveFile->PutSample(int32_t(sample(noise)), i, 0);
        main.WaveFile->PutSample(int32_t(sample(noise)), i, 1);
    }
    main.WaveFile->Rewind();
    main.ApplySettings(0);

    const auto start = std::chrono::steady_clock::now();
    main.StartAnalyzer();
    while (main.RunState != TMainWin::Stopped) main.IdleAction(0);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double blocksPerSecond = main.BlocksProcessed / elapsed;
    const double realTime = double(rate) / main.Settings.HopSize;
    std::printf("blocks %d in %.3f s: %.1f blocks/s; real time %.2f blocks/s; ratio %.1f\n", main.BlocksProcessed,
                elapsed, blocksPerSecond, realTime, blocksPerSecond / realTime);
    return 0;
}
