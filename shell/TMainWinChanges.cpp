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
