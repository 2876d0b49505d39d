#pragma once
#include <cstdint>

// The digital filter as the main window keeps it (section "Filter"), edited
// by the filter dialog and copied into each filter it builds.
struct FilterSettings {
    enum Kind : uint32_t { LowPass = 0, HighPass = 1, BandPass = 2, Notch = 3, Custom = 4 };

    uint32_t Type = LowPass;
    int32_t NumTaps = 200;
    int32_t HPCutoffHz = 1000;
    int32_t LPCutoffHz = 2000;
    int32_t BPCenterHz = 2000;
    int32_t BPWidthHz = 1000;
    int32_t NCenterHz = 2000;
    int32_t NWidthHz = 1000;
    // Frequency and level pairs of a custom response.
    char FilterFilename[260] = {};
    float FilterGainDB = 0.0f;
    uint32_t DoLeft = 1;
    uint32_t DoRight = 1;
};
