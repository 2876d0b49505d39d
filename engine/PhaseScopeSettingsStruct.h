#pragma once
#include <cstdint>

// Section "PhaseScope"; the five words without keys are set to fixed values
// whenever the settings are read.
struct PhaseScopeSettingsStruct {
    uint16_t DisplayFormat = 0;
    uint16_t Unused1 = 0;
    uint16_t Unused2 = 6;
    uint32_t Unused3 = 1;
    float Unused4 = 100.0f;
    float Unused5 = 100.0f;
    uint32_t BackgroundColor = 0x000000;
    uint32_t LineColor = 0x00FFFF;
    uint32_t GridColor = 0xC0C0C0;
};
