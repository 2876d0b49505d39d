// The 3-D surface and phase views as the main window creates, closes and
// feeds them, what they ask of their host, and the rebuild of a surface
// from the wave file line by line.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveSpectra.h"
#include "framework/TMDIClient.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "shell/TDdeServer.h"
#include "shell/TRebuildProgress.h"
#include "shell/Toolbar.h"
#include "shell/TakeView.h"
#include "views/TPhasePlot.h"
#include "views/TSurfacePlot.h"

void TMainWin::ViewEngines(int index, TSpectralData* primary, TSpectralData* secondary, TSpectralData*& data,
                           TSpectralData*& data2) const
{
    if (index == 0) {
        data = primary;
        data2 = Settings.IndependentScalingAndCalibration == 1 ? nullptr : secondary;
    } else {
        data = secondary ? secondary : primary;
        data2 = nullptr;
    }
}

void TMainWin::CreateSurfaceView(ViewType type, const char* settingsFile)
{
    const int index = type == ViewType::Surface2 ? 1 : 0;
    if (SurfaceViews[index] || !GetClientWindow())
        return;
    OpenSpectralView(type, index, settingsFile, [&](const TRect& placement, TSpectralData* data, TSpectralData* data2) {
        return SurfaceViews[index] =
                   new TSurfacePlot(*static_cast<TMDIClient*>(GetClientWindow()), this,
                                    index == 0 ? IDS_VIEW_SURFACE_TEXT : IDS_VIEW_SURFACE2_TEXT, placement,
                                    Scaling[index], &SurfaceOptions[index], data, data2);
    });
    ViewStatus.SurfacePlot = 1;
}

void TMainWin::CreatePhaseView(ViewType type, const char* settingsFile)
{
    const int index = type == ViewType::Phase2 ? 1 : 0;
    if (PhaseViews[index] || !GetClientWindow())
        return;
    OpenSpectralView(type, index, settingsFile, [&](const TRect& placement, TSpectralData* data, TSpectralData* data2) {
        return PhaseViews[index] =
                   new TPhasePlot(*static_cast<TMDIClient*>(GetClientWindow()), this,
                                  index == 0 ? IDS_VIEW_PHASE_TEXT : IDS_VIEW_PHASE2_TEXT, placement, Scaling[index],
                                  &PhaseOptions[index], data, data2);
    });
    ViewStatus.PhasePlot = 1;
}

void TMainWin::CloseSurfaceView(int index)
{
    if (!SurfaceViews[index])
        return;
    SaveUtilityPlacements(index == 0 ? ViewType::Surface : ViewType::Surface2, IniPath);
    TakeView(SurfaceViews[index])->Destroy();
}

void TMainWin::ClosePhaseView(int index)
{
    if (!PhaseViews[index])
        return;
    SaveUtilityPlacements(index == 0 ? ViewType::Phase : ViewType::Phase2, IniPath);
    TakeView(PhaseViews[index])->Destroy();
}

void TMainWin::CmViewSurface()
{
    if (SurfaceViews[0] || SurfaceViews[1]) {
        CloseSurfaceView(0);
        CloseSurfaceView(1);
    } else {
        CreateViewWindow(ViewType::Surface, IniPath);
        CreateViewWindow(ViewType::Surface2, IniPath);
    }
    ViewStatus.SurfacePlot = SurfaceViews[0] || SurfaceViews[1] ? 1 : 0;
    UpdateViewMenuChecks();
    if (TransportToolbar)
        TransportToolbar->Invalidate(true);
}

void TMainWin::CmViewPhase()
{
    if (PhaseViews[0] || PhaseViews[1]) {
        ClosePhaseView(0);
        ClosePhaseView(1);
    } else {
        CreateViewWindow(ViewType::Phase, IniPath);
        CreateViewWindow(ViewType::Phase2, IniPath);
    }
    ViewStatus.PhasePlot = PhaseViews[0] || PhaseViews[1] ? 1 : 0;
    UpdateViewMenuChecks();
    if (TransportToolbar)
        TransportToolbar->Invalidate(true);
}

void TMainWin::SurfaceViewClosed(TSurfacePlot* view)
{
    if (!view)
        return;
    if (SurfaceViews[0] && SurfaceViews[1]) {
        CloseSurfaceView(view == SurfaceViews[0] ? 0 : 1);
        return;
    }
    CmViewSurface();
}

void TMainWin::PhaseViewClosed(TPhasePlot* view)
{
    if (!view)
        return;
    if (PhaseViews[0] && PhaseViews[1]) {
        ClosePhaseView(view == PhaseViews[0] ? 0 : 1);
        return;
    }
    CmViewPhase();
}

float TMainWin::GetRpmTag() const
{
    return RpmEntries[std::clamp(RpmEntryCount - 1, 0, RpmEntryCapacity - 1)].Rpm;
}

const char* TMainWin::GetDdeServiceName() const
{
    DdeServiceName = TDdeServer::ConfiguredName(IniPath);
    return DdeServiceName.c_str();
}

void TMainWin::RecomputeSurface(TPlotBase& plot)
{
    const int index = &plot == SurfaceViews[0] ? 0 : &plot == SurfaceViews[1] ? 1 : -1;
    // A DDE client link in Real Time redraws from its own data.
    if (index < 0 || (DdeClientLink && OpMode == RealTime) || !WaveFile || !ViewStatus.SurfacePlot)
        return;
    TSurfacePlot& view = *SurfaceViews[index];
    TEngineWait wait;
    // Every line of the history is drawn again, each moving the ones before
    // it back: the image starts empty.
    view.ClearPaneBitmaps();
    view.Invalidate(true);
    view.UpdateWindow();
    if (!(view.GetHistoryMaxTime() > 0.0f))
        return;
    TWaveSpectra spectra(Settings, Scaling, Calibration, KaiserAlpha());
    if (!spectra.IsReady()) {
        MessageBox(IDS_NO_MEMORY_TEXT, Caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Oldest line first: each line drawn moves the ones before it back.
    const int a = view.FindHistoryIndex(view.GetHistoryMinTime());
    const int b = view.FindHistoryIndex(view.GetHistoryMaxTime());
    const int from = std::max(a, b), to = std::min(a, b);
    TRebuildProgress progress(*this);
    for (int line = from; line >= to; --line) {
        if (spectra.ComputeAt(*WaveFile, view.GetHistoryTime(line))) {
            TSpectralData *data, *data2;
            ViewEngines(index, spectra.Primary(), spectra.Secondary(), data, data2);
            view.DrawSpectrumLine(data, data2);
        }
        if (progress.Due()) {
            progress.Step(from - line, from - to);
            if (TRebuildProgress::Cancelled())
                break;
        }
    }
    view.InvalidateLogo();
}
