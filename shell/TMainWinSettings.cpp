// The settings files: the whole key list of the main window in the order a
// written file holds it, and the reader's and writer's rules.
#include "shell/TMainWin.h"

#include <mmsystem.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "engine/TChannelProcessing.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"

const char* const TMainWin::FolderKeys[TMainWin::FolderCount] = {
    "Wav", "Tmp", "cfg", "cal", "mic", "ovl", "txt", "rvb", "thd", "macro", "filter"};

namespace {

enum class TKind { I16, I32, Float, Color, Text, Device };

// What the reader does after a key was stored.
enum class TRule {
    None, Caption, InputDevice, OutputDevice, MaxDiskSize, HistoryLength, CalibrationType, Format,
    FftSize, DecimationRatio, OverlapPercent, SmoothingWindow, ChannelProcessing, ScalingType,
    TriggerEnd, LpkAverage, LeqReferenceTime, LeqUpdateInterval, PhaseScopeFixed, MacroOutput,
    CorrectionFactor,
};

struct TKey {
    const char* Section;
    std::string Name;
    TKind Kind;
    void* Field;
    int Size;              // text fields: characters with the terminating zero
    std::string Default;
    const char* Format;    // reals: "%f" unless the list names another
    bool IniOnly;
    TRule Rule;
};

// Type ids read into the reader's scratch; always written as the current id.
struct TScratch {
    int32_t CalibrationTypeId = TMainWin::CurrentStructTypeId;
    int32_t ScalingTypeId = TMainWin::CurrentStructTypeId;
};

class TKeyList {
public:
    std::vector<TKey> Keys;
    const char* Section = "";
    bool IniOnly = false;

    void Begin(const char* section, bool iniOnly = false) { Section = section; IniOnly = iniOnly; }
    TKey& Add(const std::string& name, TKind kind, void* field, const std::string& def, int size = 0,
              const char* format = "%f")
    {
        Keys.push_back({Section, name, kind, field, size, def, format, IniOnly, TRule::None});
        return Keys.back();
    }
    void I16(const std::string& n, uint16_t* f, const char* d) { Add(n, TKind::I16, f, d); }
    void I32(const std::string& n, void* f, const char* d) { Add(n, TKind::I32, f, d); }
    void F(const std::string& n, float* f, const char* d, const char* format = "%f") { Add(n, TKind::Float, f, d, 0, format); }
    void C(const std::string& n, uint32_t* f, uint32_t d) { Add(n, TKind::Color, f, std::to_string(d)); }
    void S(const std::string& n, char* f, int size, const char* d) { Add(n, TKind::Text, f, d, size); }
    void Rule(TRule rule) { Keys.back().Rule = rule; }
};

std::string Numbered(const char* name, int n)
{
    return name + std::to_string(n);
}

const char* const SlotSuffix[SpectrumOpts::SlotCount] = {"1", "2", "3", "4", "5", "6", "C"};

void AddCalibrationChannel(TKeyList& k, CalibrationChannel& c, bool left)
{
    k.I32("IsEnabled", &c.IsEnabled, "0");
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
    k.I16("FreqScaleType", &s.FreqScaleType, "1");
    k.I16("OctaveNumber", &s.OctaveNumber, "3");
    k.I32("SpectralDensityFlag", &s.SpectralDensityFlag, "0");
    k.I16("SpectralDensityType", &s.SpectralDensityType, "0");
    k.I16("StandardWeighting", &s.StandardWeighting, "0");
    k.I16("TotalPowerWeighting", &s.TotalPowerWeighting, "0");
    k.I32("MicCompEnable", &s.MicCompEnable, "0");
    k.S(fileKey, s.MicCompFilename, sizeof s.MicCompFilename, "");
}

void AddSpectrumOpts(TKeyList& k, SpectrumOpts& o)
{
    k.I16("PlotType", &o.PlotType, "0");
    k.I32("ShowToolbar", &o.ShowToolbar, "1");
    k.I32("GridXEnabled", &o.GridXEnabled, "1");
    k.I32("GridYEnabled", &o.GridYEnabled, "1");
    k.F("PlotTop", &o.PlotTop, "0.0");
    k.F("PlotRange", &o.PlotRange, "120.0");
    k.F("StartFreq", &o.StartFreq, "5.0");
    k.F("StopFreq", &o.StopFreq, "22000.0");
    k.C("LineColor", &o.LineColor, 0xFF0000);
    k.C("PeakColor", &o.PeakColor, 0x0000FF);
    k.C("BackgroundColor", &o.BackgroundColor, 0xDCFFFF);
    k.C("GridColor", &o.GridColor, 0x808080);
    k.C("MarkerColor", &o.MarkerColor, 0x000000);
    k.I32("ShowRMSLevel", &o.ShowRMSLevel, "0");
    k.I32("ShowPowerMeter", &o.ShowPowerMeter, "1");
    k.I32("ShowOverlayControls", &o.ShowOverlayControls, "1");
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i) k.I32(std::string("Show1_") + SlotSuffix[i], &o.Show1[i], "0");
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i) k.I32(std::string("Show2_") + SlotSuffix[i], &o.Show2[i], "0");
    static const uint32_t OverlayColors[SpectrumOpts::SlotCount] = {0x008000, 0xAEAE00, 0x800080, 0xFF00FF,
                                                                    0x004080, 0x4080FF, 0x000000};
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i)
        k.C(std::string("OverlayColor") + SlotSuffix[i], &o.OverlayColor[i], OverlayColors[i]);
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i) k.F(std::string("Offset1_") + SlotSuffix[i], &o.Offset1[i], "0.0");
    for (int i = 0; i < SpectrumOpts::SlotCount; ++i) k.F(std::string("Offset2_") + SlotSuffix[i], &o.Offset2[i], "0.0");
    k.I16("OverlayLegendSize", &o.OverlayLegendSize, "8");
    k.I16("CompositeType1", &o.CompositeType1, "0");
    k.I16("DifferenceIndex1_1", &o.DifferenceIndex1[0], "0");
    k.I16("DifferenceIndex1_2", &o.DifferenceIndex1[1], "1");
    for (int i = 0; i < 6; ++i) k.I32(Numbered("IncludeInAverage1_", i + 1), &o.IncludeInAverage1[i], i < 2 ? "1" : "0");
    k.I16("CompositeType2", &o.CompositeType2, "0");
    k.I16("DifferenceIndex2_1", &o.DifferenceIndex2[0], "0");
    k.I16("DifferenceIndex2_2", &o.DifferenceIndex2[1], "1");
    for (int i = 0; i < 6; ++i) k.I32(Numbered("IncludeInAverage2_", i + 1), &o.IncludeInAverage2[i], i < 2 ? "1" : "0");
    k.I32("GrabCursorFlag", &o.GrabCursorFlag, "1");
    k.F("rpm", &o.rpm, "1000.0");
    k.I32("IntervalFlag", &o.IntervalFlag, "1");
    k.F("IntervalSecs", &o.IntervalSecs, "0.02");
}

void AddPhaseOpts(TKeyList& k, PhaseOpts& o)
{
    k.I32("ShowToolbar", &o.ShowToolbar, "1");
    k.I32("GridXEnabled", &o.GridXEnabled, "1");
    k.I32("GridYEnabled", &o.GridYEnabled, "1");
    k.F("PlotTop", &o.PlotTop, "180.0");
    k.F("PlotRange", &o.PlotRange, "360.0");
    k.F("StartFreq", &o.StartFreq, "20.0");
    k.F("StopFreq", &o.StopFreq, "22000.0");
    k.C("LineColor", &o.LineColor, 0x000000);
    k.C("BackgroundColor", &o.BackgroundColor, 0xFFFF00);
    k.C("GridColor", &o.GridColor, 0xC0C0C0);
    k.C("MarkerColor", &o.MarkerColor, 0x0000FF);
    k.I32("GrabCursorFlag", &o.GrabCursorFlag, "1");
    k.I32("IntervalFlag", &o.IntervalFlag, "0");
    k.F("IntervalSecs", &o.IntervalSecs, "0.1");
}

void AddSpectrogramOpts(TKeyList& k, SpectrogramOpts& o)
{
    k.I32("ShowToolbar", &o.ShowToolbar, "1");
    k.I32("IntervalFlag", &o.IntervalFlag, "0");
    k.F("IntervalSecs", &o.IntervalSecs, "2");
    k.F("PlotTop", &o.PlotTop, "0.0");
    k.F("PlotRange", &o.PlotRange, "60.0");
    k.I32("UseFullSpan", &o.UseFullSpan, "1");
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
    k.I32("ShowToolbar", &o.ShowToolbar, "1");
    k.I32("IntervalFlag", &o.IntervalFlag, "0");
    k.F("IntervalSecs", &o.IntervalSecs, "2");
    k.F("PlotTop", &o.PlotTop, "0.0");
    k.F("PlotRange", &o.PlotRange, "60.0");
    k.I32("UseFullSpan", &o.UseFullSpan, "1");
    k.F("StartFreq", &o.StartFreq, "100.0");
    k.F("StopFreq", &o.StopFreq, "10000.0");
    k.C("BackgroundColor", &o.BackgroundColor, 0x000000);
    k.C("LineColor", &o.LineColor, 0xFF0000);
    k.C("ColorMode", &o.ColorMode, 0);
    k.I32("Intensity", &o.Intensity, "0");
}

// Every key in the writer's order.
std::vector<TKey> KeyList(TMainWin& w, TScratch& scratch)
{
    static const char* const FolderDefaults[TMainWin::FolderCount] = {
        "..\\.\\wave", "..\\.\\wave", "..\\.\\config", "..\\.\\cal", "..\\.\\miccomp", "..\\.\\overlay",
        "..\\.\\log", "..\\.\\reverb", "..\\.\\thd", "..\\.\\macro", "..\\.\\filter"};

    TKeyList k;
    k.Begin("Main", true);
    k.S("Caption", w.Caption, sizeof w.Caption, "Tonalyx");
    k.Rule(TRule::Caption);

    k.Begin("Paths", true);
    for (int i = 0; i < TMainWin::FolderCount; ++i)
        k.S(TMainWin::FolderKeys[i], w.ConfiguredFolders[i], TMainWin::PathSize, FolderDefaults[i]);

    k.Begin("Device");
    k.Add("InputDeviceName", TKind::Device, nullptr, "", 256);
    k.Rule(TRule::InputDevice);
    k.Add("OutputDeviceName", TKind::Device, nullptr, "", 256);
    k.Rule(TRule::OutputDevice);

    FileIOSettings& io = w.FileIO;
    k.Begin("FileIO", true);
    k.I32("WaveFileMode", &io.WaveFileMode, "1");
    k.I32("MaxRamRecordingTimeSecs", &io.MaxRamRecordingTimeSecs, "300");
    k.I32("MakeBackup", &io.MakeBackup, "1");
    k.I32("IncludeCalibrationData", &io.IncludeCalibrationData, "1");
    k.I32("RecordIOBufferSizeSecs", &io.RecordIOBufferSizeSecs, "1");
    k.I32("RealTimeIOBufferSizeSecs", &io.RealTimeIOBufferSizeSecs, "1");
    k.I32("RealTimeWaveBufferEnableFlag", &io.RealTimeWaveBufferEnableFlag, "1");
    k.I32("RealTimeWaveBufferLengthSecs", &io.RealTimeWaveBufferLengthSecs, "60");
    k.Rule(TRule::HistoryLength);
    k.I32("AllowSplitBuffers", &io.AllowSplitBuffers, "1");
    k.I32("DALSelfMonitor", &io.DALSelfMonitor, "0");
    k.I32("DarlaDelay", &io.DarlaDelay, "100");
    k.I32("MaxDiskRecordingSizeBytes", &io.MaxDiskRecordingSizeBytes, "2000000000");
    k.Rule(TRule::MaxDiskSize);

    k.Begin("Toolbars");
    k.I32("Main", &w.MainToolbarFlag, "1");
    k.I32("Buttons", &w.ButtonToolbarFlag, "1");
    k.I32("Statusbar", &w.StatusBarFlag, "1");

    k.Begin("Calibration");
    k.S("Filename", w.Calibration.Filename, sizeof w.Calibration.Filename, "default.cal");
    AddCalibrationChannel(k, w.Calibration.Left, true);
    k.Begin("CalibrationR");
    AddCalibrationChannel(k, w.Calibration.Right, false);
    k.I32("CalibrationStructTypeID", &scratch.CalibrationTypeId, "0");
    k.Rule(TRule::CalibrationType);

    TPrintOptions& p = w.PrintOptions;
    k.Begin("PrintOpts");
    k.S("Annotation1", p.Annotation1, sizeof p.Annotation1, "");
    k.S("Annotation2", p.Annotation2, sizeof p.Annotation2, "");
    k.F("MarginLeft", &p.MarginLeft, "0.50");
    k.F("MarginRight", &p.MarginRight, "0.50");
    k.F("MarginTop", &p.MarginTop, "0.50");
    k.F("MarginBottom", &p.MarginBottom, "0.50");
    k.I32("EnableCommentBlock", &p.EnableCommentBlock, "0");
    for (int i = 0; i < TPrintOptions::CommentCount; ++i)
        k.S(Numbered("Comment", i + 1), p.Comment[i], sizeof p.Comment[i], "");

    k.Begin("Mode");
    k.I32("OpMode", &w.OpMode, "1");

    AnalysisSettingsStruct& s = w.Settings;
    k.Begin("Settings");
    k.I32("FFTsize", &s.FFTsize, "16384");
    k.Rule(TRule::FftSize);
    k.I32("SamplingRate", &s.Format.SamplingRate, "44100");
    k.I16("NumChannels", &s.Format.NumChannels, "1");
    k.I16("BytesPerSample", &s.Format.BytesPerSample, "2");
    k.Rule(TRule::Format);
    k.I32("AverageBlocks", &s.AverageBlocks, "4");
    k.I16("AverageType", &s.AverageType, "0");
    k.I16("AverageMode", &s.AverageMode, "0");
    k.I16("AverageSpeed", &s.AverageSpeed, "0");
    k.I16("PeakHold", &s.PeakHold, "2");
    k.I16("DecimationRatio", &s.DecimationRatio, "1");
    k.Rule(TRule::DecimationRatio);
    k.I32("ApplyLowPassFilter", &s.ApplyLowPassFilter, "1");
    k.I16("SmoothingWindow", &s.SmoothingWindow, "4");
    k.Rule(TRule::SmoothingWindow);
    k.I16("OverlapPercent", &s.OverlapPercent, "75");
    k.Rule(TRule::OverlapPercent);
    k.I16("ChannelProcessing", &s.ChannelProcessing, "0");
    k.Rule(TRule::ChannelProcessing);
    k.I16("DelayChannel", &s.DelayChannel, "0");
    k.F("DelayTimeMsec", &s.DelayTimeMsec, "0");
    k.I32("EnableOverloadDetection", &s.EnableOverloadDetection, "1");
    k.I32("ExcludeOverloadFlag", &s.ExcludeOverloadFlag, "0");
    k.IniOnly = true;
    k.F("SamplingRateCorrectionFactor", &s.SamplingRateCorrectionFactor, "1.0");
    k.Rule(TRule::CorrectionFactor);
    k.IniOnly = false;
    k.I32("IndependentScalingAndCalibration", &s.IndependentScalingAndCalibration, "0");

    k.Begin("Scaling");
    AddScaling(k, w.Scaling[0], "MicCompFilenameLeft");
    k.Begin("Scaling2");
    AddScaling(k, w.Scaling[1], "MicCompFilenameRight");
    k.I32("ScalingStructTypeID", &scratch.ScalingTypeId, "0");
    k.Rule(TRule::ScalingType);

    MarkerSettings& m = w.Markers;
    k.Begin("Markers");
    for (int i = 0; i < MarkerSettings::Count; ++i) k.I32(Numbered("MarkerEnable", i), &m.MarkerEnable[i], "0");
    static const char* const MarkerFreqs[MarkerSettings::Count] = {"1000.0", "2000.0", "3000.0", "4000.0",
                                                                   "5000.0", "6000.0", "6000.0", "6000.0"};
    for (int i = 0; i < MarkerSettings::Count; ++i)
        k.F(Numbered("MarkerFreq", i), &m.MarkerFreq[i], MarkerFreqs[i], "%6.2f");
    for (int i = 0; i < MarkerSettings::Count; ++i) k.I32(Numbered("LabelType", i), &m.LabelType[i], "1");
    for (int i = 0; i < MarkerSettings::Count; ++i)
        k.S(Numbered("CustomLabel", i), m.CustomLabel[i], sizeof m.CustomLabel[i], Numbered("Marker ", i + 1).c_str());
    k.I32("PeakHoldFlag", &m.PeakHoldFlag, "0");

    TriggerSettings& t = w.Trigger;
    k.Begin("Trigger");
    k.I32("Enable", &t.Enable, "0");
    k.I32("Mode", &t.Mode, "0");
    k.I32("Channel", &t.Channel, "0");
    k.I32("Threshold", &t.Threshold, "25");
    k.I16("DelayType", &t.DelayType, "0");
    k.F("DelayMsec", &t.DelayMsec, "0");
    k.I16("TriggerType", &t.TriggerType, "0");
    k.I16("TriggerSlope", &t.TriggerSlope, "0");
    k.I32("StartSigGenOnTrigger", &t.StartSigGenOnTrigger, "0");
    k.Rule(TRule::TriggerEnd);

    // Written after the trigger; it still belongs to "Settings".
    k.Begin("Settings");
    k.I32("LockSignalGeneratorChannels", &w.GeneratorLocked, "0");

    ViewStatusFlags& v = w.ViewStatus;
    k.Begin("ViewStatus", true);
    k.I32("HideApplicationWindow", &v.HideApplicationWindow, "0");
    k.IniOnly = false;
    k.I32("TimeSeries", &v.TimeSeries, "0");
    k.I32("SpectrumPlot", &v.SpectrumPlot, "1");
    k.I32("PhasePlot", &v.PhasePlot, "0");
    k.I32("Spectrogram", &v.Spectrogram, "0");
    k.I32("SurfacePlot", &v.SurfacePlot, "0");
    k.I32("SignalGenerator", &v.SignalGenerator, "0");
    k.I32("THD", &v.THD, "0");
    k.I32("THD_N", &v.THD_N, "0");
    k.I32("IMD", &v.IMD, "0");
    k.I32("SNR", &v.SNR, "0");
    k.I32("SINAD", &v.SINAD, "0");
    k.I32("SFDR", &v.SFDR, "0");
    k.I32("NF", &v.NF, "0");
    k.I16("NoiseFigurePolarity", &w.NoiseFigureOrder, "6");
    k.I32("Peak Freq", &v.PeakFreq, "0");
    k.I32("Peak Amp", &v.PeakAmp, "0");
    k.I32("Total Pwr", &v.TotalPwr, "0");
    k.I32("Delay Finder", &v.DelayFinder, "0");
    k.I32("Reverb", &v.Reverb, "0");
    k.I32("Macro", &v.Macro, "0");
    k.I32("Phase Scope", &v.PhaseScope, "0");
    k.I32("THD_vs_Freq", &v.THD_vs_Freq, "0");
    k.I32("Leq Analysis", &v.LeqAnalysis, "0");

    k.Begin("SpectrumOpts");
    AddSpectrumOpts(k, w.SpectrumOptions[0]);
    k.Begin("SpectrumOpts2");
    AddSpectrumOpts(k, w.SpectrumOptions[1]);
    k.Begin("PhaseOpts");
    AddPhaseOpts(k, w.PhaseOptions[0]);
    k.Begin("PhaseOpts2");
    AddPhaseOpts(k, w.PhaseOptions[1]);
    k.Begin("SpectrogramOpts");
    AddSpectrogramOpts(k, w.SpectrogramOptions[0]);
    k.Begin("SpectrogramOpts2");
    AddSpectrogramOpts(k, w.SpectrogramOptions[1]);
    k.Begin("SurfaceOpts");
    AddSurfaceOpts(k, w.SurfaceOptions[0]);
    k.Begin("SurfaceOpts2");
    AddSurfaceOpts(k, w.SurfaceOptions[1]);

    SeriesOpts& so = w.SeriesOptions;
    k.Begin("SeriesOpts");
    k.I32("ShowToolbar", &so.ShowToolbar, "1");
    k.I16("AmpScaleType", &so.AmpScaleType, "0");
    k.I32("GridXEnabled", &so.GridXEnabled, "1");
    k.I32("GridYEnabled", &so.GridYEnabled, "1");
    k.F("PlotTop", &so.PlotTop, "100.0");
    k.F("PlotRange", &so.PlotRange, "100.0");
    k.I16("PlotChannel", &so.PlotChannel, "0");
    k.F("MaxZoomOutTime", &so.MaxZoomOutTime, "10000.0");
    k.C("LineColor", &so.LineColor, 0x0000FF);
    k.C("BackgroundColor", &so.BackgroundColor, 0xFFFFFF);
    k.C("GridColor", &so.GridColor, 0xC0C0C0);
    k.F("StartTime", &so.StartTime, "0.0");
    k.F("StopTime", &so.StopTime, "1.0");
    k.F("OrderNumber", &so.OrderNumber, "3.0");
    k.I32("ThresholdMarkPercentage", &so.ThresholdMarkPercentage, "25");
    k.I32("DisplayMaxMinRangeAsRMS", &so.DisplayMaxMinRangeAsRMS, "0");
    k.I32("IntervalFlag", &so.IntervalFlag, "0");
    k.F("IntervalSecs", &so.IntervalSecs, "0.1");
    k.I32("GrabCursorFlag", &so.GrabCursorFlag, "0");

    FilterSettings& f = w.Filter;
    k.Begin("Filter");
    k.I32("Type", &f.Type, "0");
    k.I32("NumTaps", &f.NumTaps, "200");
    k.I32("HPCutoffHz", &f.HPCutoffHz, "1000");
    k.I32("LPCutoffHz", &f.LPCutoffHz, "2000");
    k.I32("BPCenterHz", &f.BPCenterHz, "2000");
    k.I32("BPWidthHz", &f.BPWidthHz, "1000");
    k.I32("NCenterHz", &f.NCenterHz, "2000");
    k.I32("NWidthHz", &f.NWidthHz, "1000");
    k.I32("DoLeft", &f.DoLeft, "1");
    k.I32("DoRight", &f.DoRight, "1");
    k.F("FilterGainDB", &f.FilterGainDB, "0.0");
    k.S("FilterFilename", f.FilterFilename, sizeof f.FilterFilename, "");

    LoggingSettings& lg = w.Logging;
    k.Begin("Logging");
    k.I32("IntervalFlag", &lg.IntervalFlag, "1");
    k.F("IntervalSecs", &lg.IntervalSecs, "1");
    k.I32("UseFullSpan", &lg.UseFullSpan, "1");
    k.F("StartFreq", &lg.StartFreq, "0");
    k.F("StopFreq", &lg.StopFreq, "1000.0");
    k.F("Threshold", &lg.Threshold, "-999.0");
    k.I16("DataType", &lg.DataType, "0");
    k.S("LogFileName", lg.LogFileName, sizeof lg.LogFileName, "datalog.txt");
    k.S("LogViewerProgram", lg.LogViewerProgram, sizeof lg.LogViewerProgram, "notepad.exe");
    k.I32("OverwriteFlag", &lg.OverwriteFlag, "1");
    k.I32("IncludeHeaderFlag", &lg.IncludeHeaderFlag, "1");
    k.I32("IncludeTimeStampFlag", &lg.IncludeTimeStampFlag, "1");

    DelayFinderSettings& d = w.DelayFinderOptions;
    k.Begin("DelayFinderOpts");
    k.I16("DisplayUnits", &d.DisplayUnits, "0");
    k.F("SpeedOfSound", &d.SpeedOfSound, "1130");
    k.I32("MaxDelayMsec", &d.MaxDelayMsec, "500");

    LeqSettings& q = w.LeqOptions;
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

    ReverbSettings& r = w.ReverbOptions;
    k.Begin("ReverbOpts");
    k.I32("SmoothingMethod", &r.SmoothingMethod, "1");
    k.F("SmoothingAverageTime", &r.SmoothingAverageTime, "0.100");
    k.I32("ExtrapolationMethod", &r.ExtrapolationMethod, "1");
    k.F("MaxDecayTime", &r.MaxDecayTime, "10.0", "%6.1f");
    k.F("DisplayedDecayTime", &r.DisplayedDecayTime, "10.0", "%6.1f");
    k.I32("DisplayedRTTime", &r.DisplayedRTTime, "5");
    k.I32("DisplayedDecayBand", &r.DisplayedDecayBand, "10");
    k.C("BarColor", &r.BarColor, 0xFF0000);
    k.C("BackgroundColor", &r.BackgroundColor, 0xC4FFFF);
    k.C("DecayColor", &r.DecayColor, 0x000080);
    k.C("SurfaceColor", &r.SurfaceColor, 0xFF0000);
    k.C("GridColor", &r.GridColor, 0x808080);
    k.F("PlotTop", &r.PlotTop, "20");
    k.F("PlotRange", &r.PlotRange, "80");

    THDFreqSettings& h = w.ThdFreqOptions;
    k.Begin("THDFreqOpts");
    k.C("LineColor", &h.LineColor, 0x00FFFF);
    k.C("BackgroundColor", &h.BackgroundColor, 0x000000);
    k.C("GridColor", &h.GridColor, 0x008000);
    k.C("LimitColor", &h.LimitColor, 0x0000FF);
    k.F("PlotTop", &h.PlotTop, "10");
    k.F("PlotBottom", &h.PlotBottom, "0.001");
    k.I32("NumChannels", &h.NumChannels, "1");
    k.F("StartFreq", &h.StartFreq, "20.0");
    k.F("StopFreq", &h.StopFreq, "20000.0");
    k.I32("StepType", &h.StepType, "1");
    k.F("StepSizeHz", &h.StepSizeHz, "1000.0");
    k.I32("OctaveNumber", &h.OctaveNumber, "3");
    k.I32("DwellTimeMSec", &h.DwellTimeMSec, "1000");
    k.F("SignalLevelL", &h.SignalLevelL, "0.0");
    k.F("SignalLevelR", &h.SignalLevelR, "0.0");
    k.I16("StandardWeighting", &h.StandardWeighting, "0");
    k.I32("PromptToSave", &h.PromptToSave, "1");
    k.I16("FreqScaleType", &h.FreqScaleType, "1");
    k.I16("AmpScaleType", &h.AmpScaleType, "1");
    k.I32("LimitEnableL", &h.LimitEnableL, "0");
    k.S("LimitFilenameL", h.LimitFilenameL, sizeof h.LimitFilenameL, "");
    k.I32("LimitEnableR", &h.LimitEnableR, "0");
    k.S("LimitFilenameR", h.LimitFilenameR, sizeof h.LimitFilenameR, "");
    k.Rule(TRule::PhaseScopeFixed);

    PhaseScopeSettingsStruct& ps = w.PhaseScopeOptions;
    k.Begin("PhaseScope");
    k.C("LineColor", &ps.LineColor, 0x00FFFF);
    k.C("BackgroundColor", &ps.BackgroundColor, 0x000000);
    k.C("GridColor", &ps.GridColor, 0xC0C0C0);
    k.I16("DisplayFormat", &ps.DisplayFormat, "0");

    MacroSettings& mo = w.MacroOptions;
    k.Begin("MacroOpts");
    k.S("MacroFilename", mo.MacroFilename, sizeof mo.MacroFilename, "");
    k.I32("OverwriteFlag", &mo.OverwriteFlag, "1");
    k.S("OutputFilename", mo.OutputFilename, sizeof mo.OutputFilename, "");
    k.Rule(TRule::MacroOutput);
    k.S("OutputViewerProgram", mo.OutputViewerProgram, sizeof mo.OutputViewerProgram, "notepad.exe");
    k.I32("ShowUserBtnToolbar", &mo.ShowUserBtnToolbar, "0");
    for (int i = 0; i < MacroSettings::ButtonCount; ++i)
        k.S(Numbered("BtnLabel_", i + 1), mo.BtnLabel[i], sizeof mo.BtnLabel[i], Numbered("Test ", i + 1).c_str());
    for (int i = 0; i < MacroSettings::ButtonCount; ++i)
        k.S(Numbered("BtnFilename_", i + 1), mo.BtnFilename[i], sizeof mo.BtnFilename[i], "");
    return k.Keys;
}

std::string ReadText(const char* file, const char* section, const char* key, const char* def, int size = 256)
{
    std::vector<char> buffer(size_t(size) + 1, '\0');
    ::GetPrivateProfileStringA(section, key, def, buffer.data(), DWORD(size), file);
    return buffer.data();
}

// Integers convert as the C runtime does: blanks, a sign, digits up to the
// first other character; out of range saturates at the 32-bit limits.
int32_t ToInt(const std::string& text)
{
    return int32_t(std::strtol(text.c_str(), nullptr, 10));
}

// Fields of the packed calibration record may sit on odd addresses.
template <class T> void Store(void* field, T value) { std::memcpy(field, &value, sizeof value); }
template <class T> T Load(const void* field)
{
    T value;
    std::memcpy(&value, field, sizeof value);
    return value;
}

int32_t DeviceFromId(int32_t id, bool input)
{
    UINT count = input ? ::waveInGetNumDevs() : ::waveOutGetNumDevs();
    if (uint32_t(id) >= count) return int32_t(count) - 1;
    return id;
}

}

void TMainWin::ReadDevice(const char* fileName, bool input)
{
    std::string name = ReadText(fileName, "Device", input ? "InputDeviceName" : "OutputDeviceName", "");
    int32_t& id = input ? InputDeviceID : OutputDeviceID;
    // A stored name wins over a stored id.
    if (!name.empty())
        id = input ? FindInputDeviceByName(name.c_str()) : FindOutputDeviceByName(name.c_str());
    else
        id = DeviceFromId(ToInt(ReadText(fileName, "Device", input ? "InputDeviceID" : "OutputDeviceID", "0")), input);
}

void TMainWin::WriteDevice(const char* fileName, bool input)
{
    char name[33] = {};
    if (input) {
        TSoundInput port{uint32_t(InputDeviceID)};
        port.GetDeviceCaps(name);
    } else {
        TSoundOutput port{uint32_t(OutputDeviceID)};
        port.GetDeviceCaps(name);
    }
    name[32] = '\0';
    ::WritePrivateProfileStringA("Device", input ? "InputDeviceName" : "OutputDeviceName", name, fileName);
}

void TMainWin::ReadSettings(const char* fileName)
{
    TScratch scratch;
    bool keepMacroOptions = IsMacroRunning();
    for (const TKey& key : KeyList(*this, scratch)) {
        if (keepMacroOptions && std::strcmp(key.Section, "MacroOpts") == 0) continue;
        const char* file = key.IniOnly ? IniPath : fileName;
        const char* section = key.Section;
        const char* name = key.Name.c_str();
        switch (key.Kind) {
        case TKind::I16:
            Store(key.Field, uint16_t(ToInt(ReadText(file, section, name, key.Default.c_str()))));
            break;
        case TKind::I32:
        case TKind::Color:
            Store(key.Field, ToInt(ReadText(file, section, name, key.Default.c_str())));
            break;
        case TKind::Float:
            Store(key.Field, float(std::strtod(ReadText(file, section, name, key.Default.c_str()).c_str(), nullptr)));
            break;
        case TKind::Text:
            ::GetPrivateProfileStringA(section, name, key.Default.c_str(), static_cast<char*>(key.Field), DWORD(key.Size), file);
            break;
        case TKind::Device:
            ReadDevice(file, key.Rule == TRule::InputDevice);
            break;
        }
        switch (key.Rule) {
        case TRule::Caption:
            std::strcpy(Caption, "Tonalyx");
            break;
        case TRule::MaxDiskSize: {
            uint32_t bytes = uint32_t(FileIO.MaxDiskRecordingSizeBytes);
            if (bytes > 2000000000u) FileIO.MaxDiskRecordingSizeBytes = 2000000000;
            else if (bytes < 1000000u) FileIO.MaxDiskRecordingSizeBytes = 1000000;
            break;
        }
        case TRule::HistoryLength:
            if (FileIO.RealTimeWaveBufferLengthSecs < 2) FileIO.RealTimeWaveBufferLengthSecs = 60;
            break;
        case TRule::CalibrationType:
            if (scratch.CalibrationTypeId != CurrentStructTypeId) {
                CalibrationChannel& right = Calibration.Right;
                right = Calibration.Left;
                right.PctFullScale = float(std::strtod(ReadText(fileName, "Calibration", "PctFullScaleRight", "0.50").c_str(), nullptr));
                right.CalRatio = float(std::strtod(ReadText(fileName, "Calibration", "CalRatioRight", "1.0").c_str(), nullptr));
                ::GetPrivateProfileStringA("Calibration", "RightChannelName", "Right", right.ChannelName,
                                           sizeof right.ChannelName, fileName);
            }
            break;
        case TRule::Format: {
            TWaveFormat& f = Settings.Format;
            f.Set(f.SamplingRate, f.NumChannels, f.BytesPerSample);
            break;
        }
        case TRule::FftSize:
            if (!TSpectralData::IsValidFFTSize(Settings.FFTsize)) Settings.FFTsize = 16384;
            break;
        case TRule::DecimationRatio:
            if (!TSeriesData::IsValidDecimationRatio(Settings.DecimationRatio)) Settings.DecimationRatio = 1;
            break;
        case TRule::OverlapPercent:
            if (!AnalysisSettingsStruct::IsValidOverlap(Settings.OverlapPercent)) Settings.OverlapPercent = 75;
            break;
        case TRule::SmoothingWindow:
            if (!TSmoothing::IsValidWindowType(Settings.SmoothingWindow)) Settings.SmoothingWindow = TSmoothing::Hanning;
            break;
        case TRule::ChannelProcessing:
            if (!TChannelProcessing::IsValid(Settings.ChannelProcessing))
                Settings.ChannelProcessing = TChannelProcessing::LeftOnly;
            break;
        case TRule::ScalingType:
            if (scratch.ScalingTypeId != CurrentStructTypeId) {
                Scaling[1] = Scaling[0];
                ::GetPrivateProfileStringA("Scaling", "MicCompFilenameRight", "", Scaling[1].MicCompFilename,
                                           sizeof Scaling[1].MicCompFilename, fileName);
            }
            break;
        case TRule::TriggerEnd:
            Trigger.StartState = 0;
            break;
        case TRule::LpkAverage:
            LeqOptions.Lpk_Avg = 0;
            break;
        case TRule::LeqReferenceTime:
            if (LeqOptions.LeqT_RefTimeSec == 0) LeqOptions.LeqT_RefTimeSec = 3600;
            break;
        case TRule::LeqUpdateInterval:
            if (LeqOptions.UpdateIntervalSec == 0.0f) LeqOptions.UpdateIntervalSec = 1.0f;
            break;
        case TRule::PhaseScopeFixed:
            PhaseScopeOptions.Unused1 = 0;
            PhaseScopeOptions.Unused2 = 6;
            PhaseScopeOptions.Unused3 = 1;
            PhaseScopeOptions.Unused4 = 100.0f;
            PhaseScopeOptions.Unused5 = 100.0f;
            break;
        case TRule::MacroOutput:
            if (MacroOptions.OutputFilename[0] == '\0')
                std::snprintf(MacroOptions.OutputFilename, sizeof MacroOptions.OutputFilename, "%s\\macro_output.txt",
                              ConfiguredFolders[MacroFolder]);
            break;
        case TRule::CorrectionFactor:
            if (!AnalysisSettingsStruct::IsValidCorrectionFactor(Settings.SamplingRateCorrectionFactor))
                Settings.SamplingRateCorrectionFactor = 1.0f;
            break;
        default:
            break;
        }
    }
}

void TMainWin::WriteSettings(const char* fileName)
{
    TScratch scratch;
    for (const TKey& key : KeyList(*this, scratch)) {
        const char* file = key.IniOnly ? IniPath : fileName;
        char text[256];
        switch (key.Kind) {
        case TKind::I16:
            std::snprintf(text, sizeof text, "%d", int(Load<uint16_t>(key.Field)));
            break;
        case TKind::I32:
        case TKind::Color:
            std::snprintf(text, sizeof text, "%d", int(Load<int32_t>(key.Field)));
            break;
        case TKind::Float:
            std::snprintf(text, sizeof text, key.Format, double(Load<float>(key.Field)));
            break;
        case TKind::Text:
            ::WritePrivateProfileStringA(key.Section, key.Name.c_str(), static_cast<const char*>(key.Field), file);
            continue;
        case TKind::Device:
            WriteDevice(file, key.Rule == TRule::InputDevice);
            continue;
        }
        ::WritePrivateProfileStringA(key.Section, key.Name.c_str(), text, file);
    }
}

void TMainWin::UpdateDelaySamples()
{
    double samples = std::trunc(double(Settings.Format.SamplingRate) * Settings.DelayTimeMsec * 0.001 + 0.5);
    if (!(samples > 0)) samples = 0;
    if (samples > double(UINT32_MAX)) samples = double(UINT32_MAX);
    Settings.DelaySamples = uint32_t(samples);
}
