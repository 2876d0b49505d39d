// The View and Mode menus, the spectrum views as the main window creates,
// feeds and closes them, and the transport toolbar and status bar it owns.
#include "shell/TMainWin.h"

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
#include "shell/Toolbar2.h"
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

void TMainWin::ViewClosed(TPlotBase& view)
{
    Windows.Closed(view);
}

bool TMainWin::GetLinkAxis(const char*& name, const char*& unit) const
{
    name = DdeLinkAxisName;
    unit = DdeLinkAxisUnit;
    return DdeLinkAxisFlag == 1;
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

void TMainWin::LeaveRealTime(int mode)
{
    if (RunState != Stopped)
        StopAnalyzer();
    if (mode == Recorder)
        SendMessage(WM_COMMAND, CM_DATALOGOFF);
    if (OpMode == RealTime && Wave()) {
        const int answer = MessageBox(
            "Data is still available in the Real-Time data buffers.\rDo you want to convert this to a WAV file for "
            "further Processing?",
            ProgramCaption(), MB_YESNO | MB_ICONQUESTION);
        if (answer == IDYES) {
            SetWaveCaption(IDS_UNTITLED_TEXT);
            Wave()->Rewind();
            SetTimePosition(0.0f);
        } else {
            ReplaceWave(nullptr);
            SetTimePosition(0.0f);
            ApplySettings(RefreshKind::Full);
        }
    }
    OpMode = mode;
    UpdateModeMenuChecks();
    LayoutForMode();
    SeriesLiveBlock = 0;
    ApplySettings(RefreshKind::KeepViews);
    RefreshStatusBar(StatusBar::WholeBar);
}

void TMainWin::CmModePostProcess()
{
    if (OpMode != PostProcess)
        LeaveRealTime(PostProcess);
}

void TMainWin::CmModeRecorder()
{
    if (OpMode != Recorder)
        LeaveRealTime(Recorder);
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
    if (SpectrumView(0) && !SpectrumView(1))
        CreateViewWindow(ViewType::Spectrum2, IniPath);
}

void TMainWin::RepaintSpectrumViews()
{
    for (TSpectrumPlot* view : SpectrumViews())
        if (view && view->GetHandle())
            view->Invalidate(true);
}

void TMainWin::ReopenViews()
{
    for (const TWindowSlots::TKind& kind : TWindowSlots::Kinds())
        if (ViewStatus.*kind.Flag) CreateViewWindow(kind.Type, IniPath);
    UpdateViewMenuChecks();
}

void TMainWin::CreateStatusBar()
{
    if (StatusBarWindow)
        return;
    StatusBarWindow = std::make_unique<StatusBar>(this, this);
    StatusBarWindow->Create();
}

void TMainWin::PlaceBars(int width, int height, int t1, int t2, int s)
{
    if (ButtonToolbar && ButtonToolbar->GetHandle()) {
        ButtonToolbar->MoveWindow(0, t1, width, t2, true);
        ButtonToolbar->Show(t2 ? SW_SHOW : SW_HIDE);
    }
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
    // A start or stop changes only what the status pane and the meter show.
    RefreshStatusBar(StatusBar::StatusAndMeter);
    for (TPlotBase* view : {static_cast<TPlotBase*>(SpectrumView(0)), static_cast<TPlotBase*>(SpectrumView(1)),
                            static_cast<TPlotBase*>(PhaseView(0)), static_cast<TPlotBase*>(PhaseView(1)),
                            static_cast<TPlotBase*>(SurfaceView(0)), static_cast<TPlotBase*>(SurfaceView(1))})
        if (view && view->GetHandle())
            view->InvalidateLogo();
    for (TSpectrogram* view : SpectrogramViews())
        if (view && view->GetHandle())
            view->InvalidateLogo();
    if (TimeSeriesView() && TimeSeriesView()->GetHandle())
        TimeSeriesView()->InvalidateLogo();
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
    RefreshStatusBar(StatusBar::MeterOnly);
}

void TMainWin::RefreshStatusBar(int which)
{
    if (StatusBarWindow)
        StatusBarWindow->RefreshPanes(which);
}

void TMainWin::NotifyViewsNewData(float time)
{
    if (TSeriesPlot* series = TimeSeriesView(); series && series->GetHandle())
        series->NewData(time);
    for (TSpectrumPlot* view : SpectrumViews())
        if (view && view->GetHandle())
            view->NewData(time);
    for (TSpectrogram* view : SpectrogramViews())
        if (view && view->GetHandle())
            view->NewSpectrum(time);
    for (TPhasePlot* view : PhaseViews())
        if (view && view->GetHandle())
            view->NewData(time);
    for (TSurfacePlot* view : SurfaceViews())
        if (view && view->GetHandle())
            view->NewSpectrum(time);
}

void TMainWin::HandViewsEngines(TSpectralData* primary, TSpectralData* secondary)
{
    if (Settings.IndependentScalingAndCalibration == 1) {
        if (TSpectrumPlot* view = SpectrumView(0))
            view->SetData(primary, nullptr);
        if (TSpectrumPlot* view = SpectrumView(1))
            view->SetData(secondary, nullptr);
    } else if (TSpectrumPlot* view = SpectrumView(0)) {
        view->SetData(primary, secondary);
    }
    for (int index = 0; index < 2; ++index) {
        TSpectralData *data, *data2;
        ViewEngines(index, primary, secondary, data, data2);
        if (TPhasePlot* view = PhaseView(index))
            view->SetData(data, data2);
        if (TSurfacePlot* view = SurfaceView(index))
            view->SetSpectralData(data, data2);
        if (TSpectrogram* view = SpectrogramView(index))
            view->SetData(data, data2);
    }
}

void TMainWin::DestroyViewsAndBars()
{
    for (ViewType family : {ViewType::TimeSeries, ViewType::Spectrum, ViewType::Spectrogram, ViewType::Surface,
                            ViewType::Phase}) {
        Windows.Discard(family);
        Windows.Discard(TWindowSlots::KindOf(family)->Partner);
    }
    TransportToolbar.reset();
    StatusBarWindow.reset();
}
