#pragma once
#include <cstdint>

// Options of one phase view (section "PhaseOpts" or "PhaseOpts2").
struct PhaseOpts {
    uint32_t ShowToolbar = 1;
    uint32_t GridYEnabled = 1;
    uint32_t GridXEnabled = 1;
    float PlotTop = 180.0f;
    float PlotRange = 360.0f;
    float StartFreq = 20.0f;
    float StopFreq = 22000.0f;
    uint32_t BackgroundColor = 0xFFFF00;
    uint32_t LineColor = 0x000000;
    uint32_t GridColor = 0xC0C0C0;
    uint32_t MarkerColor = 0x0000FF;
    uint32_t GrabCursorFlag = 1;
    uint32_t IntervalFlag = 0;
    float IntervalSecs = 0.1f;
};
