#pragma once
#include <memory>
#include "shell/TMainWin.h"

// The main window's state as the tests set it up: every member, writable,
// as the window's own code sees it. Production code reads the state through
// the window's accessors and changes it through its commands and setters.
class TMainWinState {
public:
    explicit TMainWinState(TMainWin& main) : M(main) {}

    decltype(auto) Smoothing() { return (M.Smoothing); }
    decltype(auto) SeriesLeft() { return (M.SeriesLeft); }
    decltype(auto) SeriesRight() { return (M.SeriesRight); }
    decltype(auto) TriggerSeriesLeft() { return (M.TriggerSeriesLeft); }
    decltype(auto) TriggerSeriesRight() { return (M.TriggerSeriesRight); }
    decltype(auto) SpectralLeft() { return (M.SpectralLeft); }
    decltype(auto) SpectralRight() { return (M.SpectralRight); }
    decltype(auto) SpectralCombined() { return (M.SpectralCombined); }
    decltype(auto) SpectralAux() { return (M.SpectralAux); }
    decltype(auto) DisplayPrimary() { return (M.DisplayPrimary); }
    decltype(auto) DisplaySecondary() { return (M.DisplaySecondary); }
    decltype(auto) GeneratorLocked() { return (M.GeneratorLocked); }
    decltype(auto) Windows() { return (M.Windows); }
    decltype(auto) NoiseFigureOrder() { return (M.NoiseFigureOrder); }
    decltype(auto) Splash() { return (M.Splash); }
    decltype(auto) InputDeviceID() { return (M.InputDeviceID); }
    decltype(auto) OutputDeviceID() { return (M.OutputDeviceID); }
    decltype(auto) OpMode() { return (M.OpMode); }
    decltype(auto) RunState() { return (M.RunState); }
    decltype(auto) RunRequest() { return (M.RunRequest); }
    decltype(auto) OverloadFlag() { return (M.OverloadFlag); }
    decltype(auto) AppendHalt() { return (M.AppendHalt); }
    decltype(auto) BlocksProcessed() { return (M.BlocksProcessed); }
    decltype(auto) InputLevelLeft() { return (M.InputLevelLeft); }
    decltype(auto) InputLevelRight() { return (M.InputLevelRight); }
    decltype(auto) BlockLimit() { return (M.BlockLimit); }
    decltype(auto) BlockLimitFlag() { return (M.BlockLimitFlag); }
    decltype(auto) TriggerCount() { return (M.TriggerCount); }
    decltype(auto) ViewStatus() { return (M.ViewStatus); }
    decltype(auto) ApplicationHidden() { return (M.ApplicationHidden); }
    decltype(auto) Trigger() { return (M.Trigger); }
    decltype(auto) FileIO() { return (M.FileIO); }
    decltype(auto) Settings() { return (M.Settings); }
    decltype(auto) Scaling() { return (M.Scaling); }
    decltype(auto) Calibration() { return (M.Calibration); }
    decltype(auto) Pipeline() { return (M.Pipeline); }
    decltype(auto) DataSource() { return (M.DataSource); }
    decltype(auto) PrintOptions() { return (M.PrintOptions); }
    decltype(auto) DdeAdviseActive() { return (M.DdeAdviseActive); }
    decltype(auto) DdeClientLink() { return (M.DdeClientLink); }
    decltype(auto) DdeLinkNames() { return (M.DdeLinkNames); }
    decltype(auto) DdeLinkMode() { return (M.DdeLinkMode); }
    decltype(auto) RpmLinkFlag() { return (M.RpmLinkFlag); }
    decltype(auto) RpmStart() { return (M.RpmStart); }
    decltype(auto) RpmStep() { return (M.RpmStep); }
    decltype(auto) Markers() { return (M.Markers); }
    decltype(auto) SpectrumOptions() { return (M.SpectrumOptions); }
    decltype(auto) PhaseOptions() { return (M.PhaseOptions); }
    decltype(auto) SpectrogramOptions() { return (M.SpectrogramOptions); }
    decltype(auto) SurfaceOptions() { return (M.SurfaceOptions); }
    decltype(auto) SeriesOptions() { return (M.SeriesOptions); }
    decltype(auto) TimeSegmentStart() { return (M.TimeSegmentStart); }
    decltype(auto) TimeSegmentEnd() { return (M.TimeSegmentEnd); }
    decltype(auto) Filter() { return (M.Filter); }
    decltype(auto) Logging() { return (M.Logging); }
    decltype(auto) DelayFinderOptions() { return (M.DelayFinderOptions); }
    decltype(auto) LeqOptions() { return (M.LeqOptions); }
    decltype(auto) ImportOptions() { return (M.DataImportOptions); }
    decltype(auto) ExportOptions() { return (M.DataExportOptions); }
    decltype(auto) ReverbOptions() { return (M.ReverbOptions); }
    decltype(auto) ThdFreqOptions() { return (M.ThdFreqOptions); }
    decltype(auto) PhaseScopeOptions() { return (M.PhaseScopeOptions); }
    decltype(auto) MacroOptions() { return (M.MacroOptions); }
    decltype(auto) OverloadBlocks() { return (M.OverloadBlocks); }
    decltype(auto) ForceTrigger() { return (M.ForceTrigger); }
    decltype(auto) SeriesLiveBlock() { return (M.SeriesLiveBlock); }
    decltype(auto) SavedCaption() { return (M.SavedCaption); }
    decltype(auto) LastClosedFile() { return (M.LastClosedFile); }
    decltype(auto) DdeServer() { return (M.DdeServer); }
    decltype(auto) GainAdjustLeftDb() { return (M.GainAdjustLeftDb); }
    decltype(auto) GainAdjustRightDb() { return (M.GainAdjustRightDb); }
    decltype(auto) PeakSearchLow() { return (M.PeakSearchLow); }
    decltype(auto) PeakSearchHigh() { return (M.PeakSearchHigh); }

private:
    TMainWin& M;
};

inline TMainWinState State(TMainWin& main) { return TMainWinState(main); }
inline TMainWinState State(TMainWin* main) { return TMainWinState(*main); }
template <class Window>
TMainWinState State(const std::unique_ptr<Window>& main)
{
    return TMainWinState(*main);
}
