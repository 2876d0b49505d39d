// The window and view commands: the frame shown, hidden and arranged, the
// menu and the bars, and the first window of each of the five plot views.
// None takes an argument and none fails: a window that is not open is left.
#include "shell/TCommandInterpreter.h"

#include <windows.h>
#include <iterator>
#include "shell/TMainWin.h"

namespace {

// The operations of the main window the commands call; a row holds its
// operation's place in this list.
enum TOperation {
    HideApplication, ShowApplication, Cascade, TileVertical, TileHorizontal, HideMenu, ShowMenu,
    HideMainToolbar, ShowMainToolbar, HideSecondaryToolbar, ShowSecondaryToolbar, HideStatusBar, ShowStatusBar,
    HidePlotToolbars, ShowPlotToolbars
};
struct TOperationEntry {
    TOperation Id;
    void (TMainWin::*Call)();
};
constexpr TOperationEntry Operations[] = {
    {HideApplication, &TMainWin::HideApplication},
    {ShowApplication, &TMainWin::ShowApplication},
    {Cascade, &TMainWin::CmCascade},
    {TileVertical, &TMainWin::CmTileVertical},
    {TileHorizontal, &TMainWin::CmTileHorizontal},
    {HideMenu, &TMainWin::HideMenu},
    {ShowMenu, &TMainWin::ShowMenu},
    {HideMainToolbar, &TMainWin::HideMainToolbar},
    {ShowMainToolbar, &TMainWin::ShowMainToolbar},
    {HideSecondaryToolbar, &TMainWin::HideSecondaryToolbar},
    {ShowSecondaryToolbar, &TMainWin::ShowSecondaryToolbar},
    {HideStatusBar, &TMainWin::HideStatusBar},
    {ShowStatusBar, &TMainWin::ShowStatusBar},
    {HidePlotToolbars, &TMainWin::HidePlotToolbars},
    {ShowPlotToolbars, &TMainWin::ShowPlotToolbars},
};
constexpr bool InOperationOrder()
{
    for (size_t i = 0; i < std::size(Operations); ++i)
        if (Operations[i].Id != TOperation(i)) return false;
    return true;
}
static_assert(InOperationOrder());

}  // namespace

uint32_t TCommandInterpreter::WindowOperation(const std::string&, int operation)
{
    (Main.*Operations[operation].Call)();
    return Done;
}

uint32_t TCommandInterpreter::ShowFrame(const std::string&, int showCommand)
{
    Main.Show(showCommand);
    return Done;
}

uint32_t TCommandInterpreter::OpenView(const std::string&, int family)
{
    Main.OpenFirstView(ViewType(family));
    return Done;
}

uint32_t TCommandInterpreter::CloseView(const std::string&, int family)
{
    Main.CloseFirstView(ViewType(family));
    return Done;
}

uint32_t TCommandInterpreter::RestoreView(const std::string&, int family)
{
    Main.ShowFirstView(ViewType(family), SW_RESTORE);
    return Done;
}

uint32_t TCommandInterpreter::MaximizeView(const std::string&, int family)
{
    Main.ShowFirstView(ViewType(family), SW_SHOWMAXIMIZED);
    return Done;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
constexpr int TimeSeries = int(ViewType::TimeSeries), Spectrum = int(ViewType::Spectrum),
              Phase = int(ViewType::Phase), Spectrogram = int(ViewType::Spectrogram),
              Surface = int(ViewType::Surface);
}  // namespace

const TCommandInterpreter::TRow TCommandInterpreter::WindowsTable[] = {
    {K::HideWindow, &I::WindowOperation, HideApplication},
    {K::ShowWindow, &I::WindowOperation, ShowApplication},
    {K::MinimizeWindow, &I::ShowFrame, SW_MINIMIZE},
    {K::RestoreWindow, &I::ShowFrame, SW_RESTORE},
    {K::MaximizeWindow, &I::ShowFrame, SW_SHOWMAXIMIZED},
    {K::CascadeWindows, &I::WindowOperation, Cascade},
    {K::TileWindowsVertical, &I::WindowOperation, TileVertical},
    {K::TileWindowsHorizontal, &I::WindowOperation, TileHorizontal},
    {K::OpenTimeSeries, &I::OpenView, TimeSeries},
    {K::CloseTimeSeries, &I::CloseView, TimeSeries},
    {K::RestoreTimeSeries, &I::RestoreView, TimeSeries},
    {K::MaximizeTimeSeries, &I::MaximizeView, TimeSeries},
    {K::OpenSpectrum, &I::OpenView, Spectrum},
    {K::CloseSpectrum, &I::CloseView, Spectrum},
    {K::RestoreSpectrum, &I::RestoreView, Spectrum},
    {K::MaximizeSpectrum, &I::MaximizeView, Spectrum},
    {K::OpenPhase, &I::OpenView, Phase},
    {K::ClosePhase, &I::CloseView, Phase},
    {K::RestorePhase, &I::RestoreView, Phase},
    {K::MaximizePhase, &I::MaximizeView, Phase},
    {K::OpenSpectrogram, &I::OpenView, Spectrogram},
    {K::CloseSpectrogram, &I::CloseView, Spectrogram},
    {K::RestoreSpectrogram, &I::RestoreView, Spectrogram},
    {K::MaximizeSpectrogram, &I::MaximizeView, Spectrogram},
    {K::OpenSurface, &I::OpenView, Surface},
    {K::CloseSurface, &I::CloseView, Surface},
    {K::RestoreSurface, &I::RestoreView, Surface},
    {K::MaximizeSurface, &I::MaximizeView, Surface},
    {K::HideMenu, &I::WindowOperation, HideMenu},
    {K::ShowMenu, &I::WindowOperation, ShowMenu},
    {K::HideToolbar, &I::WindowOperation, HideMainToolbar},
    {K::ShowToolbar, &I::WindowOperation, ShowMainToolbar},
    {K::HideToolbar2, &I::WindowOperation, HideSecondaryToolbar},
    {K::ShowToolbar2, &I::WindowOperation, ShowSecondaryToolbar},
    {K::HideStatusbar, &I::WindowOperation, HideStatusBar},
    {K::ShowStatusbar, &I::WindowOperation, ShowStatusBar},
    {K::HidePlotToolbars, &I::WindowOperation, HidePlotToolbars},
    {K::ShowPlotToolbars, &I::WindowOperation, ShowPlotToolbars},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::WindowsRows()
{
    return {WindowsTable, std::size(WindowsTable)};
}
