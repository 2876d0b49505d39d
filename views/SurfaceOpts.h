#pragma once
#include <cstdint>

// Options of one 3-D surface view (section "SurfaceOpts" or "SurfaceOpts2").
struct SurfaceOpts {
    uint32_t ShowToolbar = 1;
    uint32_t IntervalFlag = 0;
    float IntervalSecs = 2.0f;
    float PlotTop = 0.0f;
    float PlotRange = 60.0f;
    uint32_t UseFullSpan = 1;
    float StartFreq = 100.0f;
    float StopFreq = 10000.0f;
    uint32_t BackgroundColor = 0x000000;
    uint32_t LineColor = 0xFF0000;
    uint32_t ColorMode = 0;
    uint32_t Intensity = 0;
};
