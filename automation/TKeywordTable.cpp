// The keyword table of the command language and the matching of a command.
#include "automation/TKeywordTable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>

namespace {

using K = TKeyword;
using M = TKeywordTable;
constexpr auto Whole = M::Whole;
constexpr auto LeadingPart = M::LeadingPart;
constexpr auto Prefix = M::Prefix;
constexpr auto AtSeparator = M::AtSeparator;
constexpr auto PastSeparator = M::PastSeparator;
constexpr auto PastLetter = M::PastLetter;

constexpr TKeywordTable::TEntry Entries[] = {
    {K::Run, "[Run]", Whole, 0},
    {K::RunBlocks, "[Run ", Prefix, 0},
    {K::SingleStep, "[Single Step]", Whole, 0},
    {K::Stop, "[Stop]", Whole, 0},
    {K::Rewind, "[Rewind]", Whole, 0},
    {K::FastForward, "[Fast Forward]", Whole, 0},
    {K::Record, "[Record]", Whole, 0},
    {K::Play, "[Play]", Whole, 0},
    {K::PlaySegment, "[Play Segment ", Prefix, 0},
    {K::PauseRecorder, "[Pause Recorder]", LeadingPart, 0},
    {K::ResumeRecorder, "[Resume Recorder]", LeadingPart, 0},
    {K::GoToSample, "[Go To Sample ", Prefix, 0},
    {K::GoTo, "[Go To ", Prefix, 0},
    {K::ResetAverage, "[Reset Average]", Whole, 0},
    {K::ForceTrigger, "[Trigger]", Whole, 0},
    {K::ResetOverload, "[Reset Overload]", Whole, 0},
    {K::PeakHoldOn, "[Peak Hold On]", Whole, 0},
    {K::PeakHoldOff, "[Peak Hold Off]", Whole, 0},
    {K::EnablePeakHold, "[Enable Peak Hold]", Whole, 0},
    {K::DisablePeakHold, "[Disable Peak Hold]", Whole, 0},
    {K::SetPeakHold, "[Set Peak Hold ", Prefix, 0},
    {K::AverageSize, "[Average Size ", Prefix, 0},
    {K::SetAverageSize, "[Set Average Size ", Prefix, 0},
    {K::SetAverageType, "[Set Average Type ", Prefix, 0},
    {K::SetAverageMode, "[Set Average Mode ", Prefix, 0},
    {K::SetChannel, "[Set Channel", PastLetter, 0},
    {K::FFTOverlap, "[FFT Overlap ", Prefix, 0},
    {K::SetFFTOverlap, "[Set FFT Overlap ", Prefix, 0},
    {K::FFTSize, "[FFT Size ", Prefix, 0},
    {K::SetFFTSize, "[Set FFT Size ", Prefix, 0},
    {K::ModeRealTime, "[Mode Real Time]", Whole, 500},
    {K::ModeRecorder, "[Mode Recorder]", Whole, 500},
    {K::ModePostProcessing, "[Mode Post Processing]", Whole, 500},
    {K::SetSamplingRate, "[Set Sampling Rate ", Prefix, 0},
    {K::SetSamplingPrecision, "[Set Sampling Precision ", Prefix, 0},
    {K::SetDecimationRatio, "[Set Decimation Ratio ", Prefix, 0},
    {K::WindowBartlett, "[Window Bartlett]", Whole, 0},
    {K::WindowBlackman, "[Window Blackman]", Whole, 0},
    {K::WindowFlatTop, "[Window Flat Top]", Whole, 0},
    {K::WindowHamming, "[Window Hamming]", Whole, 0},
    {K::WindowHanning, "[Window Hanning]", Whole, 0},
    {K::WindowKaiser, "[Window Kaiser]", Whole, 0},
    {K::WindowParzen, "[Window Parzen]", Whole, 0},
    {K::WindowTriangular, "[Window Triangular]", Whole, 0},
    {K::WindowUniform, "[Window Uniform]", Whole, 0},
    {K::CopyTimeSegment, "[Copy Time Segment ", Prefix, 100},
    {K::CutTimeSegment, "[Cut Time Segment ", Prefix, 100},
    {K::MuteTimeSegment, "[Mute Time Segment ", Prefix, 100},
    {K::PasteTimeSegment, "[Paste Time Segment ", Prefix, 200},
    {K::ApplyFilter, "[Apply Filter ", Prefix, 500},
    {K::SetPeakSearchBandwidth, "[Set Peak Search Bandwidth ", Prefix, 0},
    {K::OpenGenerator, "[Open Generator]", LeadingPart, 500},
    {K::CloseGenerator, "[Close Generator]", LeadingPart, 500},
    {K::StartGenerator, "[Start Generator]", Whole, 0},
    {K::StopGenerator, "[Stop Generator]", Whole, 0},
    {K::OpenPhaseScope, "[Open PhaseScope]", LeadingPart, 500},
    {K::ClosePhaseScope, "[Close PhaseScope]", LeadingPart, 500},
    {K::OpenDelayFinder, "[Open DelayFinder]", LeadingPart, 500},
    {K::CloseDelayFinder, "[Close DelayFinder]", LeadingPart, 500},
    {K::ApplyDelayFinder, "[Apply DelayFinder]", LeadingPart, 0},
    {K::SetDelay, "[Set Delay ", AtSeparator, 0},
    {K::OpenLeq, "[Open Leq]", LeadingPart, 500},
    {K::CloseLeq, "[Close Leq]", LeadingPart, 500},
    {K::ResetLeq, "[Reset Leq]", LeadingPart, 0},
    {K::SetOverlayOffset, "[Set Overlay Offset ", AtSeparator, 0},
    {K::SetLeftOverlayOffset, "[Set Left Overlay Offset ", AtSeparator, 0},
    {K::SetRightOverlayOffset, "[Set Right Overlay Offset ", AtSeparator, 0},
    {K::SetOverlayLegend, "[Set Overlay Legend ", AtSeparator, 0},
    {K::SetLeftOverlayLegend, "[Set Left Overlay Legend ", AtSeparator, 0},
    {K::SetRightOverlayLegend, "[Set Right Overlay Legend ", AtSeparator, 0},
    {K::SetOverlayFromPeakHold, "[Set Overlay From Peak Hold ", AtSeparator, 0},
    {K::SetLeftOverlayFromPeakHold, "[Set Left Overlay From Peak Hold ", AtSeparator, 0},
    {K::SetRightOverlayFromPeakHold, "[Set Right Overlay From Peak Hold ", AtSeparator, 0},
    {K::SetOverlay, "[Set Overlay ", AtSeparator, 0},
    {K::SetLeftOverlay, "[Set Left Overlay ", AtSeparator, 0},
    {K::SetRightOverlay, "[Set Right Overlay ", AtSeparator, 0},
    {K::ShowOverlay, "[Show Overlay ", AtSeparator, 0},
    {K::ShowLeftOverlay, "[Show Left Overlay ", AtSeparator, 0},
    {K::ShowRightOverlay, "[Show Right Overlay ", AtSeparator, 0},
    {K::HideOverlay, "[Hide Overlay ", AtSeparator, 0},
    {K::HideLeftOverlay, "[Hide Left Overlay ", AtSeparator, 0},
    {K::HideRightOverlay, "[Hide Right Overlay ", AtSeparator, 0},
    {K::SetupCompositeOverlay, "[Setup Composite Overlay ", AtSeparator, 0},
    {K::SetupLeftCompositeOverlay, "[Setup Left Composite Overlay ", AtSeparator, 0},
    {K::SetupRightCompositeOverlay, "[Setup Right Composite Overlay ", AtSeparator, 0},
    {K::SaveLeftOverlayFile, "[Save Left Overlay File ", AtSeparator, 500},
    {K::SaveRightOverlayFile, "[Save Right Overlay File ", AtSeparator, 500},
    {K::LoadLeftOverlayFile, "[Load Left Overlay File ", AtSeparator, 500},
    {K::LoadRightOverlayFile, "[Load Right Overlay File ", AtSeparator, 500},
    {K::SetMarker, "[Set Marker ", AtSeparator, 0},
    {K::ShowMarker, "[Show Marker ", AtSeparator, 0},
    {K::HideMarker, "[Hide Marker ", AtSeparator, 0},
    {K::Marker1, "[Marker1", PastLetter, 0},
    {K::Marker2, "[Marker2", PastLetter, 0},
    {K::Marker3, "[Marker3", PastLetter, 0},
    {K::Marker4, "[Marker4", PastLetter, 0},
    {K::Marker5, "[Marker5", PastLetter, 0},
    {K::Marker6, "[Marker6", PastLetter, 0},
    {K::FileOpen, "[File Open", PastLetter, 500},
    {K::FileSave, "[File Save", PastLetter, 500},
    {K::FileClose, "[File Close]", Whole, 500},
    {K::FileDelete, "[File Delete ", Prefix, 0},
    {K::ExitApplication, "[Exit Application]", Whole, 0},
    {K::FileDecimate, "[File Decimate ", Prefix, 0},
    {K::FileMerge, "[File Merge ", Prefix, 0},
    {K::HideWindow, "[Hide Window]", Whole, 0},
    {K::ShowWindow, "[Show Window]", Whole, 0},
    {K::MinimizeWindow, "[Minimize Window]", Whole, 500},
    {K::RestoreWindow, "[Restore Window]", Whole, 500},
    {K::MaximizeWindow, "[Maximize Window]", Whole, 500},
    {K::CascadeWindows, "[Cascade Windows]", Whole, 500},
    {K::TileWindowsVertical, "[Tile Windows Vertical]", Whole, 500},
    {K::TileWindowsHorizontal, "[Tile Windows Horizontal]", Whole, 500},
    {K::SetDataLoggingFile, "[Set DataLogging File ", Prefix, 0},
    {K::EnableDataLogging, "[Enable DataLogging]", LeadingPart, 0},
    {K::DisableDataLogging, "[Disable DataLogging]", LeadingPart, 0},
    {K::LoggingOn, "[Logging On]", Whole, 0},
    {K::LoggingOff, "[Logging Off]", Whole, 0},
    {K::SetAmplitudeScalingType, "[Set Amplitude Scaling Type ", Prefix, 0},
    {K::SetLeftAmplitudeScalingType, "[Set Left Amplitude Scaling Type ", Prefix, 0},
    {K::SetRightAmplitudeScalingType, "[Set Right Amplitude Scaling Type ", Prefix, 0},
    {K::SetFrequencyScalingType, "[Set Frequency Scaling Type ", Prefix, 0},
    {K::SetLeftFrequencyScalingType, "[Set Left Frequency Scaling Type ", Prefix, 0},
    {K::SetRightFrequencyScalingType, "[Set Right Frequency Scaling Type ", Prefix, 0},
    {K::SetOctave, "[Set Octave ", Prefix, 0},
    {K::SetLeftOctave, "[Set Left Octave ", Prefix, 0},
    {K::SetRightOctave, "[Set Right Octave ", Prefix, 0},
    {K::SetSpectrumWeighting, "[Set Spectrum Weighting ", Prefix, 0},
    {K::SetLeftSpectrumWeighting, "[Set Left Spectrum Weighting ", Prefix, 0},
    {K::SetRightSpectrumWeighting, "[Set Right Spectrum Weighting ", Prefix, 0},
    {K::SetTotalPowerWeighting, "[Set Total Power Weighting ", Prefix, 0},
    {K::SetLeftTotalPowerWeighting, "[Set Left Total Power Weighting ", Prefix, 0},
    {K::SetRightTotalPowerWeighting, "[Set Right Total Power Weighting ", Prefix, 0},
    {K::SetPSDType, "[Set PSD Type ", Prefix, 0},
    {K::SetLeftPSDType, "[Set Left PSD Type ", Prefix, 0},
    {K::SetRightPSDType, "[Set Right PSD Type ", Prefix, 0},
    {K::EnablePSD, "[Enable PSD]", LeadingPart, 0},
    {K::EnableLeftPSD, "[Enable Left PSD]", LeadingPart, 0},
    {K::EnableRightPSD, "[Enable Right PSD]", LeadingPart, 0},
    {K::DisablePSD, "[Disable PSD]", LeadingPart, 0},
    {K::DisableLeftPSD, "[Disable Left PSD]", LeadingPart, 0},
    {K::DisableRightPSD, "[Disable Right PSD]", LeadingPart, 0},
    {K::SetMicCompensationFile, "[Set Mic Compensation File ", Prefix, 0},
    {K::SetLeftMicCompensationFile, "[Set Left Mic Compensation File", PastLetter, 0},
    {K::SetRightMicCompensationFile, "[Set Right Mic Compensation File", PastLetter, 0},
    {K::EnableMicCompensation, "[Enable Mic Compensation]", LeadingPart, 0},
    {K::EnableLeftMicCompensation, "[Enable Left Mic Compensation]", LeadingPart, 0},
    {K::EnableRightMicCompensation, "[Enable Right Mic Compensation]", LeadingPart, 0},
    {K::DisableMicCompensation, "[Disable Mic Compensation]", LeadingPart, 0},
    {K::DisableLeftMicCompensation, "[Disable Left Mic Compensation]", LeadingPart, 0},
    {K::DisableRightMicCompensation, "[Disable Right Mic Compensation]", LeadingPart, 0},
    {K::MicCompensationEnable, "[MicCompensation Enable]", Whole, 0},
    {K::MicCompensationDisable, "[MicCompensation Disable]", Whole, 0},
    {K::TriggerOn, "[Trigger On]", Whole, 0},
    {K::TriggerOff, "[Trigger Off]", Whole, 0},
    {K::TriggerReArmOn, "[Trigger ReArm On]", Whole, 0},
    {K::TriggerReArmOff, "[Trigger ReArm Off]", Whole, 0},
    {K::TriggerThreshold, "[Trigger Threshold ", Prefix, 0},
    {K::SetSpectrumBarGraph, "[Set Spectrum Bar Graph]", Whole, 0},
    {K::SetSpectrumSteppedBarGraph, "[Set Spectrum Stepped Bar Graph]", Whole, 0},
    {K::SetSpectrumLineGraph, "[Set Spectrum Line Graph]", Whole, 0},
    {K::AutoscaleSpectrum, "[Autoscale Spectrum]", Whole, 500},
    {K::AutoscaleTimeSeries, "[Autoscale Time Series]", Whole, 500},
    {K::ClearSpectrum, "[Clear Spectrum]", Whole, 0},
    {K::ClearPeakHold, "[Clear Peak Hold]", Whole, 0},
    {K::ComputeAverageSpectrum, "[Compute Average Spectrum ", PastSeparator, 500},
    {K::ComputeReverb, "[Compute Reverb ", PastSeparator, 500},
    {K::BuildSpectrogram, "[Build Spectrogram ", PastSeparator, 500},
    {K::BuildSurface, "[Build Surface ", Prefix, 500},
    {K::SetSpectrumPlotTop, "[Set Spectrum Plot Top ", PastSeparator, 0},
    {K::SetSpectrumPlotRange, "[Set Spectrum Plot Range ", PastSeparator, 0},
    {K::SetTimeSeriesPlotTop, "[Set Time Series Plot Top ", PastSeparator, 0},
    {K::SetTimeSeriesPlotRange, "[Set Time Series Plot Range ", PastSeparator, 0},
    {K::SetPhasePlotTop, "[Set Phase Plot Top ", PastSeparator, 0},
    {K::SetPhasePlotRange, "[Set Phase Plot Range ", PastSeparator, 0},
    {K::SetSpectrogramPlotTop, "[Set Spectrogram Plot Top ", PastSeparator, 0},
    {K::SetSpectrogramPlotRange, "[Set Spectrogram Plot Range ", PastSeparator, 0},
    {K::SetSurfacePlotTop, "[Set Surface Plot Top ", PastSeparator, 0},
    {K::SetSurfacePlotRange, "[Set Surface Plot Range ", PastSeparator, 0},
    {K::SpectrumFreqSpan, "[Spectrum Freq Span ", Prefix, 0},
    {K::PhaseFreqSpan, "[Phase Freq Span ", Prefix, 0},
    {K::SpectrogramFreqSpan, "[Spectrogram Freq Span ", Prefix, 0},
    {K::SurfaceFreqSpan, "[Surface Freq Span ", Prefix, 0},
    {K::SetTimeSegment, "[Set Time Segment ", Prefix, 0},
    {K::CopyToClipboardAsBitmap, "[Copy to Clipboard as Bitmap]", Whole, 0},
    {K::SetInputDevice, "[Set Input Device ", Prefix, 0},
    {K::SetOutputDevice, "[Set Output Device ", Prefix, 0},
    {K::Calibrate, "[Calibrate]", Whole, 0},
    {K::EnableCalibration, "[Enable Calibration]", LeadingPart, 0},
    {K::DisableCalibration, "[Disable Calibration]", LeadingPart, 0},
    {K::SaveCalibration, "[Save Calibration ", PastSeparator, 0},
    {K::LoadCalibration, "[Load Calibration ", PastSeparator, 0},
    {K::LoadConfig, "[Load Config ", PastSeparator, 500},
    {K::SaveConfig, "[Save Config ", PastSeparator, 500},
    {K::OpenTimeSeries, "[Open Time Series]", LeadingPart, 500},
    {K::CloseTimeSeries, "[Close Time Series]", LeadingPart, 500},
    {K::RestoreTimeSeries, "[Restore Time Series]", Whole, 0},
    {K::MaximizeTimeSeries, "[Maximize Time Series]", Whole, 0},
    {K::OpenSpectrum, "[Open Spectrum]", LeadingPart, 500},
    {K::CloseSpectrum, "[Close Spectrum]", LeadingPart, 500},
    {K::RestoreSpectrum, "[Restore Spectrum]", Whole, 0},
    {K::MaximizeSpectrum, "[Maximize Spectrum]", Whole, 0},
    {K::OpenPhase, "[Open Phase]", LeadingPart, 500},
    {K::ClosePhase, "[Close Phase]", LeadingPart, 500},
    {K::RestorePhase, "[Restore Phase]", Whole, 0},
    {K::MaximizePhase, "[Maximize Phase]", Whole, 0},
    {K::OpenSpectrogram, "[Open Spectrogram]", LeadingPart, 500},
    {K::CloseSpectrogram, "[Close Spectrogram]", LeadingPart, 500},
    {K::RestoreSpectrogram, "[Restore Spectrogram]", Whole, 0},
    {K::MaximizeSpectrogram, "[Maximize Spectrogram]", Whole, 0},
    {K::OpenSurface, "[Open Surface]", LeadingPart, 500},
    {K::CloseSurface, "[Close Surface]", LeadingPart, 500},
    {K::RestoreSurface, "[Restore Surface]", Whole, 0},
    {K::MaximizeSurface, "[Maximize Surface]", Whole, 0},
    {K::PrintTimeSeries, "[Print Time Series]", Whole, 0},
    {K::PrintSpectrum, "[Print Spectrum]", Whole, 0},
    {K::PrintPhase, "[Print Phase]", Whole, 0},
    {K::PrintSpectrogram, "[Print Spectrogram]", Whole, 0},
    {K::Print3DSurface, "[Print 3D Surface]", Whole, 0},
    {K::SetAnnotationLine1, "[Set Annotation Line1 ", PastSeparator, 0},
    {K::SetAnnotationLine2, "[Set Annotation Line2 ", PastSeparator, 0},
    {K::EnableCommentBlock, "[Enable Comment Block]", Whole, 0},
    {K::DisableCommentBlock, "[Disable Comment Block]", Whole, 0},
    {K::SetCommentLine1, "[Set Comment Line1 ", Prefix, 0},
    {K::SetCommentLine2, "[Set Comment Line2 ", Prefix, 0},
    {K::SetCommentLine3, "[Set Comment Line3 ", Prefix, 0},
    {K::SetCommentLine4, "[Set Comment Line4 ", Prefix, 0},
    {K::SetCommentLine5, "[Set Comment Line5 ", Prefix, 0},
    {K::SetCommentLine6, "[Set Comment Line6 ", Prefix, 0},
    {K::SetCommentLine7, "[Set Comment Line7 ", Prefix, 0},
    {K::SetCommentLine8, "[Set Comment Line8 ", Prefix, 0},
    {K::SetCommentLine9, "[Set Comment Line9 ", Prefix, 0},
    {K::SetCommentLine10, "[Set Comment Line10 ", Prefix, 0},
    {K::SaveGeneratorSignalAsWave, "[Save Generator Signal as Wave ", Prefix, 0},
    {K::SetGeneratorType, "[Set Generator Type ", Prefix, 0},
    {K::SetGeneratorTone, "[Set Generator Tone ", Prefix, 0},
    {K::SetGeneratorWaveFile, "[Set Generator Wave File ", Prefix, 0},
    {K::SetGeneratorLevel, "[Set Generator Level ", Prefix, 0},
    {K::OpenReverb, "[Open Reverb]", LeadingPart, 500},
    {K::CloseReverb, "[Close Reverb]", LeadingPart, 500},
    {K::StartReverb, "[Start Reverb]", LeadingPart, 0},
    {K::SaveReverb, "[Save Reverb", PastLetter, 0},
    {K::SetReverbViewTime, "[Set Reverb View Time]", LeadingPart, 0},
    {K::SetReverbViewDecay, "[Set Reverb View Decay]", LeadingPart, 0},
    {K::SetReverbViewSurface, "[Set Reverb View Surface]", LeadingPart, 0},
    {K::OpenTHDvsFreq, "[Open THDvsFreq]", LeadingPart, 500},
    {K::CloseTHDvsFreq, "[Close THDvsFreq]", LeadingPart, 500},
    {K::StartTHDvsFreq, "[Start THDvsFreq]", LeadingPart, 0},
    {K::SaveTHDvsFreq, "[Save THDvsFreq", PastLetter, 0},
    {K::PrintTHDvsFreq, "[Print THDvsFreq]", Whole, 0},
    {K::OpenMacro, "[Open Macro]", LeadingPart, 0},
    {K::CloseMacro, "[Close Macro]", LeadingPart, 0},
    {K::OpenMacroFile, "[Open Macro File", PastLetter, 0},
    {K::StartMacro, "[Start Macro]", LeadingPart, 0},
    {K::StopMacro, "[Stop Macro]", LeadingPart, 0},
    {K::OpenTHDNUtility, "[Open THD_N Utility]", LeadingPart, 0},
    {K::CloseTHDNUtility, "[Close THD_N Utility]", LeadingPart, 0},
    {K::OpenTHDUtility, "[Open THD Utility]", LeadingPart, 0},
    {K::CloseTHDUtility, "[Close THD Utility]", LeadingPart, 0},
    {K::OpenIMDUtility, "[Open IMD Utility]", LeadingPart, 0},
    {K::CloseIMDUtility, "[Close IMD Utility]", LeadingPart, 0},
    {K::OpenSNRUtility, "[Open SNR Utility]", LeadingPart, 0},
    {K::CloseSNRUtility, "[Close SNR Utility]", LeadingPart, 0},
    {K::OpenTotalPowerUtility, "[Open Total Power Utility]", LeadingPart, 0},
    {K::CloseTotalPowerUtility, "[Close Total Power Utility]", LeadingPart, 0},
    {K::OpenPeakFreqUtility, "[Open Peak Freq Utility]", LeadingPart, 0},
    {K::ClosePeakFreqUtility, "[Close Peak Freq Utility]", LeadingPart, 0},
    {K::OpenPeakAmpUtility, "[Open Peak Amp Utility]", LeadingPart, 0},
    {K::ClosePeakAmpUtility, "[Close Peak Amp Utility]", LeadingPart, 0},
    {K::HideMenu, "[Hide Menu]", LeadingPart, 0},
    {K::ShowMenu, "[Show Menu]", LeadingPart, 0},
    {K::HideToolbar, "[Hide Toolbar]", LeadingPart, 0},
    {K::ShowToolbar, "[Show Toolbar]", LeadingPart, 0},
    {K::HideToolbar2, "[Hide Toolbar2]", LeadingPart, 0},
    {K::ShowToolbar2, "[Show Toolbar2]", LeadingPart, 0},
    {K::HideStatusbar, "[Hide Statusbar]", LeadingPart, 0},
    {K::ShowStatusbar, "[Show Statusbar]", LeadingPart, 0},
    {K::HidePlotToolbars, "[Hide Plot Toolbars]", LeadingPart, 0},
    {K::ShowPlotToolbars, "[Show Plot Toolbars]", LeadingPart, 0},
    {K::UseTempFile, "[UseTempFile ", Prefix, 0},
    {K::AmbientCompensate, "[Ambient Compensate]", Whole, 0},
    {K::AmbientCompensateEnable, "[Ambient Compensate Enable]", Whole, 0},
    {K::AmbientCompensateDisable, "[Ambient Compensate Disable]", Whole, 0},
};

static_assert(std::size(Entries) == size_t(TKeyword::Count));

constexpr bool InTableOrder()
{
    for (size_t i = 0; i < std::size(Entries); ++i)
        if (size_t(Entries[i].Id) != i) return false;
    return true;
}
static_assert(InTableOrder(), "a keyword's row must stand at its own place");

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Where the argument of a matching keyword starts, or nothing when the
// keyword does not match.
std::optional<size_t> ArgumentStart(const TKeywordTable::TEntry& e, std::string_view command)
{
    const std::string_view keyword = e.Text;
    switch (e.Match) {
    case Whole:
        if (TKeywordTable::EqualsNoCase(command, keyword)) return command.size();
        return std::nullopt;
    case LeadingPart:
        if (command.size() <= keyword.size() && TKeywordTable::StartsWithNoCase(keyword, command)) return command.size();
        return std::nullopt;
    case Prefix:
        if (TKeywordTable::StartsWithNoCase(command, keyword)) return keyword.size();
        return std::nullopt;
    case AtSeparator:
        if (TKeywordTable::StartsWithNoCase(command, keyword.substr(0, keyword.size() - 1))) return keyword.size() - 1;
        return std::nullopt;
    case PastSeparator:
        if (TKeywordTable::StartsWithNoCase(command, keyword.substr(0, keyword.size() - 1))) return keyword.size();
        return std::nullopt;
    case PastLetter:
        if (TKeywordTable::StartsWithNoCase(command, keyword)) return keyword.size() + 1;
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

const TKeywordTable::TEntry& TKeywordTable::Entry(TKeyword keyword)
{
    return Entries[size_t(keyword)];
}

const TKeywordTable::TEntry* TKeywordTable::begin()
{
    return std::begin(Entries);
}

const TKeywordTable::TEntry* TKeywordTable::end()
{
    return std::end(Entries);
}

std::optional<TKeywordTable::TCommand> TKeywordTable::Parse(std::string_view command)
{
    // An empty command would be a leading part of every leading-part keyword.
    if (command.empty() || command.size() > MaxCommandLength) return std::nullopt;
    for (const TEntry& e : Entries) {
        const std::optional<size_t> start = ArgumentStart(e, command);
        if (!start) continue;
        std::string_view argument = *start < command.size() ? command.substr(*start) : std::string_view();
        // Only a closing bracket is taken off: "[Run 10" must not become a run of 1.
        if (!argument.empty() && argument.back() == ']') argument.remove_suffix(1);
        return TCommand{e.Id, std::string(argument)};
    }
    return std::nullopt;
}

bool TKeywordTable::EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

bool TKeywordTable::StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Upper(text[i]) != Upper(prefix[i])) return false;
    return true;
}

int32_t TKeywordTable::ReadInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        if (value < limit) value = value * 10 + (text[i] - '0');
    if (negative) return int32_t(-std::min(value, limit));
    return int32_t(std::min<int64_t>(value, limit - 1));
}

double TKeywordTable::ReadNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
    if (digits == 0) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    // Only the characters checked above reach strtod: no "inf", "nan" or hex.
    const std::string number(text.substr(start, i - start));
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}
