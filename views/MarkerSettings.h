#pragma once
#include <cstdint>

// The eight frequency markers (section "Markers"), drawn by the spectrum,
// spectrogram and surface views.
struct MarkerSettings {
    static constexpr int Count = 8;

    uint32_t MarkerEnable[Count] = {};
    float MarkerFreq[Count] = {1000.0f, 2000.0f, 3000.0f, 4000.0f, 5000.0f, 6000.0f, 6000.0f, 6000.0f};
    uint32_t LabelType[Count] = {1, 1, 1, 1, 1, 1, 1, 1};
    char CustomLabel[Count][30] = {"Marker 1", "Marker 2", "Marker 3", "Marker 4",
                                   "Marker 5", "Marker 6", "Marker 7", "Marker 8"};
    uint32_t PeakHoldFlag = 0;
};
