// The View and Mode menus, the spectrum views as the main window creates,
// feeds and closes them, and the transport toolbar and status bar it owns.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "engine/TWaveFile.h"
#include "framework/TCommandEnabler.h"
#include "framework/TMDIClient.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "shell/Toolbar.h"
#include "shell/TakeView.h"
#include "views/TSpectrogram.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

namespace {

constexpr int TransportHeight = 36;

bool AnyViewFlag(const ViewStatusFlags& v)
{
    return v.TimeSeries || v.SpectrumPlot || v.PhasePlot || v.Spectrogram || v.SurfacePlot;
}

}  // namespace

void TMainWin::CreateSpectrumView(ViewType type, const char* settingsFile)
{
    const int index = type == ViewType::Spectrum2 ? 1 : 0;
    if (SpectrumViews[index] || !GetClientWindow())
        return;
    OpenSpectralView(type, index, settingsFile, [&](const TRect& placement, TSpectralData* data, TSpectralData* data2) {
        return SpectrumViews[index] = new TSpectrumPlot(*static_cast<TMDIClient*>(GetClientWindow()), this,
                                                        index == 0 ? "Spectrum" : "Spectrum2", placement,
                                                        Scaling[index], &SpectrumOptions[index], data, data2,
                                                        index + 1);
    });
    ViewStatus.SpectrumPlot = 1;
}

void TMainWin::OpenView(ViewType type, const char* settingsFile, const std::function<TWindow*(const RECT&)>& make)
{
    RECT stored;
    int showCommand = SW_SHOWNORMAL;
    GetInitialPlacement(stored, type, settingsFile, showCommand);
    // The slot holds the view before it is created: creation reaches back for it.
    TWindow* view = make(stored);
    view->Create();
    if (showCommand == SW_SHOWMAXIMIZED)
        view->Show(SW_SHOWMAXIMIZED);
}

void TMainWin::OpenSpectralView(ViewType type, int index, const char* settingsFile,
                                const std::function<TWindow*(const TRect&, TSpectralData*, TSpectralData*)>& make)
{
    OpenView(type, settingsFile, [&](const RECT& stored) {
        // The view takes its rectangle as position and size; handing it the
        // stored right and bottom edges would widen it by its offset each time.
        const TRect placement(stored.left, stored.top, stored.right - stored.left, stored.bottom - stored.top);
        TSpectralData *data, *data2;
        ViewEngines(index, DisplayPrimary, DisplaySecondary, data, data2);
        return make(placement, data, data2);
    });
}

void TMainWin::CloseSpectrumView(int index)
{
    if (!SpectrumViews[index])
        return;
    SaveUtilityPlacements(index == 0 ? ViewType::Spectrum : ViewType::Spectrum2, IniPath);
    TakeView(SpectrumViews[index])->Destroy();
}

void TMainWin::SpectrumViewClosed(TSpectrumPlot* view)
{
    if (SpectrumViews[0] && SpectrumViews[1]) {
        CloseSpectrumView(view == SpectrumViews[0] ? 0 : 1);
        return;
    }
    CmViewSpectrum();
}

void TMainWin::ViewClosed(TPlotBase& view)
{
    if (&view == TimeSeriesView) {
        CmViewTimeSeries();
        return;
    }
    for (TSpectrumPlot* spectrum : SpectrumViews)
        if (spectrum == &view) {
            SpectrumViewClosed(spectrum);
            return;
        }
    for (TSpectrogram* spectrogram : SpectrogramViews)
        if (spectrogram == &view) {
            SpectrogramViewClosed(spectrogram);
            return;
        }
    for (TSurfacePlot* surface : SurfaceViews)
        if (surface == &view) {
            SurfaceViewClosed(surface);
            return;
        }
    for (TPhasePlot* phase : PhaseViews)
        if (phase == &view) {
            PhaseViewClosed(phase);
            return;
        }
}

bool TMainWin::GetLinkAxis(const char*& name, const char*& unit) const
{
    name = DdeLinkAxisName;
    unit = DdeLinkAxisUnit;
    return DdeLinkAxisFlag == 1;
}

void TMainWin::CmViewSpectrum()
{
    if (SpectrumViews[0] || SpectrumViews[1]) {
        CloseSpectrumView(0);
        CloseSpectrumView(1);
    } else {
        CreateViewWindow(ViewType::Spectrum, IniPath);
        CreateViewWindow(ViewType::Spectrum2, IniPath);
    }
    ViewStatus.SpectrumPlot = SpectrumViews[0] || SpectrumViews[1] ? 1 : 0;
    UpdateViewMenuChecks();
    if (TransportToolbar)
        TransportToolbar->Invalidate(true);
}


void TMainWin::CmClearAllViews()
{
    ApplySettings(RefreshKind::Full);
}

void TMainWin::CmCloseAllViews()
{
    if (ViewStatus.TimeSeries)
        CmViewTimeSeries();
    if (ViewStatus.SpectrumPlot)
        CmViewSpectrum();
    if (ViewStatus.Spectrogram)
        CmViewSpectrogram();
    if (ViewStatus.SurfacePlot)
        CmViewSurface();
    if (ViewStatus.PhasePlot)
        CmViewPhase();
}

void TMainWin::CeAnyViewOpen(TCommandEnabler& ce)
{
    ce.Enable(AnyViewFlag(ViewStatus));
}

void TMainWin::UpdateViewMenuChecks()
{
    SetMenuCheck(CM_VIEWTIMESERIES, ViewStatus.TimeSeries != 0);
    SetMenuCheck(CM_VIEWSPECTRUM, ViewStatus.SpectrumPlot != 0);
    SetMenuCheck(CM_VIEWPHASE, ViewStatus.PhasePlot != 0);
    SetMenuCheck(CM_VIEWSPECTROGRAM, ViewStatus.Spectrogram != 0);
    SetMenuCheck(CM_VIEWSURFACE, ViewStatus.SurfacePlot != 0);
    SetMenuCheck(CM_LOCKGENERATORCHANNELS, GeneratorLocked == 1);
}

void TMainWin::UpdateModeMenuChecks()
{
    SetMenuCheck(CM_MODEREALTIME, OpMode == RealTime);
    SetMenuCheck(CM_MODEPOSTPROCESS, OpMode == PostProcess);
    SetMenuCheck(CM_MODERECORDER, OpMode == Recorder);
}

void TMainWin::CmModeRealTime()
{
    if (OpMode == RealTime)
        return;
    StopAnalyzer();
    if (CloseWaveFile() != 1)
        return;
    OpMode = RealTime;
    UpdateModeMenuChecks();
    LayoutForMode();
    SeriesLiveBlock = 1;
    ApplySettings(RefreshKind::KeepViews);
    RefreshStatusBar(StatusBar::WholeBar);
}

static void LeaveRealTime(TMainWin& main, int mode)
{
    if (main.RunState != TMainWin::Stopped)
        main.StopAnalyzer();
    if (mode == TMainWin::Recorder)
        main.SendMessage(WM_COMMAND, CM_DATALOGOFF);
    if (main.OpMode == TMainWin::RealTime && main.Wave()) {
        const int answer = main.MessageBox(
            "Data is still available in the Real-Time data buffers.\rDo you want to convert this to a WAV file for "
            "further Processing?",
            main.Caption, MB_YESNO | MB_ICONQUESTION);
        if (answer == IDYES) {
            char caption[600];
            std::snprintf(caption, sizeof caption, "%s [%s]", main.Caption, IDS_UNTITLED_TEXT);
            main.SetCaption(caption);
            main.Wave()->Rewind();
            main.CurrentTime = 0.0f;
        } else {
            main.ReplaceWave(nullptr);
            main.CurrentTime = 0.0f;
            main.ApplySettings(TMainWin::RefreshKind::Full);
        }
    }
    main.OpMode = mode;
    main.UpdateModeMenuChecks();
    main.LayoutForMode();
    main.SeriesLiveBlock = 0;
    main.ApplySettings(TMainWin::RefreshKind::KeepViews);
    main.RefreshStatusBar(StatusBar::WholeBar);
}

void TMainWin::CmModePostProcess()
{
    if (OpMode != PostProcess)
        LeaveRealTime(*this, PostProcess);
}

void TMainWin::CmModeRecorder()
{
    if (OpMode != Recorder)
        LeaveRealTime(*this, Recorder);
}

void TMainWin::LayoutForMode()
{
    // A frame not created yet builds its toolbar at set-up.
    if (!HWindow)
        return;
    TransportToolbar.reset();
    TransportToolbar = std::make_unique<Toolbar>(this, this, OpMode);
    TransportToolbar->Create();
    TransportToolbar->Show(SW_SHOWNORMAL);
    TransportToolbar->MoveWindow(0, 0, 3000, MainToolbarFlag ? TransportHeight : 1, true);
    TransportToolbar->UpdateWindow();
    TransportToolbar->UpdateButtons();
}

void TMainWin::CmAccelRun()
{
    if (TransportToolbar)
        TransportToolbar->CmRun();
}

void TMainWin::CmAccelStop()
{
    if (TransportToolbar)
        TransportToolbar->CmStop();
}

void TMainWin::CmAccelPlay()
{
    if (TransportToolbar)
        TransportToolbar->CmPlay();
}

void TMainWin::CmAccelRewind()
{
    if (TransportToolbar)
        TransportToolbar->CmRewind();
}

void TMainWin::OpenSecondChannelViews()
{
    if (SpectrumViews[0] && !SpectrumViews[1])
        CreateViewWindow(ViewType::Spectrum2, IniPath);
}

void TMainWin::RepaintSpectrumViews()
{
    for (TSpectrumPlot* view : SpectrumViews)
        if (view && view->GetHandle())
            view->Invalidate(true);
}

void TMainWin::ReopenViews()
{
    if (ViewStatus.TimeSeries)
        CreateViewWindow(ViewType::TimeSeries, IniPath);
    if (ViewStatus.SpectrumPlot) {
        CreateViewWindow(ViewType::Spectrum, IniPath);
        CreateViewWindow(ViewType::Spectrum2, IniPath);
    }
    if (ViewStatus.Spectrogram) {
        CreateViewWindow(ViewType::Spectrogram, IniPath);
        CreateViewWindow(ViewType::Spectrogram2, IniPath);
    }
    if (ViewStatus.SignalGenerator) CreateViewWindow(ViewType::Generator, IniPath);
    ReopenReadouts();
    if (ViewStatus.Macro) CreateViewWindow(ViewType::Macro, IniPath);
    if (ViewStatus.SurfacePlot) {
        CreateViewWindow(ViewType::Surface, IniPath);
        CreateViewWindow(ViewType::Surface2, IniPath);
    }
    if (ViewStatus.PhasePlot) {
        CreateViewWindow(ViewType::Phase, IniPath);
        CreateViewWindow(ViewType::Phase2, IniPath);
    }
    UpdateViewMenuChecks();
}

void TMainWin::CreateStatusBar()
{
    if (StatusBarWindow)
        return;
    StatusBarWindow = std::make_unique<StatusBar>(this, this);
    StatusBarWindow->Create();
}

void TMainWin::PlaceBars(int width, int height, int t1, int s)
{
    if (StatusBarWindow && StatusBarWindow->GetHandle()) {
        StatusBarWindow->MoveWindow(0, height - s, width, s, true);
        StatusBarWindow->Show(s ? SW_SHOW : SW_HIDE);
    }
    if (TransportToolbar && TransportToolbar->GetHandle()) {
        TransportToolbar->MoveWindow(0, 0, width, t1 + 1, true);
        TransportToolbar->Show(t1 ? SW_SHOW : SW_HIDE);
    }
}

void TMainWin::RefreshRunDisplays()
{
    if (TransportToolbar)
        TransportToolbar->UpdateButtons();
    RefreshStatusBar(StatusBar::WholeBar);
    for (TPlotBase* view : {static_cast<TPlotBase*>(SpectrumViews[0]), static_cast<TPlotBase*>(SpectrumViews[1]),
                            static_cast<TPlotBase*>(PhaseViews[0]), static_cast<TPlotBase*>(PhaseViews[1]),
                            static_cast<TPlotBase*>(SurfaceViews[0]), static_cast<TPlotBase*>(SurfaceViews[1])})
        if (view && view->GetHandle())
            view->InvalidateLogo();
    for (TSpectrogram* view : SpectrogramViews)
        if (view && view->GetHandle())
            view->InvalidateLogo();
    if (TimeSeriesView && TimeSeriesView->GetHandle())
        TimeSeriesView->InvalidateLogo();
}

void TMainWin::UpdateToolbarReadouts()
{
    if (TransportToolbar)
        TransportToolbar->UpdateDisplay(1, 0);
}

void TMainWin::PaceToolbarReadouts()
{
    const uint32_t now = ::GetTickCount();
    if (RunState != Stopped && now - ReadoutTick < ReadoutIntervalMs)
        return;
    ReadoutTick = now;
    UpdateToolbarReadouts();
}

void TMainWin::PaceStatusMeter(bool overloadChanged)
{
    const uint32_t now = ::GetTickCount();
    if (!overloadChanged && now - MeterTick < ReadoutIntervalMs)
        return;
    MeterTick = now;
    RefreshStatusBar(StatusBar::StatusAndMeter);
}

void TMainWin::RefreshStatusBar(int which)
{
    if (StatusBarWindow)
        StatusBarWindow->RefreshPanes(which);
}

void TMainWin::NotifyViewsNewData(float time)
{
    if (TimeSeriesView && TimeSeriesView->GetHandle())
        TimeSeriesView->NewData(time);
    for (TSpectrumPlot* view : SpectrumViews)
        if (view && view->GetHandle())
            view->NewData(time);
    for (TSpectrogram* view : SpectrogramViews)
        if (view && view->GetHandle())
            view->NewSpectrum(time);
    for (TPhasePlot* view : PhaseViews)
        if (view && view->GetHandle())
            view->NewData(time);
    for (TSurfacePlot* view : SurfaceViews)
        if (view && view->GetHandle())
            view->NewSpectrum(time);
}

void TMainWin::HandViewsEngines(TSpectralData* primary, TSpectralData* secondary)
{
    if (Settings.IndependentScalingAndCalibration == 1) {
        if (SpectrumViews[0])
            SpectrumViews[0]->SetData(primary, nullptr);
        if (SpectrumViews[1])
            SpectrumViews[1]->SetData(secondary, nullptr);
    } else if (SpectrumViews[0]) {
        SpectrumViews[0]->SetData(primary, secondary);
    }
    for (int index = 0; index < 2; ++index) {
        TSpectralData *data, *data2;
        ViewEngines(index, primary, secondary, data, data2);
        if (PhaseViews[index])
            PhaseViews[index]->SetData(data, data2);
        if (SurfaceViews[index])
            SurfaceViews[index]->SetSpectralData(data, data2);
        if (SpectrogramViews[index])
            SpectrogramViews[index]->SetData(data, data2);
    }
}

void TMainWin::DestroyViewsAndBars()
{
    TakeView(TimeSeriesView).reset();
    for (TSpectrumPlot*& view : SpectrumViews)
        TakeView(view).reset();
    for (TSpectrogram*& view : SpectrogramViews)
        TakeView(view).reset();
    for (TSurfacePlot*& view : SurfaceViews)
        TakeView(view).reset();
    for (TPhasePlot*& view : PhaseViews)
        TakeView(view).reset();
    TransportToolbar.reset();
    StatusBarWindow.reset();
}
