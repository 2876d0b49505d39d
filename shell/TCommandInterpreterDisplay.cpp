// The plot display commands: the spectrum graph style, autoscaling, clearing,
// the plot tops and ranges, the frequency spans, the time segment and copying
// the active view as a bitmap.
#include "shell/TCommandInterpreter.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <sstream>
#include <utility>
#include "dialogs/TViewOptionsForm.h"
#include "engine/TSpectralData.h"
#include "framework/TMDIClient.h"
#include "shell/TMainWin.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

namespace {

using TKind = TViewOptionsForm::TKind;

// A plot-level row's value: the kind, times two, plus 1 for the range.
constexpr int Level(TKind kind, bool range) { return int(kind) * 2 + (range ? 1 : 0); }

// The first two words of an argument; nothing with fewer.
std::optional<std::pair<std::string, std::string>> TwoWords(const std::string& argument)
{
    std::istringstream fields(argument);
    std::string first, second;
    if (!(fields >> first >> second)) return std::nullopt;
    return std::make_pair(first, second);
}

// The amplitude scale the options dialogs check a kind's levels against.
uint16_t LevelScale(const TMainWin& main, TKind kind)
{
    if (kind == TKind::Series) return main.GetSeriesOptions().AmpScaleType;
    if (kind == TKind::Phase) return 0;
    return main.GetLeftSpectrum() ? main.GetLeftSpectrum()->GetAmplitudeScale() : 1;
}

// Changes the options of a kind's first view and hands them to the main
// window's door for that kind.
template <class Change> void ChangeOptions(TMainWin& main, TKind kind, Change change)
{
    const auto changed = [&](auto opts) {
        change(opts);
        return opts;
    };
    switch (kind) {
    case TKind::Spectrum: main.SetSpectrumOptions(0, changed(main.GetSpectrumOptions(0))); break;
    case TKind::Series: main.SetSeriesOptions(changed(main.GetSeriesOptions())); break;
    case TKind::Phase: main.SetPhaseOptions(0, changed(main.GetPhaseOptions(0))); break;
    case TKind::Spectrogram: main.SetSpectrogramOptions(0, changed(main.GetSpectrogramOptions(0))); break;
    case TKind::Surface: main.SetSurfaceOptions(0, changed(main.GetSurfaceOptions(0))); break;
    }
}

}  // namespace

uint32_t TCommandInterpreter::SpectrumPlotType(const std::string&, int type)
{
    for (int index = 0; index < 2; ++index) {
        SpectrumOpts opts = Main.GetSpectrumOptions(index);
        opts.PlotType = uint16_t(type);
        Main.SetSpectrumOptions(index, opts);
    }
    return Done;
}

uint32_t TCommandInterpreter::AutoscaleSpectrum(const std::string&, int)
{
    if (!Main.GetViewStatus().SpectrumPlot) return Done;
    for (TSpectrumPlot* view : Main.SpectrumViews())
        if (view) view->Autoscale();
    return Done;
}

uint32_t TCommandInterpreter::AutoscaleTimeSeries(const std::string&, int)
{
    if (TSeriesPlot* view = Main.TimeSeriesView()) view->CmAutoscale();
    return Done;
}

uint32_t TCommandInterpreter::ClearSpectra(const std::string&, int peakHold)
{
    Main.ClearDisplayedSpectra(peakHold != 0);
    return Done;
}

// A value the kind's options dialog would refuse changes nothing.
uint32_t TCommandInterpreter::PlotLevel(const std::string& argument, int level)
{
    const TKind kind = TKind(level / 2);
    const bool range = level % 2 != 0;
    const double value = TKeywordTable::ReadNumber(argument);
    const uint16_t scale = LevelScale(Main, kind);
    if (range ? !TViewOptionsForm::AcceptsRange(kind, scale, value) : !TViewOptionsForm::AcceptsTop(kind, scale, value))
        return Done;
    ChangeOptions(Main, kind, [&](auto& opts) { (range ? opts.PlotRange : opts.PlotTop) = float(value); });
    return Done;
}

// A reversed or empty span keeps the stored one, which the view still shows.
uint32_t TCommandInterpreter::FrequencySpan(const std::string& argument, int kind)
{
    const auto words = TwoWords(argument);
    if (!words) return Done;
    const float start = float(std::max(TKeywordTable::ReadInteger(words->first), 0));
    const float stop = float(std::max(TKeywordTable::ReadInteger(words->second), 0));
    const bool store = stop > start;
    // The time series has no frequency span; the kinds that can show their
    // full span give it up for the one set.
    if (TKind(kind) == TKind::Series) return Done;
    ChangeOptions(Main, TKind(kind), [&](auto& opts) {
        if constexpr (requires { opts.StartFreq; }) {
            if (!store) return;
            opts.StartFreq = start;
            opts.StopFreq = stop;
            if constexpr (requires { opts.UseFullSpan; }) opts.UseFullSpan = 0;
        }
    });
    return Done;
}

// The main window's segment takes the clamped values even when reversed;
// the time series view only an ordered span.
uint32_t TCommandInterpreter::SetTimeSegment(const std::string& argument, int)
{
    const auto words = TwoWords(argument);
    if (!words) return Done;
    const double start = std::max(TKeywordTable::ReadNumber(words->first), 0.0);
    const double stop = std::max(TKeywordTable::ReadNumber(words->second), 0.0);
    if (!std::isfinite(float(start)) || !std::isfinite(float(stop))) return Done;
    SeriesOpts opts = Main.GetSeriesOptions();
    if (stop > start) {
        opts.StartTime = float(start);
        opts.StopTime = float(stop);
    }
    Main.SetSeriesOptions(opts);
    Main.SetTimeSegment(float(start), float(stop));
    return Done;
}

// Only the first view of each kind is copied; any other active window copies nothing.
uint32_t TCommandInterpreter::CopyToClipboardAsBitmap(const std::string&, int)
{
    const TMDIClient* client = Main.GetClientWindow();
    if (!client) return Done;
    TPlotBase* const candidates[] = {Main.SpectrumView(0), Main.TimeSeriesView(), Main.PhaseView(0),
                                     Main.SpectrogramView(0), Main.SurfaceView(0)};
    for (TPlotBase* view : candidates)
        if (view && client->GetActiveMDIChild() == view) {
            view->CopyAsBitmap();
            break;
        }
    return Done;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::DisplayTable[] = {
    {K::SetSpectrumBarGraph, &I::SpectrumPlotType, 1},
    {K::SetSpectrumSteppedBarGraph, &I::SpectrumPlotType, 2},
    {K::SetSpectrumLineGraph, &I::SpectrumPlotType, 0},
    {K::AutoscaleSpectrum, &I::AutoscaleSpectrum, 0},
    {K::AutoscaleTimeSeries, &I::AutoscaleTimeSeries, 0},
    {K::ClearSpectrum, &I::ClearSpectra, 0},
    {K::ClearPeakHold, &I::ClearSpectra, 1},
    {K::SetSpectrumPlotTop, &I::PlotLevel, Level(TKind::Spectrum, false)},
    {K::SetSpectrumPlotRange, &I::PlotLevel, Level(TKind::Spectrum, true)},
    {K::SetTimeSeriesPlotTop, &I::PlotLevel, Level(TKind::Series, false)},
    {K::SetTimeSeriesPlotRange, &I::PlotLevel, Level(TKind::Series, true)},
    {K::SetPhasePlotTop, &I::PlotLevel, Level(TKind::Phase, false)},
    {K::SetPhasePlotRange, &I::PlotLevel, Level(TKind::Phase, true)},
    {K::SetSpectrogramPlotTop, &I::PlotLevel, Level(TKind::Spectrogram, false)},
    {K::SetSpectrogramPlotRange, &I::PlotLevel, Level(TKind::Spectrogram, true)},
    {K::SetSurfacePlotTop, &I::PlotLevel, Level(TKind::Surface, false)},
    {K::SetSurfacePlotRange, &I::PlotLevel, Level(TKind::Surface, true)},
    {K::SpectrumFreqSpan, &I::FrequencySpan, int(TKind::Spectrum)},
    {K::PhaseFreqSpan, &I::FrequencySpan, int(TKind::Phase)},
    {K::SpectrogramFreqSpan, &I::FrequencySpan, int(TKind::Spectrogram)},
    {K::SurfaceFreqSpan, &I::FrequencySpan, int(TKind::Surface)},
    {K::SetTimeSegment, &I::SetTimeSegment, 0},
    {K::CopyToClipboardAsBitmap, &I::CopyToClipboardAsBitmap, 0},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::DisplayRows()
{
    return {DisplayTable, std::size(DisplayTable)};
}
