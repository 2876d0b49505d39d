// The analysis settings commands: peak hold, averaging, channel processing,
// overlap, FFT size, sampling format, decimation and the FFT window.
#include "shell/TCommandInterpreter.h"

#include <algorithm>
#include <iterator>
#include "engine/TChannelProcessing.h"
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TWaveFile.h"
#include "shell/StatusBar.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"

namespace {

struct TWord {
    const char* Text;
    int Code;
};

// The code of the word the argument is (letters in any case), or fallback.
template <size_t N> int WordCode(const std::string& argument, const TWord (&words)[N], int fallback)
{
    for (const TWord& w : words)
        if (TKeywordTable::EqualsNoCase(argument, w.Text)) return w.Code;
    return fallback;
}

const TWord PeakHoldWords[] = {{"Off", 0}, {"0", 0},    {"Fast", 1},    {"1", 1}, {"Medium", 2},
                               {"2", 2},   {"Slow", 3}, {"3", 3},       {"Forever", 4}, {"4", 4}};
const TWord AverageTypeWords[] = {{"Exponential", 0}, {"Linear", 1}, {"Vector", 2}};
const TWord AverageModeWords[] = {{"Blocks", AnalysisSettingsStruct::BlockAveraging},
                                  {"Meter", AnalysisSettingsStruct::TimedAveraging}};
using CP = TChannelProcessing;
const TWord ChannelWords[] = {{"Left", CP::LeftOnly},
                              {"Right", CP::RightOnly},
                              {"Both", CP::BothChannels},
                              {"Average", CP::AverageOfChannels},
                              {"Transfer LR", CP::RealTransferLeftRight},
                              {"Transfer RL", CP::RealTransferRightLeft},
                              {"Coherence", CP::Coherence},
                              {"Transfer LR+C", CP::TransferCoherenceLeftRight},
                              {"Transfer RL+C", CP::TransferCoherenceRightLeft}};

// Averaging sizes above 1000 mean "forever".
int32_t ClampAverageSize(int32_t n)
{
    if (n < 0) return 0;
    return n > 1000 ? 10000000 : n;
}

// A wave open outside Real Time holds the analysis format: it is not set by command.
bool WaveHoldsFormat(const TMainWin& main)
{
    return main.Wave() && main.GetOpMode() != TMainWin::RealTime;
}

void RefreshToolbar(TMainWin& main)
{
    if (main.GetTransportToolbar()) main.GetTransportToolbar()->SetMode();
}

}  // namespace

uint32_t TCommandInterpreter::PeakHold(const std::string&, int value)
{
    Main.SetPeakHold(uint16_t(value));
    RefreshToolbar(Main);
    return Done;
}

uint32_t TCommandInterpreter::SetPeakHold(const std::string& argument, int)
{
    const int value = WordCode(argument, PeakHoldWords, 0);
    if (value != Main.GetAnalysisSettings().PeakHold) {
        Main.SetPeakHold(uint16_t(value));
        RefreshToolbar(Main);
    }
    return Done;
}

uint32_t TCommandInterpreter::AverageSize(const std::string& argument, int)
{
    Main.SetAverageBlocks(uint32_t(ClampAverageSize(TKeywordTable::ReadInteger(argument))));
    RefreshToolbar(Main);
    return Done;
}

uint32_t TCommandInterpreter::SetAverageSize(const std::string& argument, int)
{
    const int32_t n = ClampAverageSize(TKeywordTable::ReadInteger(argument));
    const uint16_t mode = Main.GetAnalysisSettings().AverageMode;
    if (mode == AnalysisSettingsStruct::BlockAveraging) Main.SetAverageBlocks(uint32_t(n));
    if (mode == AnalysisSettingsStruct::TimedAveraging)
        Main.SetAverageSpeed(uint16_t(std::min(n, TSpectrumPipeline::AverageSpeedCount - 1)));
    RefreshToolbar(Main);
    return Done;
}

uint32_t TCommandInterpreter::SetAverageType(const std::string& argument, int)
{
    const int type = WordCode(argument, AverageTypeWords, 0);
    if (type != Main.GetAnalysisSettings().AverageType) Main.SetAverageType(uint16_t(type));
    RefreshToolbar(Main);
    return Done;
}

uint32_t TCommandInterpreter::SetAverageMode(const std::string& argument, int)
{
    Main.SetAverageMode(uint16_t(WordCode(argument, AverageModeWords, 0)));
    RefreshToolbar(Main);
    return Done;
}

uint32_t TCommandInterpreter::SetChannel(const std::string& argument, int)
{
    const bool free = !WaveHoldsFormat(Main);
    const bool stereoFile = Main.Wave() && Main.GetAnalysisSettings().Format.NumChannels == 2;
    const int mode = (free || stereoFile) ? WordCode(argument, ChannelWords, -1) : -1;
    const TWaveFormat& format = Main.GetAnalysisSettings().Format;
    if (mode < 0) {
        // Nothing to change; the analyser is still stopped, applied and restarted.
        Main.SetChannelProcessing(Main.GetAnalysisSettings().ChannelProcessing);
        return Done;
    }
    const uint16_t channels = mode == TChannelProcessing::LeftOnly ? 1 : 2;
    if (free && channels == 2) Main.SetFormat(format.SamplingRate, channels, format.BytesPerSample);
    Main.SetChannelProcessing(uint16_t(mode));
    if (free && channels == 1) Main.SetFormat(format.SamplingRate, channels, format.BytesPerSample);
    return Done;
}

uint32_t TCommandInterpreter::FFTOverlap(const std::string& argument, int)
{
    Main.SetOverlapPercent(uint16_t(std::clamp(TKeywordTable::ReadInteger(argument), 0,
                                               int(AnalysisSettingsStruct::MaxOverlapPercent))));
    return Done;
}

uint32_t TCommandInterpreter::FFTSize(const std::string& argument, int)
{
    const int32_t size = TKeywordTable::ReadInteger(argument);
    if (size <= 0 || !Main.SetFftSize(uint32_t(size))) return 0;
    Main.RefreshStatusBar(StatusBar::WholeBar);
    return Done;
}

uint32_t TCommandInterpreter::SetSamplingRate(const std::string& argument, int)
{
    const int32_t rate = TKeywordTable::ReadInteger(argument);
    const TWaveFormat& format = Main.GetAnalysisSettings().Format;
    if (rate > 0 && uint32_t(rate) == format.SamplingRate) return Done;
    if (WaveHoldsFormat(Main)) return 0;
    if (!Main.InputPort() || rate <= 0) return 0;
    if (!Main.SetFormat(uint32_t(rate), format.NumChannels, format.BytesPerSample)) return 0;
    Main.RefreshStatusBar(StatusBar::WholeBar);
    return Done;
}

uint32_t TCommandInterpreter::SetSamplingPrecision(const std::string& argument, int)
{
    const TWaveFormat& format = Main.GetAnalysisSettings().Format;
    const int bits = TKeywordTable::ReadInteger(argument);
    const uint16_t bytes = bits == 8 ? 1 : bits == 16 ? 2 : bits == 24 ? 3 : format.BytesPerSample;
    if (bytes == format.BytesPerSample) return Done;
    if (WaveHoldsFormat(Main)) return 0;
    if (!Main.InputPort() || Main.InputPort()->QueryFormat(TWaveFormat(format.SamplingRate, format.NumChannels, bytes)) != 1)
        return 0;
    if (!Main.SetFormat(format.SamplingRate, format.NumChannels, bytes)) return 0;
    Main.RefreshStatusBar(StatusBar::WholeBar);
    return Done;
}

uint32_t TCommandInterpreter::SetDecimationRatio(const std::string& argument, int)
{
    const int32_t ratio = TKeywordTable::ReadInteger(argument);
    if (ratio <= 0 || ratio > 0xFFFF || !TSeriesData::IsValidDecimationRatio(uint16_t(ratio))) return 0;
    if (ratio == Main.GetAnalysisSettings().DecimationRatio) return Done;
    Main.SetDecimationRatio(uint16_t(ratio));
    Main.RefreshStatusBar(StatusBar::WholeBar);
    return Done;
}

uint32_t TCommandInterpreter::Window(const std::string&, int window)
{
    Main.SetWindowType(uint16_t(window));
    Main.RefreshStatusBar(StatusBar::WholeBar);
    return Done;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::SettingsTable[] = {
    {K::PeakHoldOn, &I::PeakHold, 4},
    {K::PeakHoldOff, &I::PeakHold, 0},
    {K::EnablePeakHold, &I::PeakHold, 4},
    {K::DisablePeakHold, &I::PeakHold, 0},
    {K::SetPeakHold, &I::SetPeakHold, 0},
    {K::AverageSize, &I::AverageSize, 0},
    {K::SetAverageSize, &I::SetAverageSize, 0},
    {K::SetAverageType, &I::SetAverageType, 0},
    {K::SetAverageMode, &I::SetAverageMode, 0},
    {K::SetChannel, &I::SetChannel, 0},
    {K::FFTOverlap, &I::FFTOverlap, 0},
    {K::SetFFTOverlap, &I::FFTOverlap, 0},
    {K::FFTSize, &I::FFTSize, 0},
    {K::SetFFTSize, &I::FFTSize, 0},
    {K::SetSamplingRate, &I::SetSamplingRate, 0},
    {K::SetSamplingPrecision, &I::SetSamplingPrecision, 0},
    {K::SetDecimationRatio, &I::SetDecimationRatio, 0},
    {K::WindowBartlett, &I::Window, 0},
    {K::WindowBlackman, &I::Window, 1},
    {K::WindowFlatTop, &I::Window, 2},
    {K::WindowHamming, &I::Window, 3},
    {K::WindowHanning, &I::Window, 4},
    {K::WindowKaiser, &I::Window, 5},
    {K::WindowParzen, &I::Window, 6},
    {K::WindowTriangular, &I::Window, 7},
    {K::WindowUniform, &I::Window, 8},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::SettingsRows()
{
    return {SettingsTable, std::size(SettingsTable)};
}
