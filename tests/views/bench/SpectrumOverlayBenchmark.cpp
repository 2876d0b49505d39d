// The spectrum view's overlay cost: LoadOverlays with seven shown slots of
// 65,536-point files, a keystroke in the Plot Top field (which traces the
// curves held again), and a full repaint, which reads the seven legend names
// from the slot files.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/TEdit.h"
#include "framework/UiHelpers.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "views/TSpectrumPlot.h"
#include "tests/shell/TMainWinState.h"

namespace {

constexpr int Points = 65536;
constexpr int Repeats = 7;

void WriteSlot(const std::string& path, int slot)
{
    FILE* f = std::fopen(path.c_str(), "w");
    std::fprintf(f, ";Slot %d\n", slot + 1);
    for (int i = 0; i < Points; ++i) {
        const double hz = 20.0 * std::pow(1000.0, double(i) / (Points - 1));
        std::fprintf(f, "%f\t%f\n", hz, -60.0 + 20.0 * std::sin(0.001 * i + slot));
    }
    std::fclose(f);
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
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main()
{
    SetStringInstance(::GetModuleHandleA(nullptr));
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tonalyx_overlay_bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (int slot = 0; slot < SpectrumOpts::SlotCount; ++slot)
        WriteSlot(folder + "\\L" + std::to_string(slot + 1) + ".ovl", slot);

    TMainWin main(nullptr, (folder + "\\Tonalyx.exe").c_str(), nullptr, *new TClientMain);
    State(main).ViewStatus() = ViewStatusFlags{};
    State(main).ViewStatus().SpectrumPlot = 1;
    State(main).OpMode() = TMainWin::PostProcess;
    State(main).Settings().Format = TWaveFormat(44100, 1, 2);
    State(main).Settings().FFTsize = 16384;
    main.SetConfiguredFolder(TMainWin::OvlFolder, folder.c_str());
    for (int slot = 0; slot < SpectrumOpts::SlotCount; ++slot)
        State(main).SpectrumOptions()[0].Show1[slot] = 1;
    // The composite slot reads its file as it is: an average of no slots is
    // refused, after the six slot files were read for it.
    State(main).SpectrumOptions()[0].Show1[SpectrumOpts::SlotCount - 1] = 0;
    main.Create();
    main.Show(SW_SHOW);
    main.MoveWindow(0, 0, 1280, 1000, true);
    TSpectrumPlot& view = *main.SpectrumView(0);
    view.MoveWindow(0, 0, 1100, 760, true);
    State(main).SpectrumOptions()[0].Show1[SpectrumOpts::SlotCount - 1] = 1;
    State(main).SpectrumOptions()[0].CompositeType1 = 0;
    std::fill_n(State(main).SpectrumOptions()[0].IncludeInAverage1, 6, 0u);

    std::printf("graph %d columns, %d slots of %d points\n", view.GraphRect.Width(), SpectrumOpts::SlotCount, Points);
    std::printf("LoadOverlays: %.1f ms\n", Milliseconds([&] { view.LoadOverlays(); }));
    std::printf("a keystroke in Plot Top: %.1f ms\n", Milliseconds([&] {
                    static int step = 0;
                    view.PlotTopEdit->SetText(++step % 2 ? "-10" : "0");
                }));
    std::printf("full repaint with the legend names: %.1f ms\n", Milliseconds([&] {
                    view.Invalidate(true);
                    view.UpdateWindow();
                }));
    main.Destroy();
    for (int slot = 0; slot < SpectrumOpts::SlotCount; ++slot)
        ::DeleteFileA((folder + "\\L" + std::to_string(slot + 1) + ".ovl").c_str());
    return 0;
}
