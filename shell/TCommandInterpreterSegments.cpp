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
    {K::OpenReverb, &I::OpenUtility, int(ViewType::Reverb)},
    {K::CloseReverb, &I::CloseUtility, int(ViewType::Reverb)},
    {K::StartReverb, &I::ReverbCommand, StartReverb},
    {K::SaveReverb, &I::SaveReverb, 0},
    {K::SetReverbViewTime, &I::ReverbCommand, ShowRtPlot},
    {K::SetReverbViewDecay, &I::ReverbCommand, ShowDecayPlot},
    {K::SetReverbViewSurface, &I::ReverbCommand, ShowSurfacePlot},
    {K::OpenTHDvsFreq, &I::OpenUtility, int(ViewType::ThdFreq)},
    {K::CloseTHDvsFreq, &I::CloseUtility, int(ViewType::ThdFreq)},
    {K::StartTHDvsFreq, &I::StartThdFreq, 0},
    {K::SaveTHDvsFreq, &I::SaveThdFreq, 0},
    {K::PrintTHDvsFreq, &I::PrintThdFreq, 0},
    {K::OpenTHDNUtility, &I::OpenUtility, int(ViewType::Thdn)},
    {K::CloseTHDNUtility, &I::CloseUtility, int(ViewType::Thdn)},
    {K::OpenTHDUtility, &I::OpenUtility, int(ViewType::Thd)},
    {K::CloseTHDUtility, &I::CloseUtility, int(ViewType::Thd)},
    {K::OpenIMDUtility, &I::OpenUtility, int(ViewType::Imd)},
    {K::CloseIMDUtility, &I::CloseUtility, int(ViewType::Imd)},
    {K::OpenSNRUtility, &I::OpenUtility, int(ViewType::Snr)},
    {K::CloseSNRUtility, &I::CloseUtility, int(ViewType::Snr)},
    {K::OpenTotalPowerUtility, &I::OpenUtility, int(ViewType::TotalPower)},
    {K::CloseTotalPowerUtility, &I::CloseUtility, int(ViewType::TotalPower)},
    {K::OpenPeakFreqUtility, &I::OpenUtility, int(ViewType::PeakFrequency)},
    {K::ClosePeakFreqUtility, &I::CloseUtility, int(ViewType::PeakFrequency)},
    {K::OpenPeakAmpUtility, &I::OpenUtility, int(ViewType::PeakAmplitude)},
    {K::ClosePeakAmpUtility, &I::CloseUtility, int(ViewType::PeakAmplitude)},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::SegmentsRows()
{
    return {SegmentsTable, std::size(SegmentsTable)};
}

uint32_t TCommandInterpreter::SetDataLoggingFile(const std::string& argument, int)
{
    // The running log keeps its file; the name waits for no later start.
    if (Main.GetDataLog()) return Done;
    const std::optional<std::string> path = ResolveIn(TMainWin::TxtFolder, argument);
    if (!path) return 0;
    Main.SetLogFileName(path->c_str());
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
