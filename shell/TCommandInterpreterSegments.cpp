// The segment analysis, utility and data-logging commands: analyses over a
// time segment of the open wave, the reverberation and THD+N versus
// frequency windows, the result windows and the data log.
#include "shell/TCommandInterpreter.h"

#include <cmath>
#include <iterator>
#include <sstream>
#include "shell/TMainWin.h"
#include "utilities/TReverb.h"
#include "utilities/TTHDFreq.h"

namespace {
using K = TKeyword;
using I = TCommandInterpreter;

enum TSegmentAnalysis : int { AverageSpectrum, Reverb, Spectrogram, Surface };
enum TReverbCommand : int { StartReverb, ShowRtPlot, ShowDecayPlot, ShowSurfacePlot };

// The utility windows the open and close commands toggle, in the order of
// Utilities below.
enum TUtilityIndex : int { ReverbWindow, ThdFreqWindow, ThdnResult, ThdResult, ImdResult, SnrResult,
                           TotalPowerResult, PeakFrequencyResult, PeakAmplitudeResult };
struct TUtility {
    ViewType Type;
    void (TMainWin::*Toggle)();
};
const TUtility Utilities[] = {
    {ViewType::Reverb, &TMainWin::CmReverbTime},       {ViewType::ThdFreq, &TMainWin::CmTHDNvsFrequency},
    {ViewType::Thdn, &TMainWin::CmTHDN},               {ViewType::Thd, &TMainWin::CmTHD},
    {ViewType::Imd, &TMainWin::CmIMD},                 {ViewType::Snr, &TMainWin::CmSNR},
    {ViewType::TotalPower, &TMainWin::CmTotalPower},   {ViewType::PeakFrequency, &TMainWin::CmPeakFrequency},
    {ViewType::PeakAmplitude, &TMainWin::CmPeakAmplitude},
};

// A time read as decimal seconds; one beyond a float's range reads as 0.
float ReadSeconds(const std::string& field)
{
    const float seconds = float(TKeywordTable::ReadNumber(field));
    return std::isfinite(seconds) ? seconds : 0.0f;
}
}  // namespace

const TCommandInterpreter::TRow TCommandInterpreter::SegmentsTable[] = {
    {K::SetDataLoggingFile, &I::SetDataLoggingFile, 0},
    {K::EnableDataLogging, &I::DataLogging, 1},
    {K::DisableDataLogging, &I::DataLogging, 0},
    {K::LoggingOn, &I::DataLogging, 1},
    {K::LoggingOff, &I::DataLogging, 0},
    {K::ComputeAverageSpectrum, &I::SegmentAnalysis, AverageSpectrum},
    {K::ComputeReverb, &I::SegmentAnalysis, Reverb},
    {K::BuildSpectrogram, &I::SegmentAnalysis, Spectrogram},
    {K::BuildSurface, &I::SegmentAnalysis, Surface},
    {K::OpenReverb, &I::OpenUtility, ReverbWindow},
    {K::CloseReverb, &I::CloseUtility, ReverbWindow},
    {K::StartReverb, &I::ReverbCommand, StartReverb},
    {K::SaveReverb, &I::SaveReverb, 0},
    {K::SetReverbViewTime, &I::ReverbCommand, ShowRtPlot},
    {K::SetReverbViewDecay, &I::ReverbCommand, ShowDecayPlot},
    {K::SetReverbViewSurface, &I::ReverbCommand, ShowSurfacePlot},
    {K::OpenTHDvsFreq, &I::OpenUtility, ThdFreqWindow},
    {K::CloseTHDvsFreq, &I::CloseUtility, ThdFreqWindow},
    {K::StartTHDvsFreq, &I::StartThdFreq, 0},
    {K::SaveTHDvsFreq, &I::SaveThdFreq, 0},
    {K::PrintTHDvsFreq, &I::PrintThdFreq, 0},
    {K::OpenTHDNUtility, &I::OpenUtility, ThdnResult},
    {K::CloseTHDNUtility, &I::CloseUtility, ThdnResult},
    {K::OpenTHDUtility, &I::OpenUtility, ThdResult},
    {K::CloseTHDUtility, &I::CloseUtility, ThdResult},
    {K::OpenIMDUtility, &I::OpenUtility, ImdResult},
    {K::CloseIMDUtility, &I::CloseUtility, ImdResult},
    {K::OpenSNRUtility, &I::OpenUtility, SnrResult},
    {K::CloseSNRUtility, &I::CloseUtility, SnrResult},
    {K::OpenTotalPowerUtility, &I::OpenUtility, TotalPowerResult},
    {K::CloseTotalPowerUtility, &I::CloseUtility, TotalPowerResult},
    {K::OpenPeakFreqUtility, &I::OpenUtility, PeakFrequencyResult},
    {K::ClosePeakFreqUtility, &I::CloseUtility, PeakFrequencyResult},
    {K::OpenPeakAmpUtility, &I::OpenUtility, PeakAmplitudeResult},
    {K::ClosePeakAmpUtility, &I::CloseUtility, PeakAmplitudeResult},
    {K::AmbientCompensate, &I::AmbientCompensate, 0},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::SegmentsRows()
{
    return {SegmentsTable, std::size(SegmentsTable)};
}

uint32_t TCommandInterpreter::SetDataLoggingFile(const std::string& argument, int)
{
    // The running log keeps its file; the name waits for no later start.
    if (Main.GetDataLog()) return Done;
    char path[TMainWin::PathSize];
    if (!Main.ResolvePath(path, Main.ConfiguredFolder(TMainWin::TxtFolder), argument.c_str())) return 0;
    Main.SetLogFileName(path);
    return Done;
}

uint32_t TCommandInterpreter::DataLogging(const std::string&, int on)
{
    const bool logging = Main.GetDataLog() != nullptr;
    if (on && !logging) Main.CmDataLogOn();
    if (!on && logging) Main.CmDataLogOff();
    return Done;
}

uint32_t TCommandInterpreter::SegmentAnalysis(const std::string& argument, int analysis)
{
    std::istringstream fields(argument);
    std::string first, second;
    fields >> first >> second;
    const float start = ReadSeconds(first), stop = ReadSeconds(second);
    // Each operation opens the views it fills and judges the bounds itself.
    switch (analysis) {
    case AverageSpectrum: Main.AverageSpectrumOfSegment(true, start, stop); break;
    case Reverb: Main.AnalyzeReverbSegment(1, start, stop); break;
    case Spectrogram: Main.ShowSegmentSpectrogram(true, start, stop); break;
    default: Main.ShowSegmentSurface(true, start, stop); break;
    }
    return Done;
}

uint32_t TCommandInterpreter::AmbientCompensate(const std::string&, int)
{
    Main.CaptureAmbient();
    return Done;
}

uint32_t TCommandInterpreter::OpenUtility(const std::string&, int utility)
{
    const TUtility& u = Utilities[utility];
    if (!Main.IsWindowOpen(u.Type)) (Main.*u.Toggle)();
    return Done;
}

uint32_t TCommandInterpreter::CloseUtility(const std::string&, int utility)
{
    const TUtility& u = Utilities[utility];
    if (Main.IsWindowOpen(u.Type)) (Main.*u.Toggle)();
    return Done;
}

uint32_t TCommandInterpreter::ReverbCommand(const std::string&, int command)
{
    static constexpr void (TReverb::*Commands[])() = {&TReverb::CmStart, &TReverb::CmShowRtPlot,
                                                        &TReverb::CmShowDecayPlot, &TReverb::CmShowSurfacePlot};
    if (TReverb* reverb = Main.ReverbWindow()) (reverb->*Commands[command])();
    return Done;
}

uint32_t TCommandInterpreter::SaveReverb(const std::string& argument, int)
{
    TReverb* reverb = Main.ReverbWindow();
    if (reverb && !reverb->WriteReverbFile(argument.c_str())) return 0;
    return Done;
}

uint32_t TCommandInterpreter::StartThdFreq(const std::string&, int)
{
    // An unattended start never stops to ask about the last results.
    if (TTHDFreq* window = Main.ThdFreqWindow()) {
        window->DiscardChanges();
        window->CmStart();
    }
    return Done;
}

uint32_t TCommandInterpreter::SaveThdFreq(const std::string& argument, int)
{
    TTHDFreq* window = Main.ThdFreqWindow();
    if (window && !window->SaveFile(argument)) return 0;
    return Done;
}

uint32_t TCommandInterpreter::PrintThdFreq(const std::string&, int)
{
    if (TTHDFreq* window = Main.ThdFreqWindow()) window->PrintPlot(false);
    return Done;
}
