// The time series view's cost: the layout and full drawing of a 10-minute
// 48 kHz stereo wave shown whole over 1050 columns, with the wave in memory
// and on disk, and of a 30-minute 192 kHz stereo 24-bit wave on disk
// (2.07 GB), each with the min/max summary and with every frame read (as
// without one); the summary's build time and memory, the bare polylines of
// the traces (the window system's own share of a draw); and one live trace
// update of two 65536-sample analysis blocks. "--short" leaves out the long
// wave; "--one-hour" adds a one-hour wave of the same format on disk
// (4.15 GB, near the RIFF limit), which takes that much disk and a minute or
// two to write, so it runs only when asked.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "engine/TSeriesData.h"
#include "engine/TWaveFile.h"
#include "framework/TClientDC.h"
#include "framework/UiHelpers.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "views/TSeriesPlot.h"
#include "tests/shell/TMainWinState.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr uint32_t Seconds = 600;
constexpr uint32_t LongRate = 192000;
constexpr uint32_t LongSeconds = 1800;
constexpr uint32_t HourSeconds = 3600;
constexpr int GraphWidth = 1050;
constexpr int Repeats = 5;

void PutSample(std::vector<char>& out, size_t at, int32_t v, int bytes)
{
    for (int b = 0; b < bytes; ++b)
        out[at + size_t(b)] = char(v >> (8 * b));
}

// A stereo wave of a slow sweep and a tone, written straight as RIFF.
void WriteWave(const std::string& path, uint32_t rate, uint32_t seconds, int bytesPerSample)
{
    const uint32_t frames = rate * seconds;
    const uint32_t frameBytes = 2 * uint32_t(bytesPerSample);
    const uint32_t bytes = frames * frameBytes;
    const double full = bytesPerSample == 3 ? 8388607.0 : 32767.0;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(rate);
    u32(rate * frameBytes);
    u16(uint16_t(frameBytes));
    u16(uint16_t(8 * bytesPerSample));
    out.write("data", 4);
    u32(bytes);
    std::vector<char> block(size_t(rate) * frameBytes);
    for (uint32_t s = 0; s < seconds; ++s) {
        for (uint32_t i = 0; i < rate; ++i) {
            // The sweep's phase restarts each minute, so that it stays exact in doubles.
            const double t = (s % 60) + double(i) / rate;
            PutSample(block, size_t(i) * frameBytes, int32_t(0.6 * full * std::sin(2 * 3.141592653589793 * (50 + t) * t)),
                      bytesPerSample);
            PutSample(block, size_t(i) * frameBytes + size_t(bytesPerSample),
                      int32_t(0.35 * full * std::sin(2 * 3.141592653589793 * 440 * t)), bytesPerSample);
        }
        out.write(block.data(), std::streamsize(block.size()));
    }
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class F>
double Milliseconds(F f, int repeats = Repeats)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
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
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).ViewStatus().TimeSeries = 1;
        State(Main).OpMode() = TMainWin::PostProcess;
        Main.SetConfiguredFolder(TMainWin::TmpFolder, folder.c_str());
        Main.Create();
        Main.Show(SW_SHOW);
        Main.MoveWindow(0, 0, 1280, 1000, true);
        View = Main.TimeSeriesView();
        View->MoveWindow(0, 0, 1200, 800, true);
        View->MoveWindow(0, 0, 1200 + GraphWidth - View->GraphRect.Width(), 800, true);
    }
    ~TBench() { Main.Destroy(); }

    // The open (which builds the summary) and the drawing with and without it.
    void LayoutAndDraw(const std::string& wave, int mode, const char* name)
    {
        State(Main).FileIO().WaveFileMode = mode;
        State(Main).FileIO().MakeBackup = 0;
        const auto start = std::chrono::steady_clock::now();
        Main.OpenWaveFile(wave.c_str());
        if (!Main.Wave()) {
            std::printf("%s: not opened\n", name);
            return;
        }
        const double open = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        TWaveFile& file = *Main.Wave();
        // The view keeps the frames it showed of the last wave: show this one whole.
        View->CmZoomFull();
        const double wide = Milliseconds([&] { View->UpdateLayout(); });
        const std::vector<TCurvePoint> summarised[2] = {View->Trace[0], View->Trace[1]};
        std::printf("%s %s, %d pane(s), %zu points a pane: open %.0f ms\n", name, mode ? "on disk" : "in memory",
                    View->PaneMode, View->Trace[0].size(), open);
        // The summary alone, built again from the frames.
        file.SetSummaryEnabled(false);
        file.SetSummaryEnabled(true);
        const auto build = std::chrono::steady_clock::now();
        file.RefreshSummary();
        const double built = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - build).count();
        const double waveBytes = double(file.GetFrameCount()) * file.GetFormat().BytesPerFrame();
        std::printf("  summary: built in %.0f ms, %.2f MB = 1/%.0f of the wave's %.1f MB\n", built,
                    file.GetSummary().MemoryBytes() / 1e6, waveBytes / double(file.GetSummary().MemoryBytes()),
                    waveBytes / 1e6);
        TClientDC dc(View->GetHandle());
        const int repeats = mode && waveBytes > 1e9 ? 1 : Repeats;
        // The traces alone: built from the wave and drawn over the last ones.
        const double traces = Milliseconds([&] { View->UpdateTraces(dc); });
        // What the window system itself takes to draw the traces: the bare
        // polylines, the floor of any full draw.
        const double lines = Milliseconds([&] {
            for (const std::vector<TCurvePoint>& trace : View->Trace)
                ::Polyline(dc, reinterpret_cast<const POINT*>(trace.data()), int(trace.size()));
        });
        std::printf("  layout and full draw with the summary %.1f ms, of which the traces %.1f ms"
                    " (their bare polylines %.1f ms)\n",
                    wide, traces, lines);
        // Where a full draw's time goes: the frame's layout (panes, scroll
        // bar, range), the traces built, and the whole view painted.
        const double frame = Milliseconds([&] { View->TPlotBase::UpdateLayout(); });
        const double rebuilt = Milliseconds([&] { View->BuildTraces(); });
        const double painted = Milliseconds([&] {
            View->Invalidate(true);
            View->UpdateWindow();
        });
        std::printf("  parts: frame layout %.1f ms, traces built %.1f ms, view painted %.1f ms\n", frame, rebuilt,
                    painted);
        file.SetSummaryEnabled(false);
        const double plain = Milliseconds([&] { View->UpdateLayout(); }, repeats);
        const double plainTraces = Milliseconds([&] { View->UpdateTraces(dc); }, repeats);
        std::printf("  layout and full draw reading every frame %.1f ms, of which the traces %.1f ms (traces %s)\n",
                    plain, plainTraces,
                    View->Trace[0] == summarised[0] && View->Trace[1] == summarised[1] ? "equal" : "DIFFER");
        file.SetSummaryEnabled(true);
        Main.CloseWaveFile();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const std::string option = argc > 1 ? argv[1] : "";
    const bool brief = option == "--short";
    const bool hour = option == "--one-hour";
    SetStringInstance(::GetModuleHandleA(nullptr));
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tonalyx_series_bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string wave = folder + "\\ten_minutes.wav";
    WriteWave(wave, Rate, Seconds, 2);

    TBench bench(folder);
    std::printf("graph %d columns\n", bench.View->GraphRect.Width());
    for (int mode : {0, 1})
        bench.LayoutAndDraw(wave, mode, "10 minutes 48 kHz stereo 16-bit");
    const std::string longWave = folder + "\\long.wav";
    if (!brief) {
        WriteWave(longWave, LongRate, LongSeconds, 3);
        bench.LayoutAndDraw(longWave, 1, "30 minutes 192 kHz stereo 24-bit");
        ::DeleteFileA(longWave.c_str());
    }
    if (hour) {
        WriteWave(longWave, LongRate, HourSeconds, 3);
        bench.LayoutAndDraw(longWave, 1, "one hour 192 kHz stereo 24-bit");
        ::DeleteFileA(longWave.c_str());
    }

    // Live: two analysis blocks of 65536 samples, shown as they arrive.
    TMainWin& main = bench.Main;
    main.CloseWaveFile();
    State(main).Settings().Format = TWaveFormat(Rate, 2, 2);
    State(main).Settings().FFTsize = 65536;
    State(main).Settings().ChannelProcessing = 2;
    main.ApplySettings(TMainWin::RefreshKind::Full);
    State(main).SeriesLiveBlock() = 1;
    for (TSeriesData* block : {main.GetSeries(0), main.GetSeries(1)})
        for (uint32_t i = 0; i < block->GetLength(); ++i)
            block->PutSample(i, int32_t(15000 * std::sin(0.01 * i)));
    bench.View->UpdateLayout();
    TClientDC dc(bench.View->GetHandle());
    std::printf("one live update at FFT 65536, %d pane(s): %.2f ms\n", bench.View->PaneMode,
                Milliseconds([&] { bench.View->UpdateTraces(dc); }));
    ::DeleteFileA(wave.c_str());
    return 0;
}
