// The spectrum views' overlay slots and the frequency markers as the command
// language changes them: stored in the views' settings, then shown.
#include "shell/TMainWin.h"

#include <algorithm>
#include "views/TOverlayData.h"
#include "views/TSpectrumPlot.h"

void TMainWin::SetOverlayOffset(int view, int trace, int slot, float offset)
{
    if (view < 0 || view > 1 || slot < 0 || slot >= SpectrumOpts::SlotCount) return;
    SpectrumOpts& opts = SpectrumOptions[view];
    (trace == 2 ? opts.Offset2 : opts.Offset1)[slot] = offset;
}

void TMainWin::SetCompositeSetup(int view, int trace, const CompositeSettings& setup)
{
    if (view < 0 || view > 1) return;
    SpectrumOpts& opts = SpectrumOptions[view];
    (trace == 2 ? opts.CompositeType2 : opts.CompositeType1) = setup.CompositeType;
    std::copy_n(setup.IncludeInAverage, 6, trace == 2 ? opts.IncludeInAverage2 : opts.IncludeInAverage1);
    std::copy_n(setup.DifferenceIndex, 2, trace == 2 ? opts.DifferenceIndex2 : opts.DifferenceIndex1);
}

void TMainWin::ReloadOverlays()
{
    for (TSpectrumPlot* view : SpectrumViews()) {
        if (!view) continue;
        view->LoadOverlays();
        view->Invalidate(true);
    }
}

void TMainWin::MoveMarker(int marker, float frequency, bool bothViews)
{
    if (marker < 0 || marker >= MarkerSettings::Count) return;
    Markers.MarkerFreq[marker] = frequency;
    const auto views = SpectrumViews();
    if (views[0]) views[0]->NewData(0.0f);
    if (bothViews && views[1]) views[1]->NewData(0.0f);
}

void TMainWin::ShowMarker(int marker, bool shown)
{
    if (marker < 0 || marker >= MarkerSettings::Count) return;
    Markers.MarkerEnable[marker] = shown ? 1 : 0;
    for (TSpectrumPlot* view : SpectrumViews()) {
        if (!view) continue;
        if (shown) view->NewData(0.0f);
        else view->UpdateLayout();
    }
}
