#pragma once
#include <cstdint>

// Options of one spectrum view (section "SpectrumOpts" or "SpectrumOpts2"),
// edited in place by the view. Overlay arrays are indexed by slot: 0 to 5 for
// slots 1 to 6, 6 for the composite slot "C".
struct SpectrumOpts {
    static constexpr int SlotCount = 7;

    uint16_t PlotType = 0;   // 0 line, 1 bar, 2 stepped bar
    uint32_t ShowToolbar = 1;
    uint32_t GridYEnabled = 1;
    uint32_t GridXEnabled = 1;
    float PlotTop = 0.0f;
    float PlotRange = 120.0f;
    float StartFreq = 5.0f;
    float StopFreq = 22000.0f;
    uint32_t BackgroundColor = 0xDCFFFF;
    uint32_t PeakColor = 0x0000FF;
    uint32_t LineColor = 0xFF0000;
    uint32_t GridColor = 0x808080;
    uint32_t MarkerColor = 0x000000;
    uint32_t ShowRMSLevel = 0;
    uint32_t ShowPowerMeter = 1;
    uint32_t ShowOverlayControls = 1;
    uint16_t OverlayLegendSize = 8;
    uint32_t Show1[SlotCount] = {};
    uint32_t Show2[SlotCount] = {};
    uint32_t OverlayColor[SlotCount] = {0x008000, 0xAEAE00, 0x800080, 0xFF00FF, 0x004080, 0x4080FF, 0x000000};
    float Offset1[SlotCount] = {};
    float Offset2[SlotCount] = {};
    // Composite overlay of pane 1 and pane 2.
    uint16_t CompositeType1 = 0;
    uint16_t DifferenceIndex1[2] = {0, 1};
    uint32_t IncludeInAverage1[6] = {1, 1, 0, 0, 0, 0};
    uint16_t CompositeType2 = 0;
    uint16_t DifferenceIndex2[2] = {0, 1};
    uint32_t IncludeInAverage2[6] = {1, 1, 0, 0, 0, 0};
    uint32_t GrabCursorFlag = 1;
    float rpm = 1000.0f;
    uint32_t IntervalFlag = 1;
    float IntervalSecs = 0.02f;
};
