// The Window menu, the bars' toggles and the macro operations that hide and
// show the menu, the bars and the views' button bars; the delay finder and
// Leq toggles and options; Close All Utilities.
#include "shell/TMainWin.h"

#include "framework/TCommandEnabler.h"
#include "framework/TMDIClient.h"
#include "framework/TModule.h"
#include "resources/CommandIds.h"
#include "shell/TRunPause.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

void TMainWin::ArrangeChildren(UINT message, WPARAM how)
{
    if (TWindow* client = GetClientWindow())
        client->SendMessage(message, how);
}

void TMainWin::CmCascade() { ArrangeChildren(WM_MDICASCADE, 0); }
void TMainWin::CmTileVertical() { ArrangeChildren(WM_MDITILE, MDITILE_VERTICAL); }
void TMainWin::CmTileHorizontal() { ArrangeChildren(WM_MDITILE, MDITILE_HORIZONTAL); }
void TMainWin::CmArrangeIcons() { ArrangeChildren(WM_MDIICONARRANGE, 0); }

void TMainWin::CeWindowArrange(TCommandEnabler& ce)
{
    ce.Enable(ViewStatus.TimeSeries || ViewStatus.PhasePlot || ViewStatus.SpectrumPlot || ViewStatus.Spectrogram ||
              ViewStatus.SurfacePlot);
}

void TMainWin::SetBarFlag(int32_t& flag, bool shown)
{
    flag = shown ? 1 : 0;
    EvSize(0, TSize(0, 0));
    UpdateBarMenuChecks();
}

void TMainWin::UpdateBarMenuChecks()
{
    SetMenuCheck(CM_TOGGLEMAINTOOLBAR, MainToolbarFlag == 1);
    SetMenuCheck(CM_TOGGLESECONDARYTOOLBAR, ButtonToolbarFlag == 1);
    SetMenuCheck(CM_TOGGLESTATUSBAR, StatusBarFlag == 1);
}

void TMainWin::CmToggleMainToolbar() { SetBarFlag(MainToolbarFlag, MainToolbarFlag != 1); }
void TMainWin::CmToggleSecondaryToolbar() { SetBarFlag(ButtonToolbarFlag, ButtonToolbarFlag != 1); }
void TMainWin::CmToggleStatusBar() { SetBarFlag(StatusBarFlag, StatusBarFlag != 1); }
void TMainWin::HideMainToolbar() { SetBarFlag(MainToolbarFlag, false); }
void TMainWin::ShowMainToolbar() { SetBarFlag(MainToolbarFlag, true); }
void TMainWin::HideSecondaryToolbar() { SetBarFlag(ButtonToolbarFlag, false); }
void TMainWin::ShowSecondaryToolbar() { SetBarFlag(ButtonToolbarFlag, true); }
void TMainWin::HideStatusBar() { SetBarFlag(StatusBarFlag, false); }
void TMainWin::ShowStatusBar() { SetBarFlag(StatusBarFlag, true); }

void TMainWin::HideMenu()
{
    HMENU menu = GetMenu();
    if (!menu)
        return;
    SetMenu(nullptr);
    ::DestroyMenu(menu);
}

void TMainWin::ShowMenu()
{
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    HMENU menu = ::LoadMenuA(instance, "MENU_TONALYX");
    if (!menu)
        return;
    HMENU old = GetMenu();
    SetMenu(menu);
    if (old)
        ::DestroyMenu(old);
    // A fresh menu: the Window list, the recent files and every check mark again.
    AttachWindowMenu();
    BuildRecentFileMenu();
    UpdateViewMenuChecks();
    UpdateModeMenuChecks();
    UpdateBarMenuChecks();
    SetMenuCheck(CM_LOCKGENERATORCHANNELS, GeneratorLocked != 0);
}

void TMainWin::SetPlotToolbars(bool shown)
{
    auto each = [shown](auto& view, int) {
        if (!view.GetHandle())
            return;
        if (shown)
            view.ShowButtons();
        else
            view.HideButtons();
    };
    Windows.Apply<TSeriesPlot>(ViewType::TimeSeries, each);
    Windows.Apply<TSpectrumPlot>(ViewType::Spectrum, each);
    Windows.Apply<TPhasePlot>(ViewType::Phase, each);
    Windows.Apply<TSpectrogram>(ViewType::Spectrogram, each);
    Windows.Apply<TSurfacePlot>(ViewType::Surface, each);
    ApplySettings(RefreshKind::Full);
}

void TMainWin::HidePlotToolbars() { SetPlotToolbars(false); }
void TMainWin::ShowPlotToolbars() { SetPlotToolbars(true); }

void TMainWin::CmDelayFinder()
{
    if (Windows.IsOpen(ViewType::DelayFinder)) {
        Windows.Close(ViewType::DelayFinder);
        return;
    }
    if (Settings.Format.NumChannels != 2) {
        MessageBox("To use the Delay Finder, the analyzer must be set to Stereo operation", "Tonalyx", MB_OK);
        return;
    }
    CreateViewWindow(ViewType::DelayFinder, IniPath);
    if (Windows.IsOpen(ViewType::DelayFinder))
        ApplySettings(RefreshKind::Full);
}

void TMainWin::CmLeq()
{
    if (Windows.IsOpen(ViewType::Leq)) {
        Windows.Close(ViewType::Leq);
        return;
    }
    CreateViewWindow(ViewType::Leq, IniPath);
    if (Windows.IsOpen(ViewType::Leq))
        ApplySettings(RefreshKind::Full);
}

namespace {

// Closed in this order, each through its own command.
constexpr ViewType UtilityOrder[] = {
    ViewType::Generator,     ViewType::Thd,           ViewType::Thdn,       ViewType::Imd,
    ViewType::Snr,           ViewType::Sinad,         ViewType::Sfdr,       ViewType::NoiseFigure,
    ViewType::PeakFrequency, ViewType::PeakAmplitude, ViewType::TotalPower, ViewType::DelayFinder,
    ViewType::Reverb,        ViewType::PhaseScope,    ViewType::Leq,        ViewType::ThdFreq};
// The windows whose being open enables the command.
constexpr ViewType CountedUtilities[] = {
    ViewType::Thd,           ViewType::Thdn,          ViewType::Imd,        ViewType::Snr,
    ViewType::Sinad,         ViewType::Sfdr,          ViewType::NoiseFigure, ViewType::PeakFrequency,
    ViewType::PeakAmplitude, ViewType::TotalPower,    ViewType::DelayFinder, ViewType::Leq};

}  // namespace

void TMainWin::CmCloseAllUtilities()
{
    for (ViewType type : UtilityOrder)
        if (Windows.IsOpen(type))
            SendMessage(WM_COMMAND, ViewCommand(type));
    if (Windows.IsOpen(ViewType::Macro) && !MacroRunning())
        Windows.Close(ViewType::Macro);
}

void TMainWin::CeCloseAllUtilities(TCommandEnabler& ce)
{
    bool any = false;
    for (ViewType type : CountedUtilities)
        any = any || Windows.IsOpen(type);
    ce.Enable(any);
}
