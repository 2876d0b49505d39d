#pragma once
#include <cstdint>

// Which view and utility windows were open at exit (section "ViewStatus"),
// so that the next start, or a configuration, reopens them.
struct ViewStatusFlags {
    int32_t HideApplicationWindow = 0;
    int32_t TimeSeries = 0;
    int32_t SpectrumPlot = 0;
    int32_t PhasePlot = 0;
    int32_t Spectrogram = 0;
    int32_t SurfacePlot = 0;
    int32_t SignalGenerator = 0;
    int32_t THD = 0;
    int32_t THD_N = 0;
    int32_t IMD = 0;
    int32_t SNR = 0;
    int32_t SINAD = 0;
    int32_t SFDR = 0;
    int32_t NF = 0;
    int32_t PeakFreq = 0;
    int32_t PeakAmp = 0;
    int32_t TotalPwr = 0;
    int32_t DelayFinder = 0;
    int32_t Reverb = 0;
    int32_t Macro = 0;
    int32_t PhaseScope = 0;
    int32_t THD_vs_Freq = 0;
    int32_t LeqAnalysis = 0;
};
