// The analysis settings commands: peak hold, averaging, channel processing,
// overlap, FFT size, sampling format, decimation and the FFT window.
#include "shell/TCommandInterpreter.h"

#include <algorithm>
#include "engine/TSmoothing.h"
#include "engine/TSoundInput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"
#include "views/TSpectrumPlot.h"

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
const TWord AverageModeWords[] = {{"Blocks", 0}, {"Meter", 1}};
const TWord ChannelWords[] = {{"Left", 0},         {"Right", 1},          {"Both", 2},
                              {"Average", 3},      {"Transfer LR", 4},    {"Transfer RL", 5},
                              {"Coherence", 10},   {"Transfer LR+C", 11}, {"Transfer RL+C", 12}};

// Averaging sizes above 1000 mean "forever".
int32_t ClampAverageSize(int32_t n)
{
    if (n < 0) return 0;
    return n > 1000 ? 10000000 : n;
}

bool IsAcceptedFFTSize(int32_t n)
{
    return n >= 32 && n <= 1048576 && (n & (n - 1)) == 0;
}

void RefreshToolbar(TMainWin& main)
{
    if (main.TransportToolbar) main.TransportToolbar->SetMode();
}

// Peak hold on the engines that hold peaks, the toolbar and the spectrum views.
void ApplyPeakHold(TMainWin& main, uint16_t mode)
{
    main.Settings.PeakHold = mode;
    for (TSpectralData* spectral : {main.SpectralLeft, main.SpectralRight, main.SpectralCombined})
        if (spectral) spectral->SetPeakHoldMode(mode);
    RefreshToolbar(main);
    for (TSpectrumPlot* view : main.SpectrumViews)
        if (view && view->GetHandle()) view->Invalidate(true);
}

void ApplyAveraging(TMainWin& main, uint32_t blocks, uint16_t type)
{
    main.Settings.AverageBlocks = blocks;
    main.Settings.AverageType = type;
    for (TSpectralData* spectral : {main.SpectralLeft, main.SpectralRight, main.SpectralCombined, main.SpectralAux})
        if (spectral) spectral->SetAveraging(float(blocks), type);
    RefreshToolbar(main);
}

// A new analysis format: stop, store, apply, restart when it ran.
void ChangeFormat(TMainWin& main, const TWaveFormat& format)
{
    const bool wasRunning = main.RunState == TMainWin::Running;
    main.StopAnalyzer();
    main.Settings.Format.Set(format.SamplingRate, format.NumChannels, format.BytesPerSample);
    main.ApplySettings(0);
    if (wasRunning) main.StartAnalyzer();
    main.RefreshStatusBar(2);
}

}  // namespace

uint32_t TCommandInterpreter::PeakHold(const std::string&, int value)
{
    ApplyPeakHold(Main, uint16_t(value));
    return Done;
}

uint32_t TCommandInterpreter::SetPeakHold(const std::string& argument, int)
{
    const int value = WordCode(argument, PeakHoldWords, 0);
    if (value != Main.Settings.PeakHold) ApplyPeakHold(Main, uint16_t(value));
    return Done;
}

uint32_t TCommandInterpreter::AverageSize(const std::string& argument, int)
{
    ApplyAveraging(Main, uint32_t(ClampAverageSize(TKeywordTable::ReadInteger(argument))), Main.Settings.AverageType);
    return Done;
}

uint32_t TCommandInterpreter::SetAverageSize(const std::string& argument, int)
{
    const int32_t n = ClampAverageSize(TKeywordTable::ReadInteger(argument));
    if (Main.Settings.AverageMode == 0) Main.Settings.AverageBlocks = uint32_t(n);
    if (Main.Settings.AverageMode == 1) Main.Settings.AverageSpeed = uint16_t(std::min(n, 4));
    RefreshToolbar(Main);
    return Done;
}

uint32_t TCommandInterpreter::SetAverageType(const std::string& argument, int)
{
    const int type = WordCode(argument, AverageTypeWords, 0);
    if (type != Main.Settings.AverageType) ApplyAveraging(Main, Main.Settings.AverageBlocks, uint16_t(type));
    RefreshToolbar(Main);
    return Done;
}

uint32_t TCommandInterpreter::SetAverageMode(const std::string& argument, int)
{
    const int mode = WordCode(argument, AverageModeWords, 0);
    if (mode != Main.Settings.AverageMode) Main.Settings.AverageMode = uint16_t(mode);
    RefreshToolbar(Main);
    return Done;
}

uint32_t TCommandInterpreter::SetChannel(const std::string& argument, int)
{
    const bool wasRunning = Main.RunState == TMainWin::Running;
    Main.StopAnalyzer();
    const bool free = !Main.WaveFile || Main.OpMode == TMainWin::RealTime;
    const bool stereoFile = Main.WaveFile && Main.Settings.Format.NumChannels == 2;
    if (free || stereoFile)
        Main.Settings.ChannelProcessing = uint16_t(WordCode(argument, ChannelWords, Main.Settings.ChannelProcessing));
    if (free) {
        const uint16_t channels = Main.Settings.ChannelProcessing == 0 ? 1 : 2;
        Main.Settings.Format.Set(Main.Settings.Format.SamplingRate, channels, Main.Settings.Format.BytesPerSample);
    }
    Main.ApplySettings(0);
    if (wasRunning) Main.StartAnalyzer();
    return Done;
}

uint32_t TCommandInterpreter::FFTOverlap(const std::string& argument, int)
{
    Main.Settings.OverlapPercent = uint16_t(std::clamp(TKeywordTable::ReadInteger(argument), 0, 99));
    Main.UpdateHopSize();
    return Done;
}

uint32_t TCommandInterpreter::FFTSize(const std::string& argument, int)
{
    const int32_t size = TKeywordTable::ReadInteger(argument);
    if (!IsAcceptedFFTSize(size)) return 0;
    const bool wasRunning = Main.RunState == TMainWin::Running;
    Main.StopAnalyzer();
    Main.Settings.FFTsize = uint32_t(size);
    Main.ApplySettings(0);
    if (wasRunning) Main.StartAnalyzer();
    Main.RefreshStatusBar(2);
    return Done;
}

uint32_t TCommandInterpreter::SetSamplingRate(const std::string& argument, int)
{
    const uint32_t rate = uint32_t(TKeywordTable::ReadInteger(argument));
    TWaveFormat& format = Main.Settings.Format;
    if (rate == format.SamplingRate) return Done;
    if (Main.WaveFile && Main.OpMode != TMainWin::RealTime) return 0;
    if (!Main.SoundInput) return 0;
    ChangeFormat(Main, TWaveFormat(rate, format.NumChannels, format.BytesPerSample));
    return Done;
}

uint32_t TCommandInterpreter::SetSamplingPrecision(const std::string& argument, int)
{
    TWaveFormat& format = Main.Settings.Format;
    const int bits = TKeywordTable::ReadInteger(argument);
    const uint16_t bytes = bits == 8 ? 1 : bits == 16 ? 2 : bits == 24 ? 3 : format.BytesPerSample;
    if (bytes == format.BytesPerSample) return Done;
    if (Main.WaveFile && Main.OpMode != TMainWin::RealTime) return 0;
    const TWaveFormat next(format.SamplingRate, format.NumChannels, bytes);
    if (!Main.SoundInput || Main.SoundInput->QueryFormat(next) != 1) return 0;
    ChangeFormat(Main, next);
    return Done;
}

uint32_t TCommandInterpreter::SetDecimationRatio(const std::string& argument, int)
{
    const int32_t ratio = TKeywordTable::ReadInteger(argument);
    if (ratio <= 0 || ratio > 50) return 0;
    if (ratio == Main.Settings.DecimationRatio) return Done;
    Main.Settings.DecimationRatio = uint16_t(ratio);
    Main.ApplySettings(0);
    Main.RefreshStatusBar(2);
    return Done;
}

uint32_t TCommandInterpreter::Window(const std::string&, int window)
{
    Main.Settings.SmoothingWindow = uint16_t(window);
    if (Main.Smoothing) Main.Smoothing->SetWindowType(uint16_t(window));
    Main.RefreshStatusBar(2);
    Main.ApplySettings(0);
    return Done;
}
