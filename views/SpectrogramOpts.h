#pragma once
#include <cstdint>

// Options of one spectrogram view (section "SpectrogramOpts" or "SpectrogramOpts2").
struct SpectrogramOpts {
    uint32_t ShowToolbar = 1;
    uint32_t IntervalFlag = 0;
    float IntervalSecs = 2.0f;
    float PlotTop = 0.0f;
    float PlotRange = 60.0f;
    uint32_t UseFullSpan = 1;
    float StartFreq = 100.0f;
    float StopFreq = 10000.0f;
    uint32_t ColorMode = 0;
    uint16_t Direction = 0;
    int32_t Intensity = 0;
    uint16_t ScrollType = 0;
    uint32_t MinCustomColor = 0x00FFFF;
    uint32_t MaxCustomColor = 0x0000FF;
};
