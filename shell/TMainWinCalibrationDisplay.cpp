// What the compensation, calibration, trigger and plot display commands
// change: compensation files, the trigger record, calibration on and off,
// calibrating from the input, loading a .cal, clearing the displayed spectra
// and the wave segment the segment items measure.
#include "shell/TMainWin.h"

#include <cstdio>
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "shell/StatusBar.h"
#include "shell/TRunPause.h"
#include "views/TSpectrumPlot.h"

void TMainWin::SetMicCompensation(unsigned channels, bool enable, std::array<const char*, 2> files)
{
    for (int ch = 0; ch < 2; ++ch) {
        if (!(channels & (1u << ch))) continue;
        Scaling[ch].MicCompEnable = enable ? 1 : 0;
        if (files[ch]) std::snprintf(Scaling[ch].MicCompFilename, sizeof Scaling[ch].MicCompFilename, "%s", files[ch]);
    }
    ApplySettings(RefreshKind::Full);
}

void TMainWin::SetTrigger(const TriggerSettings& trigger)
{
    Trigger = trigger;
    RefreshStatusBar(StatusBar::WholeBar);
}

void TMainWin::SetCalibrationEnabled(bool enabled)
{
    const uint32_t flag = enabled ? 1 : 0;
    if (Calibration.Left.IsEnabled == flag && Calibration.Right.IsEnabled == flag) return;
    TRunPause pause(*this);
    Calibration.Left.IsEnabled = flag;
    Calibration.Right.IsEnabled = flag;
    ApplyWaveCalibration();
    ApplySettings(RefreshKind::RecomputeHistory);
}

// The record takes the new ratio at once; the engines take it at the next
// apply, as the calibration dialog leaves it to its OK.
bool TMainWin::CalibrateLeftFromInput()
{
    TRunPause pause(*this);
    TWaveData capture;
    if (!AcquireCalibrationSignal(0, &capture)) return false;
    MeasureCalibrationLevel(0, &capture, Calibration);
    ComputeCalibrationRatio(Calibration);
    Calibration.Left.IsEnabled = 1;
    return true;
}

bool TMainWin::LoadCalibration(const char* name)
{
    TRunPause pause(*this);
    const bool read = ReadCalibrationFile(name, Calibration);
    ApplyWaveCalibration();
    // The reader applies what it read; a file that did not open cleared both flags.
    if (!read) ApplySettings(RefreshKind::RecomputeHistory);
    return read;
}

void TMainWin::ClearDisplayedSpectra(bool peakHold)
{
    TSpectralData* const displayed[] = {DisplayPrimary, DisplaySecondary};
    for (TSpectralData* spectrum : displayed) {
        if (!spectrum) continue;
        if (peakHold) spectrum->ResetPeakHold();
        else spectrum->ResetAverages();
    }
    for (TSpectrumPlot* view : SpectrumViews()) {
        if (!view) continue;
        view->NewData(0.0f);
        view->Invalidate(true);
    }
}

void TMainWin::SetTimeSegment(float start, float end)
{
    TimeSegmentStart = start;
    TimeSegmentEnd = end;
}
