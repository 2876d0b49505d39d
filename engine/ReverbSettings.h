#pragma once
#include <cstdint>

// Section "ReverbOpts".
struct ReverbSettings {
    int32_t SmoothingMethod = 1;
    float SmoothingAverageTime = 0.1f;
    int32_t ExtrapolationMethod = 1;
    float MaxDecayTime = 10.0f;
    float DisplayedDecayTime = 10.0f;
    int32_t DisplayedRTTime = 5;
    int32_t DisplayedDecayBand = 10;
    uint32_t BarColor = 0xFF0000;
    uint32_t BackgroundColor = 0xC4FFFF;
    uint32_t DecayColor = 0x000080;
    uint32_t SurfaceColor = 0xFF0000;
    uint32_t GridColor = 0x808080;
    float PlotTop = 20.0f;
    float PlotRange = 80.0f;
};
