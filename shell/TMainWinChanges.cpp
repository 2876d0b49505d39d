// The one door for each settings change: every bar, dialog, configuration,
// macro keyword and DDE poke that changes a setting calls one of these.
#include "shell/TMainWin.h"

#include <cstdlib>
#include "base/TSettingsTable.h"
#include "engine/TChannelProcessing.h"
#include "framework/TProfileFile.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "shell/StatusBar.h"
#include "shell/TRunPause.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

bool TMainWin::SetFftSize(uint32_t size)
{
    if (!TSpectralData::IsValidFFTSize(size)) return false;
    TRunPause pause(*this);
    Settings.FFTsize = size;
    UpdateHopSize();
    ApplySettings(RefreshKind::Full);
    return true;
}

bool TMainWin::SetWindowType(uint16_t type)
{
    if (!TSmoothing::IsValidWindowType(type)) return false;
    TRunPause pause(*this);
    Settings.SmoothingWindow = type;
    // Only the taper changed: the spectrogram and surface keep their lines and recompute them.
    ApplySettings(RefreshKind::RecomputeHistory);
    return true;
}

bool TMainWin::SetFormat(uint32_t rate, uint16_t channels, uint16_t bytesPerSample)
{
    if (!TWaveFormat::IsValid(rate, channels, bytesPerSample)) return false;
    TRunPause pause(*this);
    const bool toStereo = Settings.Format.NumChannels == 1 && channels == 2;
    Settings.Format.Set(rate, channels, bytesPerSample);
    if (toStereo) {
        // A new second channel is shown beside the first.
        Settings.ChannelProcessing = TChannelProcessing::BothChannels;
        OpenSecondChannelViews();
    }
    ApplySettings(RefreshKind::Full);
    return true;
}

bool TMainWin::SetChannelProcessing(uint16_t mode)
{
    if (!TChannelProcessing::IsValid(mode)) return false;
    TRunPause pause(*this);
    Settings.ChannelProcessing = mode;
    ApplySettings(RefreshKind::Full);
    return true;
}

bool TMainWin::SetFormatAndChannelProcessing(uint32_t rate, uint16_t channels, uint16_t bytesPerSample,
                                             uint16_t mode)
{
    if (!TWaveFormat::IsValid(rate, channels, bytesPerSample) || !TChannelProcessing::IsValid(mode)) return false;
    TRunPause pause(*this);
    Settings.Format.Set(rate, channels, bytesPerSample);
    Settings.ChannelProcessing = mode;
    ApplySettings(RefreshKind::Full);
    return true;
}

bool TMainWin::SetDecimationRatio(uint16_t ratio)
{
    if (!TSeriesData::IsValidDecimationRatio(ratio)) return false;
    TRunPause pause(*this);
    Settings.DecimationRatio = ratio;
    ApplySettings(RefreshKind::Full);
    return true;
}

bool TMainWin::SetOverlapPercent(uint16_t percent)
{
    if (!AnalysisSettingsStruct::IsValidOverlap(percent)) return false;
    TRunPause pause(*this);
    Settings.OverlapPercent = percent;
    UpdateHopSize();
    return true;
}

// Averaging and peak hold change the running engines in place: no stop.
bool TMainWin::SetAverageBlocks(uint32_t blocks)
{
    if (blocks == 0) return false;
    Settings.AverageBlocks = blocks;
    Pipeline.RestoreAveraging();
    return true;
}

bool TMainWin::SetAverageType(uint16_t type)
{
    if (!TSpectralData::IsValidAveragingType(type)) return false;
    Settings.AverageType = type;
    Pipeline.RestoreAveraging();
    return true;
}

bool TMainWin::SetAverageSpeed(uint16_t speed)
{
    if (speed >= TSpectrumPipeline::AverageSpeedCount) return false;
    Settings.AverageSpeed = speed;
    Pipeline.RestoreAveraging();
    return true;
}

bool TMainWin::SetPeakHold(uint16_t mode)
{
    if (mode >= TSpectralData::PeakHoldModeCount) return false;
    Settings.PeakHold = mode;
    Pipeline.SetPeakHold(mode);
    RepaintSpectrumViews();
    return true;
}

bool TMainWin::SetAverageMode(uint16_t mode)
{
    if (!AnalysisSettingsStruct::IsValidAverageMode(mode)) return false;
    Settings.AverageMode = mode;
    return true;
}

bool TMainWin::IsValidProcessingSettings(const AnalysisSettingsStruct& r)
{
    const TWaveFormat& f = r.Format;
    return TSpectralData::IsValidFFTSize(r.FFTsize) && TSmoothing::IsValidWindowType(r.SmoothingWindow)
        && TWaveFormat::IsValid(f.SamplingRate, f.NumChannels, f.BytesPerSample)
        && TChannelProcessing::IsValid(r.ChannelProcessing) && TSeriesData::IsValidDecimationRatio(r.DecimationRatio)
        && AnalysisSettingsStruct::IsValidOverlap(r.OverlapPercent) && r.AverageBlocks != 0
        && TSpectralData::IsValidAveragingType(r.AverageType) && r.AverageSpeed < TSpectrumPipeline::AverageSpeedCount
        && r.PeakHold < TSpectralData::PeakHoldModeCount && AnalysisSettingsStruct::IsValidAverageMode(r.AverageMode);
}

void TMainWin::ShapeWindow()
{
    Pipeline.ShapeWindow(KaiserAlpha());
}

float TMainWin::KaiserAlpha() const
{
    // Only the whole part of the stored alpha counts, and only the program's own INI holds it.
    if (Settings.SmoothingWindow != TSmoothing::Kaiser)
        return 0.0f;
    TProfileFile ini(IniPath);
    return float(TSettingsTable::ReadInt(ini, "Settings", "KaiserAlpha", 5));
}

// The view records. Each plot view reads its record in place, so storing it
// is most of the change; the view is told what it must redo at once.

void TMainWin::SetSeriesOptions(const SeriesOpts& opts)
{
    SeriesOptions = opts;
    TSeriesPlot* view = TimeSeriesView();
    if (!ViewStatus.TimeSeries || !view) return;
    view->SetTimeRange(opts.StartTime, opts.StopTime);
    view->UpdateLayout();
}

void TMainWin::SetSpectrumOptions(int index, const SpectrumOpts& opts)
{
    SpectrumOptions[index] = opts;
    TSpectrumPlot* view = SpectrumView(index);
    if (!view) return;
    view->SetFrequencyRange(opts.StartFreq, opts.StopFreq);
    view->UpdateLayout();
    view->NewData(0.0f);
    view->Invalidate(true);
}

void TMainWin::SetPhaseOptions(int index, const PhaseOpts& opts)
{
    PhaseOptions[index] = opts;
    TPhasePlot* view = PhaseView(index);
    if (!view) return;
    view->SetFrequencyRange(opts.StartFreq, opts.StopFreq);
    view->UpdateLayout();
}

// The span counts in whole hertz: a fraction moves no line of the history.
static bool SameSpan(uint32_t fullA, float startA, float stopA, uint32_t fullB, float startB, float stopB)
{
    return fullA == fullB && int32_t(startA) == int32_t(startB) && int32_t(stopA) == int32_t(stopB);
}

// Intensity and the update interval alone show at the next repaint.
void TMainWin::SetSurfaceOptions(int index, const SurfaceOpts& opts)
{
    const SurfaceOpts old = SurfaceOptions[index];
    SurfaceOptions[index] = opts;
    TSurfacePlot* view = SurfaceView(index);
    if (!view) return;
    const bool same = SameSpan(old.UseFullSpan, old.StartFreq, old.StopFreq, opts.UseFullSpan, opts.StartFreq,
                               opts.StopFreq)
        && old.ShowToolbar == opts.ShowToolbar && old.LineColor == opts.LineColor
        && old.BackgroundColor == opts.BackgroundColor && old.ColorMode == opts.ColorMode
        && old.PlotTop == opts.PlotTop && old.PlotRange == opts.PlotRange;
    if (same) return;
    view->UpdateLayout();
    RecomputeSurface(*view);
}

// A new span or amplitude axis rebuilds the history; new colours only
// repaint it through a new palette; a new direction lays it out again.
void TMainWin::SetSpectrogramOptions(int index, const SpectrogramOpts& opts)
{
    const SpectrogramOpts old = SpectrogramOptions[index];
    SpectrogramOptions[index] = opts;
    TSpectrogram* view = SpectrogramView(index);
    if (!view) return;
    const bool same = SameSpan(old.UseFullSpan, old.StartFreq, old.StopFreq, opts.UseFullSpan, opts.StartFreq,
                               opts.StopFreq)
        && old.ShowToolbar == opts.ShowToolbar && old.PlotTop == opts.PlotTop && old.PlotRange == opts.PlotRange;
    if (!same) {
        view->UpdateLayout();
        RebuildSpectrogram(*view);
    }
    else if (old.Direction == opts.Direction) {
        view->BuildPalette();
        view->Invalidate(true);
        view->UpdateWindow();
    }
    else
        view->UpdateLayout();
}
