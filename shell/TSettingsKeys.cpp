// The settings files' key list in the order a written file holds it, each
// row with its range, and the reader's and writer's rules.
#include "shell/TSettingsKeys.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "automation/MacroSettings.h"
#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/FilterSettings.h"
#include "engine/TChannelProcessing.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TriggerSettings.h"
#include "base/TProfile.h"
#include "base/TSettingsTable.h"
#include "engine/DelayFinderSettings.h"
#include "engine/FileIOSettings.h"
#include "engine/LeqSettings.h"
#include "engine/LoggingSettings.h"
#include "engine/PhaseScopeSettingsStruct.h"
#include "engine/ReverbSettings.h"
#include "views/THDFreqSettings.h"
#include "shell/ViewStatusFlags.h"
#include "views/MarkerSettings.h"
#include "views/PhaseOpts.h"
#include "views/SeriesOpts.h"
#include "views/SpectrogramOpts.h"
#include "views/SpectrumOpts.h"
#include "views/SurfaceOpts.h"
#include "views/TPrintOptions.h"

const char* const TSettingsKeys::FolderKeys[TSettingsFields::FolderCount] = {
    "Wav", "Tmp", "cfg", "cal", "mic", "ovl", "txt", "rvb", "thd", "macro", "filter"};
const char* const TSettingsKeys::FolderDefaults[TSettingsFields::FolderCount] = {
    "..\\.\\wave", "..\\.\\wave", "..\\.\\config", "..\\.\\cal", "..\\.\\miccomp", "..\\.\\overlay",
    "..\\.\\log", "..\\.\\reverb", "..\\.\\thd", "..\\.\\macro", "..\\.\\filter"};

namespace {

// What the reader does after a key was stored.
enum class TRule {
    None, Caption, InputDevice, OutputDevice, MaxDiskSize, HistoryLength, CalibrationType, Format,
    FftSize, DecimationRatio, OverlapPercent, SmoothingWindow, ChannelProcessing, ScalingType,
    TriggerEnd, LpkAverage, LeqReferenceTime, LeqUpdateInterval, PhaseScopeFixed, MacroOutput,
    CorrectionFactor,
};

// The two files a row may live in.
enum TFile { Named = 0, Ini = 1 };

constexpr double FloatMax = TSettingsTable::FloatMax;
constexpr double Positive = TSettingsTable::Positive;

// Type ids read into the reader's scratch; always written as the current id.
struct TScratch {
    int32_t CalibrationTypeId = TSettingsKeys::CurrentStructTypeId;
    int32_t ScalingTypeId = TSettingsKeys::CurrentStructTypeId;
};

// The shell's rows: sections of the INI file alone, and the after-read rules.
class TKeyList : public TSettingsTable {
public:
    void Begin(const char* section, bool iniOnly = false) { TSettingsTable::Begin(section, iniOnly ? Ini : Named); }
    void I16(const std::string& n, uint16_t* f, const char* d) { U16(n, f, d); }
    void Rule(TRule rule) { TSettingsTable::Rule(int(rule)); }
};

std::string Numbered(const char* name, int n)
{
    return name + std::to_string(n);
}

const char* const SlotSuffix[SpectrumOpts::SlotCount] = {"1", "2", "3", "4", "5", "6", "C"};

void AddCalibrationChannel(TKeyList& k, CalibrationChannel& c, bool left)
{
    k.Flag("IsEnabled", &c.IsEnabled, "0");
    k.F("RefLevel", &c.RefLevel, "1.0");
    k.I32("RefType", &c.RefType, "1");
    k.I32("RefUnits", &c.RefUnits, "0");
    k.I32("ConversionType", &c.ConversionType, "0");
    k.I32("IntegrationType", &c.IntegrationType, "0");
    k.S("LabelLinear", c.LabelLinear, sizeof c.LabelLinear, "Volts rms");
    k.S("LabelLog", c.LabelLog, sizeof c.LabelLog, "dBV rms");
    k.I32("LabelType", &c.LabelType, "1");
    k.F(left ? "PctFullScaleLeft" : "PctFullScaleRight", &c.PctFullScale, "0.50");
    k.F(left ? "CalRatioLeft" : "CalRatioRight", &c.CalRatio, "1.0");
    k.S(left ? "LeftChannelName" : "RightChannelName", c.ChannelName, sizeof c.ChannelName, left ? "Left" : "Right");
}

void AddScaling(TKeyList& k, ScalingStruct& s, const char* fileKey)
{
    k.I16("AmpScaleType", &s.AmpScaleType, "1");
    k.Range(0, 1);
    k.I16("FreqScaleType", &s.FreqScaleType, "1");
    k.Range(0, 2);
    k.I16("OctaveNumber", &s.OctaveNumber, "3");
    k.Range(1, 96);
    k.Flag("SpectralDensityFlag", &s.SpectralDensityFlag, "0");
    k.I16("SpectralDensityType", &s.SpectralDensityType, "0");
    k.Range(0, 1);
    k.I16("StandardWeighting", &s.StandardWeighting, "0");
    k.Range(0, 3);
    k.I16("TotalPowerWeighting", &s.TotalPowerWeighting, "0");
    k.Range(0, 3);
    k.Flag("MicCompEnable", &s.MicCompEnable, "0");
    k.S(fileKey, s.MicCompFilename, sizeof s.MicCompFilename, "");
}

void AddSpectrumOpts(TKeyList& k, SpectrumOpts& o)
{
    k.I16("PlotType", &o.PlotType, "0");
    k.Flag("ShowToolbar", &o.ShowToolbar, "1");
    k.Flag("GridXEnabled", &o.GridXEnabled, "1");
    k.Flag("GridYEnabled", &o.GridYEnabled, "1");
    k.F("PlotTop", &o.PlotTop, "0.0");
    k.F("PlotRange", &o.PlotRange, "120.0");
    k.Range(Positive, FloatMax);
    k.F("StartFreq", &o.StartFreq, "5.0");
    k.F("StopFreq", &o.StopFreq, "22000.0");
    k.C("LineColor", &o.LineColor, 0xFF0000);
    k.C("PeakColor", &o.PeakColor, 0x0000FF);
    k.C("BackgroundColor", &o.BackgroundColor, 0xDCFFFF);
    k.C("GridColor", &o.GridColor, 0x808080);
    k.C("MarkerColor", &o.MarkerColor, 0x000000);
    k.Flag("ShowRMSLevel", &o.ShowRMSLevel, "0");
    k.Flag("ShowPowerMeter", &o.ShowPowerMeter, "1");
    k.Flag("ShowOverlayControls", &o.ShowOverlayControls, "1");
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i) k.Flag(std::string("Show1_") + SlotSuffix[i], &o.Show1[i], "0");
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i) k.Flag(std::string("Show2_") + SlotSuffix[i], &o.Show2[i], "0");
    static const uint32_t OverlayColors[SpectrumOpts::SlotCount] = {0x008000, 0xAEAE00, 0x800080, 0xFF00FF,
                                                                    0x004080, 0x4080FF, 0x000000};
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i)
        k.C(std::string("OverlayColor") + SlotSuffix[i], &o.OverlayColor[i], OverlayColors[i]);
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i) {
        k.F(std::string("Offset1_") + SlotSuffix[i], &o.Offset1[i], "0.0");
        k.Range(-100, 100);
    }
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i) {
        k.F(std::string("Offset2_") + SlotSuffix[i], &o.Offset2[i], "0.0");
        k.Range(-100, 100);
    }
    k.I16("OverlayLegendSize", &o.OverlayLegendSize, "8");
    k.Range(4, 24);
    k.I16("CompositeType1", &o.CompositeType1, "0");
    k.Range(0, 1);
    k.I16("DifferenceIndex1_1", &o.DifferenceIndex1[0], "0");
    k.Range(0, 5);
    k.I16("DifferenceIndex1_2", &o.DifferenceIndex1[1], "1");
    k.Range(0, 5);
    for (int i = 0; i < 6; ++i) k.Flag(Numbered("IncludeInAverage1_", i + 1), &o.IncludeInAverage1[i], i < 2 ? "1" : "0");
    k.I16("CompositeType2", &o.CompositeType2, "0");
    k.Range(0, 1);
    k.I16("DifferenceIndex2_1", &o.DifferenceIndex2[0], "0");
    k.Range(0, 5);
    k.I16("DifferenceIndex2_2", &o.DifferenceIndex2[1], "1");
    k.Range(0, 5);
    for (int i = 0; i < 6; ++i) k.Flag(Numbered("IncludeInAverage2_", i + 1), &o.IncludeInAverage2[i], i < 2 ? "1" : "0");
    k.Flag("GrabCursorFlag", &o.GrabCursorFlag, "1");
    k.F("rpm", &o.rpm, "1000.0");
    k.Flag("IntervalFlag", &o.IntervalFlag, "1");
    k.F("IntervalSecs", &o.IntervalSecs, "0.02");
    k.Range(0, 3600);
}

void AddPhaseOpts(TKeyList& k, PhaseOpts& o)
{
    k.Flag("ShowToolbar", &o.ShowToolbar, "1");
    k.Flag("GridXEnabled", &o.GridXEnabled, "1");
    k.Flag("GridYEnabled", &o.GridYEnabled, "1");
    k.F("PlotTop", &o.PlotTop, "180.0");
    k.F("PlotRange", &o.PlotRange, "360.0");
    k.Range(Positive, FloatMax);
    k.F("StartFreq", &o.StartFreq, "20.0");
    k.F("StopFreq", &o.StopFreq, "22000.0");
    k.C("LineColor", &o.LineColor, 0x000000);
    k.C("BackgroundColor", &o.BackgroundColor, 0xFFFF00);
    k.C("GridColor", &o.GridColor, 0xC0C0C0);
    k.C("MarkerColor", &o.MarkerColor, 0x0000FF);
    k.Flag("GrabCursorFlag", &o.GrabCursorFlag, "1");
    k.Flag("IntervalFlag", &o.IntervalFlag, "0");
    k.F("IntervalSecs", &o.IntervalSecs, "0.1");
    k.Range(0, 3600);
}

void AddSpectrogramOpts(TKeyList& k, SpectrogramOpts& o)
{
    k.Flag("ShowToolbar", &o.ShowToolbar, "1");
    k.Flag("IntervalFlag", &o.IntervalFlag, "0");
    k.F("IntervalSecs", &o.IntervalSecs, "2");
    k.Range(0, 3600);
    k.F("PlotTop", &o.PlotTop, "0.0");
    k.F("PlotRange", &o.PlotRange, "60.0");
    k.Range(Positive, FloatMax);
    k.Flag("UseFullSpan", &o.UseFullSpan, "1");
    k.F("StartFreq", &o.StartFreq, "100.0");
    k.F("StopFreq", &o.StopFreq, "10000.0");
    k.C("ColorMode", &o.ColorMode, 0);
    k.I16("Direction", &o.Direction, "0");
    k.I32("Intensity", &o.Intensity, "0");
    k.I16("ScrollType", &o.ScrollType, "0");
    k.C("MinCustomColor", &o.MinCustomColor, 0x00FFFF);
    k.C("MaxCustomColor", &o.MaxCustomColor, 0x0000FF);
}

void AddSurfaceOpts(TKeyList& k, SurfaceOpts& o)
{
    k.Flag("ShowToolbar", &o.ShowToolbar, "1");
    k.Flag("IntervalFlag", &o.IntervalFlag, "0");
    k.F("IntervalSecs", &o.IntervalSecs, "2");
    k.Range(0, 3600);
    k.F("PlotTop", &o.PlotTop, "0.0");
    k.F("PlotRange", &o.PlotRange, "60.0");
    k.Range(Positive, FloatMax);
    k.Flag("UseFullSpan", &o.UseFullSpan, "1");
    k.F("StartFreq", &o.StartFreq, "100.0");
    k.F("StopFreq", &o.StopFreq, "10000.0");
    k.C("BackgroundColor", &o.BackgroundColor, 0x000000);
    k.C("LineColor", &o.LineColor, 0xFF0000);
    k.C("ColorMode", &o.ColorMode, 0);
    k.I32("Intensity", &o.Intensity, "0");
}

// Every key in the writer's order.
TKeyList KeyList(const TSettingsFields& w, TScratch& scratch)
{
    TKeyList k;
    k.Begin("Main", true);
    k.S("Caption", *w.Caption, sizeof *w.Caption, "Tonalyx");
    k.Rule(TRule::Caption);

    k.Begin("Paths", true);
    for (int i = 0; i < TSettingsFields::FolderCount; ++i)
        k.S(TSettingsKeys::FolderKeys[i], (*w.Folders)[i], TSettingsFields::PathSize, TSettingsKeys::FolderDefaults[i]);

    k.Begin("Device");
    k.Custom("InputDeviceName");
    k.Rule(TRule::InputDevice);
    k.Custom("OutputDeviceName");
    k.Rule(TRule::OutputDevice);

    FileIOSettings& io = *w.FileIO;
    k.Begin("FileIO", true);
    k.I32("WaveFileMode", &io.WaveFileMode, "1");
    k.I32("MaxRamRecordingTimeSecs", &io.MaxRamRecordingTimeSecs, "300");
    k.Flag("MakeBackup", &io.MakeBackup, "1");
    k.Flag("IncludeCalibrationData", &io.IncludeCalibrationData, "1");
    k.I32("RecordIOBufferSizeSecs", &io.RecordIOBufferSizeSecs, "1");
    k.I32("RealTimeIOBufferSizeSecs", &io.RealTimeIOBufferSizeSecs, "1");
    k.Flag("RealTimeWaveBufferEnableFlag", &io.RealTimeWaveBufferEnableFlag, "1");
    k.I32("RealTimeWaveBufferLengthSecs", &io.RealTimeWaveBufferLengthSecs, "60");
    k.Rule(TRule::HistoryLength);
    k.Flag("AllowSplitBuffers", &io.AllowSplitBuffers, "1");
    k.Flag("DALSelfMonitor", &io.DALSelfMonitor, "0");
    k.I32("DarlaDelay", &io.DarlaDelay, "100");
    k.I32("MaxDiskRecordingSizeBytes", &io.MaxDiskRecordingSizeBytes, "2000000000");
    k.Rule(TRule::MaxDiskSize);

    k.Begin("Toolbars");
    k.Flag("Main", w.MainToolbar, "1");
    k.Flag("Buttons", w.ButtonToolbar, "1");
    k.Flag("Statusbar", w.StatusBar, "1");

    k.Begin("Calibration");
    k.S("Filename", w.Calibration->Filename, sizeof w.Calibration->Filename, "default.cal");
    AddCalibrationChannel(k, w.Calibration->Left, true);
    k.Begin("CalibrationR");
    AddCalibrationChannel(k, w.Calibration->Right, false);
    k.I32("CalibrationStructTypeID", &scratch.CalibrationTypeId, "0");
    k.Rule(TRule::CalibrationType);

    TPrintOptions& p = *w.Print;
    k.Begin("PrintOpts");
    k.S("Annotation1", p.Annotation1, sizeof p.Annotation1, "");
    k.S("Annotation2", p.Annotation2, sizeof p.Annotation2, "");
    k.F("MarginLeft", &p.MarginLeft, "0.50");
    k.F("MarginRight", &p.MarginRight, "0.50");
    k.F("MarginTop", &p.MarginTop, "0.50");
    k.F("MarginBottom", &p.MarginBottom, "0.50");
    k.Flag("EnableCommentBlock", &p.EnableCommentBlock, "0");
    for (int i = 0; i < TPrintOptions::CommentCount; ++i)
        k.S(Numbered("Comment", i + 1), p.Comment[i], sizeof p.Comment[i], "");

    k.Begin("Mode");
    k.I32("OpMode", w.OpMode, "1");
    k.Range(1, 3);  // Real Time, Post Process, Recorder

    AnalysisSettingsStruct& s = *w.Settings;
    k.Begin("Settings");
    k.I32("FFTsize", &s.FFTsize, "16384");
    k.Rule(TRule::FftSize);
    k.I32("SamplingRate", &s.Format.SamplingRate, "44100");
    k.Range(TWaveFormat::MinSamplingRate, TWaveFormat::MaxSamplingRate);
    k.I16("NumChannels", &s.Format.NumChannels, "1");
    k.Range(1, 2);
    k.I16("BytesPerSample", &s.Format.BytesPerSample, "2");
    k.Range(1, 4);
    k.Rule(TRule::Format);
    k.I32("AverageBlocks", &s.AverageBlocks, "4");
    k.Range(1, 1000000);  // the block list, 1000000 being "Infinite"
    k.I16("AverageType", &s.AverageType, "0");
    k.Range(0, 2);
    k.I16("AverageMode", &s.AverageMode, "0");
    k.Range(0, 1);
    k.I16("AverageSpeed", &s.AverageSpeed, "0");
    k.Range(0, 4);
    k.I16("PeakHold", &s.PeakHold, "2");
    k.Range(0, 4);
    k.I16("DecimationRatio", &s.DecimationRatio, "1");
    k.Rule(TRule::DecimationRatio);
    k.Flag("ApplyLowPassFilter", &s.ApplyLowPassFilter, "1");
    k.I16("SmoothingWindow", &s.SmoothingWindow, "4");
    k.Rule(TRule::SmoothingWindow);
    k.I16("OverlapPercent", &s.OverlapPercent, "75");
    k.Rule(TRule::OverlapPercent);
    k.I16("ChannelProcessing", &s.ChannelProcessing, "0");
    k.Rule(TRule::ChannelProcessing);
    k.I16("DelayChannel", &s.DelayChannel, "0");
    k.Range(0, 1);
    k.F("DelayTimeMsec", &s.DelayTimeMsec, "0");
    k.Range(0, 1000);
    k.Flag("EnableOverloadDetection", &s.EnableOverloadDetection, "1");
    k.Flag("ExcludeOverloadFlag", &s.ExcludeOverloadFlag, "0");
    k.SetProfile(Ini);
    k.F("SamplingRateCorrectionFactor", &s.SamplingRateCorrectionFactor, "1.0");
    k.Rule(TRule::CorrectionFactor);
    k.SetProfile(Named);
    k.Flag("IndependentScalingAndCalibration", &s.IndependentScalingAndCalibration, "0");

    k.Begin("Scaling");
    AddScaling(k, w.Scaling[0], "MicCompFilenameLeft");
    k.Begin("Scaling2");
    AddScaling(k, w.Scaling[1], "MicCompFilenameRight");
    k.I32("ScalingStructTypeID", &scratch.ScalingTypeId, "0");
    k.Rule(TRule::ScalingType);

    MarkerSettings& m = *w.Markers;
    k.Begin("Markers");
    for (int i = 0; i < MarkerSettings::Count; ++i) k.Flag(Numbered("MarkerEnable", i), &m.MarkerEnable[i], "0");
    static const char* const MarkerFreqs[MarkerSettings::Count] = {"1000.0", "2000.0", "3000.0", "4000.0",
                                                                   "5000.0", "6000.0", "6000.0", "6000.0"};
    for (int i = 0; i < MarkerSettings::Count; ++i) {
        k.F(Numbered("MarkerFreq", i), &m.MarkerFreq[i], MarkerFreqs[i], "%6.2f");
        k.Range(0, FloatMax);
    }
    for (int i = 0; i < MarkerSettings::Count; ++i) k.I32(Numbered("LabelType", i), &m.LabelType[i], "1");
    for (int i = 0; i < MarkerSettings::Count; ++i)
        k.S(Numbered("CustomLabel", i), m.CustomLabel[i], sizeof m.CustomLabel[i], Numbered("Marker ", i + 1).c_str());
    k.Flag("PeakHoldFlag", &m.PeakHoldFlag, "0");

    TriggerSettings& t = *w.Trigger;
    k.Begin("Trigger");
    k.Flag("Enable", &t.Enable, "0");
    k.I32("Mode", &t.Mode, "0");
    k.Range(0, 2);
    k.I32("Channel", &t.Channel, "0");
    k.Range(0, 1);
    k.I32("Threshold", &t.Threshold, "25");
    k.Range(0, 100);
    k.I16("DelayType", &t.DelayType, "0");
    k.Range(0, 1);
    k.F("DelayMsec", &t.DelayMsec, "0");
    k.Range(0, 1000);
    k.I16("TriggerType", &t.TriggerType, "0");
    k.Range(0, 1);
    k.I16("TriggerSlope", &t.TriggerSlope, "0");
    k.Range(0, 1);
    k.Flag("StartSigGenOnTrigger", &t.StartSigGenOnTrigger, "0");
    k.Rule(TRule::TriggerEnd);

    // Written after the trigger; it still belongs to "Settings".
    k.Begin("Settings");
    k.Flag("LockSignalGeneratorChannels", w.GeneratorLocked, "0");

    ViewStatusFlags& v = *w.ViewStatus;
    k.Begin("ViewStatus", true);
    k.Flag("HideApplicationWindow", &v.HideApplicationWindow, "0");
    k.SetProfile(Named);
    k.Flag("TimeSeries", &v.TimeSeries, "0");
    k.Flag("SpectrumPlot", &v.SpectrumPlot, "1");
    k.Flag("PhasePlot", &v.PhasePlot, "0");
    k.Flag("Spectrogram", &v.Spectrogram, "0");
    k.Flag("SurfacePlot", &v.SurfacePlot, "0");
    k.Flag("SignalGenerator", &v.SignalGenerator, "0");
    k.Flag("THD", &v.THD, "0");
    k.Flag("THD_N", &v.THD_N, "0");
    k.Flag("IMD", &v.IMD, "0");
    k.Flag("SNR", &v.SNR, "0");
    k.Flag("SINAD", &v.SINAD, "0");
    k.Flag("SFDR", &v.SFDR, "0");
    k.Flag("NF", &v.NF, "0");
    k.I16("NoiseFigurePolarity", w.NoiseFigureOrder, "6");
    k.Range(6, 7);
    k.Flag("Peak Freq", &v.PeakFreq, "0");
    k.Flag("Peak Amp", &v.PeakAmp, "0");
    k.Flag("Total Pwr", &v.TotalPwr, "0");
    k.Flag("Delay Finder", &v.DelayFinder, "0");
    k.Flag("Reverb", &v.Reverb, "0");
    k.Flag("Macro", &v.Macro, "0");
    k.Flag("Phase Scope", &v.PhaseScope, "0");
    k.Flag("THD_vs_Freq", &v.THD_vs_Freq, "0");
    k.Flag("Leq Analysis", &v.LeqAnalysis, "0");

    k.Begin("SpectrumOpts");
    AddSpectrumOpts(k, w.Spectrum[0]);
    k.Begin("SpectrumOpts2");
    AddSpectrumOpts(k, w.Spectrum[1]);
    k.Begin("PhaseOpts");
    AddPhaseOpts(k, w.Phase[0]);
    k.Begin("PhaseOpts2");
    AddPhaseOpts(k, w.Phase[1]);
    k.Begin("SpectrogramOpts");
    AddSpectrogramOpts(k, w.Spectrogram[0]);
    k.Begin("SpectrogramOpts2");
    AddSpectrogramOpts(k, w.Spectrogram[1]);
    k.Begin("SurfaceOpts");
    AddSurfaceOpts(k, w.Surface[0]);
    k.Begin("SurfaceOpts2");
    AddSurfaceOpts(k, w.Surface[1]);

    SeriesOpts& so = *w.Series;
    k.Begin("SeriesOpts");
    k.Flag("ShowToolbar", &so.ShowToolbar, "1");
    k.I16("AmpScaleType", &so.AmpScaleType, "0");
    k.Range(0, 1);
    k.Flag("GridXEnabled", &so.GridXEnabled, "1");
    k.Flag("GridYEnabled", &so.GridYEnabled, "1");
    k.F("PlotTop", &so.PlotTop, "100.0");
    k.F("PlotRange", &so.PlotRange, "100.0");
    k.Range(Positive, FloatMax);
    k.I16("PlotChannel", &so.PlotChannel, "0");
    k.Range(0, 7);
    k.F("MaxZoomOutTime", &so.MaxZoomOutTime, "10000.0");
    k.Range(Positive, FloatMax);
    k.C("LineColor", &so.LineColor, 0x0000FF);
    k.C("BackgroundColor", &so.BackgroundColor, 0xFFFFFF);
    k.C("GridColor", &so.GridColor, 0xC0C0C0);
    k.F("StartTime", &so.StartTime, "0.0");
    k.Range(0, FloatMax);
    k.F("StopTime", &so.StopTime, "1.0");
    k.F("OrderNumber", &so.OrderNumber, "3.0");
    k.I32("ThresholdMarkPercentage", &so.ThresholdMarkPercentage, "25");
    k.Flag("DisplayMaxMinRangeAsRMS", &so.DisplayMaxMinRangeAsRMS, "0");
    k.Flag("IntervalFlag", &so.IntervalFlag, "0");
    k.F("IntervalSecs", &so.IntervalSecs, "0.1");
    k.Range(0, 3600);
    k.Flag("GrabCursorFlag", &so.GrabCursorFlag, "0");

    FilterSettings& f = *w.Filter;
    k.Begin("Filter");
    k.I32("Type", &f.Type, "0");
    k.I32("NumTaps", &f.NumTaps, "200");
    k.I32("HPCutoffHz", &f.HPCutoffHz, "1000");
    k.I32("LPCutoffHz", &f.LPCutoffHz, "2000");
    k.I32("BPCenterHz", &f.BPCenterHz, "2000");
    k.I32("BPWidthHz", &f.BPWidthHz, "1000");
    k.I32("NCenterHz", &f.NCenterHz, "2000");
    k.I32("NWidthHz", &f.NWidthHz, "1000");
    k.Flag("DoLeft", &f.DoLeft, "1");
    k.Flag("DoRight", &f.DoRight, "1");
    k.F("FilterGainDB", &f.FilterGainDB, "0.0");
    k.S("FilterFilename", f.FilterFilename, sizeof f.FilterFilename, "");

    LoggingSettings& lg = *w.Logging;
    k.Begin("Logging");
    k.Flag("IntervalFlag", &lg.IntervalFlag, "1");
    k.F("IntervalSecs", &lg.IntervalSecs, "1");
    k.Flag("UseFullSpan", &lg.UseFullSpan, "1");
    k.F("StartFreq", &lg.StartFreq, "0");
    k.F("StopFreq", &lg.StopFreq, "1000.0");
    k.F("Threshold", &lg.Threshold, "-999.0");
    k.I16("DataType", &lg.DataType, "0");
    k.S("LogFileName", lg.LogFileName, sizeof lg.LogFileName, "datalog.txt");
    k.S("LogViewerProgram", lg.LogViewerProgram, sizeof lg.LogViewerProgram, "notepad.exe");
    k.Flag("OverwriteFlag", &lg.OverwriteFlag, "1");
    k.Flag("IncludeHeaderFlag", &lg.IncludeHeaderFlag, "1");
    k.Flag("IncludeTimeStampFlag", &lg.IncludeTimeStampFlag, "1");
    k.SetProfile(Ini);
    k.Flag("VantorFlag", &lg.VantorFlag, "0");
    k.SetProfile(Named);

    DelayFinderSettings& d = *w.DelayFinder;
    k.Begin("DelayFinderOpts");
    k.I16("DisplayUnits", &d.DisplayUnits, "0");
    k.Range(0, 2);
    k.F("SpeedOfSound", &d.SpeedOfSound, "1130");
    k.Range(10, 100000);
    k.I32("MaxDelayMsec", &d.MaxDelayMsec, "500");
    k.Range(10, 1000);

    LeqSettings& q = *w.Leq;
    k.Begin("LEQ");
    k.I16("LeqT_Weight", &q.LeqT_Weight, "1");
    k.I16("Leq_Weight", &q.Leq_Weight, "1");
    k.I16("Lsel_Weight", &q.Lsel_Weight, "1");
    k.I16("Lpk_Weight", &q.Lpk_Weight, "1");
    k.I16("Lmaxmin_Weight", &q.Lmaxmin_Weight, "1");
    k.I16("Lstats_Weight", &q.Lstats_Weight, "1");
    k.I16("LeqT_Avg", &q.LeqT_Avg, "3");
    k.I16("Leq_Avg", &q.Leq_Avg, "3");
    k.I16("Lsel_Avg", &q.Lsel_Avg, "3");
    k.I16("Lpk_Avg", &q.Lpk_Avg, "0");
    k.Rule(TRule::LpkAverage);
    k.I16("Lmaxmin_Avg", &q.Lmaxmin_Avg, "1");
    k.I16("Lstats_Avg", &q.Lstats_Avg, "1");
    k.I32("LeqT_RefTimeSec", &q.LeqT_RefTimeSec, "3600");
    k.Rule(TRule::LeqReferenceTime);
    k.F("UpdateIntervalSec", &q.UpdateIntervalSec, "1.0");
    k.Rule(TRule::LeqUpdateInterval);
    k.I16("RecalculationMode", &q.RecalculationMode, "0");
    k.Range(0, 1);

    ReverbSettings& r = *w.Reverb;
    k.Begin("ReverbOpts");
    k.I32("SmoothingMethod", &r.SmoothingMethod, "1");
    k.Range(0, 2);
    k.F("SmoothingAverageTime", &r.SmoothingAverageTime, "0.100");
    k.I32("ExtrapolationMethod", &r.ExtrapolationMethod, "1");
    k.Range(0, 2);
    k.F("MaxDecayTime", &r.MaxDecayTime, "10.0", "%6.1f");
    k.Range(1, 30);
    k.F("DisplayedDecayTime", &r.DisplayedDecayTime, "10.0", "%6.1f");
    k.Range(Positive, FloatMax);
    k.I32("DisplayedRTTime", &r.DisplayedRTTime, "5");
    k.Range(0, 5);
    k.I32("DisplayedDecayBand", &r.DisplayedDecayBand, "10");
    k.C("BarColor", &r.BarColor, 0xFF0000);
    k.C("BackgroundColor", &r.BackgroundColor, 0xC4FFFF);
    k.C("DecayColor", &r.DecayColor, 0x000080);
    k.C("SurfaceColor", &r.SurfaceColor, 0xFF0000);
    k.C("GridColor", &r.GridColor, 0x808080);
    k.F("PlotTop", &r.PlotTop, "20");
    k.Range(-200, 200);
    k.F("PlotRange", &r.PlotRange, "80");
    k.Range(10, 200);

    THDFreqSettings& h = *w.ThdFreq;
    k.Begin("THDFreqOpts");
    k.C("LineColor", &h.LineColor, 0x00FFFF);
    k.C("BackgroundColor", &h.BackgroundColor, 0x000000);
    k.C("GridColor", &h.GridColor, 0x008000);
    k.C("LimitColor", &h.LimitColor, 0x0000FF);
    k.F("PlotTop", &h.PlotTop, "10");
    k.Range(9e-6, 100);
    k.F("PlotBottom", &h.PlotBottom, "0.001");
    k.Range(9e-6, 100);
    k.I32("NumChannels", &h.NumChannels, "1");
    k.Range(1, 2);
    k.F("StartFreq", &h.StartFreq, "20.0");
    k.F("StopFreq", &h.StopFreq, "20000.0");
    k.I32("StepType", &h.StepType, "1");
    k.Range(1, 2);
    k.F("StepSizeHz", &h.StepSizeHz, "1000.0");
    k.I32("OctaveNumber", &h.OctaveNumber, "3");
    k.I32("DwellTimeMSec", &h.DwellTimeMSec, "1000");
    k.F("SignalLevelL", &h.SignalLevelL, "0.0");
    k.F("SignalLevelR", &h.SignalLevelR, "0.0");
    k.I16("StandardWeighting", &h.StandardWeighting, "0");
    k.Range(0, 3);
    k.Flag("PromptToSave", &h.PromptToSave, "1");
    k.I16("FreqScaleType", &h.FreqScaleType, "1");
    k.I16("AmpScaleType", &h.AmpScaleType, "1");
    k.Range(0, 1);
    k.Flag("LimitEnableL", &h.LimitEnableL, "0");
    k.S("LimitFilenameL", h.LimitFilenameL, sizeof h.LimitFilenameL, "");
    k.Flag("LimitEnableR", &h.LimitEnableR, "0");
    k.S("LimitFilenameR", h.LimitFilenameR, sizeof h.LimitFilenameR, "");
    k.Rule(TRule::PhaseScopeFixed);

    PhaseScopeSettingsStruct& ps = *w.PhaseScope;
    k.Begin("PhaseScope");
    k.C("LineColor", &ps.LineColor, 0x00FFFF);
    k.C("BackgroundColor", &ps.BackgroundColor, 0x000000);
    k.C("GridColor", &ps.GridColor, 0xC0C0C0);
    k.I16("DisplayFormat", &ps.DisplayFormat, "0");
    k.Range(0, 2);

    MacroSettings& mo = *w.Macro;
    k.Begin("MacroOpts");
    k.S("MacroFilename", mo.MacroFilename, sizeof mo.MacroFilename, "");
    k.Flag("OverwriteFlag", &mo.OverwriteFlag, "1");
    k.S("OutputFilename", mo.OutputFilename, sizeof mo.OutputFilename, "");
    k.Rule(TRule::MacroOutput);
    k.S("OutputViewerProgram", mo.OutputViewerProgram, sizeof mo.OutputViewerProgram, "notepad.exe");
    k.Flag("ShowUserBtnToolbar", &mo.ShowUserBtnToolbar, "0");
    for (int i = 0; i < MacroSettings::ButtonCount; ++i)
        k.S(Numbered("BtnLabel_", i + 1), mo.BtnLabel[i], sizeof mo.BtnLabel[i], Numbered("Test ", i + 1).c_str());
    for (int i = 0; i < MacroSettings::ButtonCount; ++i)
        k.S(Numbered("BtnFilename_", i + 1), mo.BtnFilename[i], sizeof mo.BtnFilename[i], "");
    return k;
}

// Blanks a cut left at the end: the files do not keep them.
void TrimEnd(char* text)
{
    for (size_t n = std::strlen(text); n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t'); --n) text[n - 1] = '\0';
}

void CopyText(char* field, size_t size, const std::string& text)
{
    std::snprintf(field, size, "%s", text.c_str());
}

using TRuleCall = void (*)(const TSettingsFields&, const TScratch&, TProfile& file);

// The after-read rules, by TRule.
const TRuleCall AfterRead[] = {
    nullptr,  // None
    [](const TSettingsFields& w, const TScratch&, TProfile&) { std::strcpy(*w.Caption, "Tonalyx"); },
    nullptr,  // InputDevice
    nullptr,  // OutputDevice
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        int32_t& size = w.FileIO->MaxDiskRecordingSizeBytes;
        const uint32_t bytes = uint32_t(size);
        if (bytes > 2000000000u) size = 2000000000;
        else if (bytes < 1000000u) size = 1000000;
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (w.FileIO->RealTimeWaveBufferLengthSecs < 2) w.FileIO->RealTimeWaveBufferLengthSecs = 60;
    },
    [](const TSettingsFields& w, const TScratch& scratch, TProfile& file) {
        if (scratch.CalibrationTypeId == TSettingsKeys::CurrentStructTypeId) return;
        // An old file keeps one record for both channels and the right one's few own keys beside it.
        CalibrationChannel& right = w.Calibration->Right;
        right = w.Calibration->Left;
        right.PctFullScale = TSettingsTable::ReadFloat(file, "Calibration", "PctFullScaleRight", "0.50");
        right.CalRatio = TSettingsTable::ReadFloat(file, "Calibration", "CalRatioRight", "1.0");
        CopyText(right.ChannelName, sizeof right.ChannelName,
                 TSettingsTable::ReadText(file, "Calibration", "RightChannelName", "Right", sizeof right.ChannelName));
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        TWaveFormat& f = w.Settings->Format;
        f.Set(f.SamplingRate, f.NumChannels, f.BytesPerSample);
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (!TSpectralData::IsValidFFTSize(w.Settings->FFTsize)) w.Settings->FFTsize = 16384;
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (!TSeriesData::IsValidDecimationRatio(w.Settings->DecimationRatio)) w.Settings->DecimationRatio = 1;
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (!AnalysisSettingsStruct::IsValidOverlap(w.Settings->OverlapPercent)) w.Settings->OverlapPercent = 75;
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (!TSmoothing::IsValidWindowType(w.Settings->SmoothingWindow)) w.Settings->SmoothingWindow = TSmoothing::Hanning;
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (!TChannelProcessing::IsValid(w.Settings->ChannelProcessing))
            w.Settings->ChannelProcessing = TChannelProcessing::LeftOnly;
    },
    [](const TSettingsFields& w, const TScratch& scratch, TProfile& file) {
        if (scratch.ScalingTypeId == TSettingsKeys::CurrentStructTypeId) return;
        DisplaySettingsStruct& right = w.Scaling[1];
        right = w.Scaling[0];
        CopyText(right.MicCompFilename, sizeof right.MicCompFilename,
                 TSettingsTable::ReadText(file, "Scaling", "MicCompFilenameRight", "", sizeof right.MicCompFilename));
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) { w.Trigger->StartState = 0; },
    [](const TSettingsFields& w, const TScratch&, TProfile&) { w.Leq->Lpk_Avg = 0; },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (w.Leq->LeqT_RefTimeSec == 0) w.Leq->LeqT_RefTimeSec = 3600;
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (w.Leq->UpdateIntervalSec == 0.0f) w.Leq->UpdateIntervalSec = 1.0f;
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        PhaseScopeSettingsStruct& scope = *w.PhaseScope;
        scope.Unused1 = 0;
        scope.Unused2 = 6;
        scope.Unused3 = 1;
        scope.Unused4 = 100.0f;
        scope.Unused5 = 100.0f;
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        MacroSettings& macro = *w.Macro;
        if (macro.OutputFilename[0] != '\0') return;
        std::snprintf(macro.OutputFilename, sizeof macro.OutputFilename, "%s\\macro_output.txt",
                      (*w.Folders)[TSettingsFields::MacroFolder]);
        TrimEnd(macro.OutputFilename);
    },
    [](const TSettingsFields& w, const TScratch&, TProfile&) {
        if (!AnalysisSettingsStruct::IsValidCorrectionFactor(w.Settings->SamplingRateCorrectionFactor))
            w.Settings->SamplingRateCorrectionFactor = 1.0f;
    },
};
static_assert(std::size(AfterRead) == size_t(TRule::CorrectionFactor) + 1, "one entry per rule");

// The sound devices as the table's custom rows.
class TDeviceRows : public TSettingCustom {
public:
    explicit TDeviceRows(TSettingsDevices& devices) : Devices(devices) {}
    void Read(TProfile& from, const TSettingRow& row) override { Devices.Read(from, IsInput(row)); }
    void Write(TProfile& to, const TSettingRow& row) override { Devices.Write(to, IsInput(row)); }

private:
    static bool IsInput(const TSettingRow& row) { return row.Tag == int(TRule::InputDevice); }
    TSettingsDevices& Devices;
};

}  // namespace

void TSettingsKeys::Read(TProfile& file, TProfile& ini, const TSettingsFields& fields, TSettingsDevices& devices,
                         bool keepMacroOptions)
{
    TScratch scratch;
    TDeviceRows custom(devices);
    TProfile* const profiles[] = {&file, &ini};
    for (const TSettingRow& row : KeyList(fields, scratch).Rows) {
        if (keepMacroOptions && row.Section == "MacroOpts") continue;
        TSettingsTable::Read(row, *profiles[row.Profile], &custom);
        if (const TRuleCall rule = AfterRead[row.Tag]) rule(fields, scratch, file);
    }
}

void TSettingsKeys::Write(TProfile& file, TProfile& ini, const TSettingsFields& fields, TSettingsDevices& devices)
{
    TScratch scratch;
    TDeviceRows custom(devices);
    TProfile* const profiles[] = {&file, &ini};
    KeyList(fields, scratch).WriteAll(profiles, &custom);
}
