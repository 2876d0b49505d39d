#pragma once
#include <cstdint>

// Options of the time-series view (section "SeriesOpts").
struct SeriesOpts {
    uint32_t ShowToolbar = 1;
    uint16_t AmpScaleType = 0;
    uint32_t GridXEnabled = 1;
    uint32_t GridYEnabled = 1;
    float PlotTop = 100.0f;
    float PlotRange = 100.0f;
    uint16_t PlotChannel = 0;
    float MaxZoomOutTime = 10000.0f;
    uint32_t LineColor = 0x0000FF;
    uint32_t BackgroundColor = 0xFFFFFF;
    uint32_t GridColor = 0xC0C0C0;
    float StartTime = 0.0f;
    float StopTime = 1.0f;
    float OrderNumber = 3.0f;
    int32_t ThresholdMarkPercentage = 25;
    uint32_t DisplayMaxMinRangeAsRMS = 0;
    uint32_t IntervalFlag = 0;
    float IntervalSecs = 0.1f;
    uint32_t GrabCursorFlag = 0;
};
