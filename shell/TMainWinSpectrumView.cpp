// What the spectrum view asks of the main window: markers, the autoscale
// limits of a spectrum (and of the time series) and the choice of its data source.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "dialogs/TCompositeOverlayDialog.h"
#include "dialogs/TOverlayDialog.h"
#include "dialogs/TOverlaySourceDialog.h"
#include "engine/TAutoscaleLimits.h"
#include "engine/TSeriesData.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "shell/TRunPause.h"
#include "views/TPlotBase.h"

void TMainWin::SetMarker(int index, bool enable, float frequency)
{
    if (index < 0 || index >= MarkerSettings::Count)
        return;
    Markers.MarkerEnable[index] = enable ? 1 : 0;
    if (enable)
        Markers.MarkerFreq[index] = frequency;
    InvalidateAllViews();
}

bool TMainWin::ComputeSpectrumAutoscale(const TSpectralData* spectrum, int first, int last, float& top,
                                        float& bottom)
{
    if (!spectrum)
        return false;
    const bool meter = SpectrumOptions[0].ShowPowerMeter != 0;
    float frequency = 0.0f, largest = 100.0f, smallest = 0.0f;
    if (Settings.PeakHold == 0) {
        spectrum->FindNthPeak(first, last, &frequency, &largest, 0);
    } else {
        largest = meter ? spectrum->GetOverallLevelPeak() : spectrum->GetPeakHoldMax(first, last);
    }
    if (meter)
        largest = std::max({largest, spectrum->GetOverallLevelPeak(), spectrum->GetOverallLevel()});
    spectrum->FindMinimum(first, last, &frequency, &smallest);
    return TAutoscaleLimits::Spectrum(largest, smallest, spectrum->GetAmplitudeScale(), top, bottom);
}

bool TMainWin::ComputeTimeSeriesAutoscale(uint16_t channel, uint32_t first, uint32_t last, float& top,
                                          float& bottom)
{
    float largest = 0.0f, smallest = 0.0f;
    const int rms = int(SeriesOptions.DisplayMaxMinRangeAsRMS);
    if (SeriesLiveBlock == 1) {
        if (const TSeriesData* block = channel == 0 ? SeriesLeft : SeriesRight)
            block->GetMinMax(first, last, &largest, &smallest, 1, rms);
    } else {
        if (!WaveFile)
            return false;
        WaveFile->GetMinMax(first, last, &largest, &smallest, channel, 1, rms);
    }
    float peak = std::max(std::fabs(largest), std::fabs(smallest));
    // Uncalibrated data reads in percent of full scale; the left channel decides for both.
    if (Calibration.Left.IsEnabled == 0)
        peak *= 100.0f;
    const uint16_t scale = uint16_t(SeriesOptions.AmpScaleType);
    const float value = scale == 1 ? (peak > 0.0f ? LevelToDisplayUnits(channel, peak) : 0.0f) : peak;
    TAutoscaleLimits::TimeSeries(value, scale, top, bottom);
    return true;
}

bool TMainWin::ChooseSpectrumSource(TPlotBase& view, const char* templateName, uint32_t& choice)
{
    TOverlaySourceDialog dialog(&view, templateName, &choice);
    return ExecuteDialog(dialog) == IDOK;
}

bool TMainWin::EditCompositeSettings(TPlotBase& view, CompositeSettings& settings)
{
    TCompositeOverlayDialog dialog(&view, HelpPath, "DIALOG_COMPOSITE", &settings);
    return ExecuteDialog(dialog) == IDOK;
}

bool TMainWin::EditOverlaySettings(TPlotBase& view, SpectrumOpts& opts, int channel, uint16_t frequencyScale,
                                   bool pause)
{
    std::optional<TRunPause> paused;
    if (pause)
        paused.emplace(*this);
    TOverlayDialog dialog(&view, *this, "DIALOG_OVERLAY", &opts, channel, frequencyScale, GetOverlayFolder());
    return ExecuteDialog(dialog) == IDOK;
}
