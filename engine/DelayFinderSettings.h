#pragma once
#include <cstdint>

// Section "DelayFinderOpts".
struct DelayFinderSettings {
    uint16_t DisplayUnits = 0;
    float SpeedOfSound = 1130.0f;
    int32_t MaxDelayMsec = 500;
};
