// The engines the 3-D surface and phase views draw, what they ask of their
// host, and the rebuild of a surface from the wave file line by line.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveSpectra.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "shell/TDdeServer.h"
#include "shell/TRebuildProgress.h"
#include "shell/Toolbar.h"
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
    const int index = &plot == SurfaceView(0) ? 0 : &plot == SurfaceView(1) ? 1 : -1;
    // A DDE client link in Real Time redraws from its own data.
    if (index >= 0 && DdeClientLink && OpMode == RealTime) {
        DdeLinkHook3();
        return;
    }
    if (index < 0 || !WaveFile || !ViewStatus.SurfacePlot)
        return;
    TSurfacePlot& view = *SurfaceView(index);
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
