// The time series view's cost: the layout and full drawing of a 10-minute
// 48 kHz stereo wave shown whole over 1050 columns, with the wave in memory
// and on disk, and one live trace update of two 65536-sample analysis blocks.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "engine/TSeriesData.h"
#include "framework/TClientDC.h"
#include "framework/UiHelpers.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "views/TSeriesPlot.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr uint32_t Seconds = 600;
constexpr int GraphWidth = 1050;
constexpr int Repeats = 5;

// A stereo 16-bit wave of two slow sweeps, written straight as RIFF.
void WriteWave(const std::string& path)
{
    const uint32_t frames = Rate * Seconds;
    const uint32_t bytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(Rate);
    u32(Rate * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    std::vector<int16_t> block(2 * Rate);
    for (uint32_t s = 0; s < Seconds; ++s) {
        for (uint32_t i = 0; i < Rate; ++i) {
            const double t = s + double(i) / Rate;
            block[2 * i] = int16_t(20000 * std::sin(2 * 3.141592653589793 * (50 + t) * t));
            block[2 * i + 1] = int16_t(12000 * std::sin(2 * 3.141592653589793 * 440 * t));
        }
        out.write(reinterpret_cast<const char*>(block.data()), std::streamsize(block.size() * 2));
    }
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class F>
double Milliseconds(F f)
{
    std::vector<double> times;
    for (int i = 0; i < Repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(times);
}

// A main window showing the time series view, graph area GraphWidth wide.
struct TBench {
    std::string Folder;
    TMainWin Main;
    TSeriesPlot* View = nullptr;

    explicit TBench(const std::string& folder)
        : Folder(folder), Main(nullptr, (folder + "\\Tonalyx.exe").c_str(), nullptr, *new TClientMain)
    {
        Main.ViewStatus = ViewStatusFlags{};
        Main.ViewStatus.TimeSeries = 1;
        Main.OpMode = TMainWin::PostProcess;
        std::snprintf(Main.ConfiguredFolders[TMainWin::TmpFolder], TMainWin::PathSize, "%s", folder.c_str());
        Main.Create();
        Main.Show(SW_SHOW);
        Main.MoveWindow(0, 0, 1280, 1000, true);
        View = Main.TimeSeriesView;
        View->MoveWindow(0, 0, 1200, 800, true);
        View->MoveWindow(0, 0, 1200 + GraphWidth - View->GraphRect.Width(), 800, true);
    }
    ~TBench() { Main.Destroy(); }

    double LayoutAndDraw(const std::string& wave, int mode)
    {
        Main.FileIO.WaveFileMode = mode;
        Main.FileIO.MakeBackup = 0;
        Main.OpenWaveFile(wave.c_str());
        const double ms = Milliseconds([&] { View->UpdateLayout(); });
        std::printf("%s, %d pane(s), %zu points a pane: ", mode ? "on disk" : "in memory", View->PaneMode,
                    View->Trace[0].size());
        return ms;
    }
};

}  // namespace

int main()
{
    SetStringInstance(::GetModuleHandleA(nullptr));
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tonalyx_series_bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string wave = folder + "\\ten_minutes.wav";
    WriteWave(wave);

    TBench bench(folder);
    std::printf("graph %d columns, %u frames a channel\n", bench.View->GraphRect.Width(), Rate * Seconds);
    for (int mode : {0, 1})
        std::printf("layout and full draw %.1f ms\n", bench.LayoutAndDraw(wave, mode));

    // Live: two analysis blocks of 65536 samples, shown as they arrive.
    TMainWin& main = bench.Main;
    main.CloseWaveFile();
    main.Settings.Format = TWaveFormat(Rate, 2, 2);
    main.Settings.FFTsize = 65536;
    main.Settings.ChannelProcessing = 2;
    main.ApplySettings(TMainWin::RefreshKind::Full);
    main.SeriesLiveBlock = 1;
    for (TSeriesData* block : {main.SeriesLeft, main.SeriesRight})
        for (uint32_t i = 0; i < block->GetLength(); ++i)
            block->PutSample(i, int32_t(15000 * std::sin(0.01 * i)));
    bench.View->UpdateLayout();
    TClientDC dc(bench.View->GetHandle());
    std::printf("one live update at FFT 65536, %d pane(s): %.2f ms\n", bench.View->PaneMode,
                Milliseconds([&] { bench.View->UpdateTraces(dc); }));
    ::DeleteFileA(wave.c_str());
    return 0;
}
