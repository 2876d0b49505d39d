#pragma once
#include <cstdint>

// How one channel's spectra are scaled and shown; the main window holds one
// for the left and one for the right channel. Defaults are those of a missing
// settings file.
struct DisplaySettingsStruct {
    uint16_t AmpScaleType = 1;          // 0 linear, 1 dB
    uint16_t FreqScaleType = 1;         // 0 linear axis, 1 log axis, 2 fractional-octave bands
    uint16_t OctaveNumber = 3;          // bands per octave
    uint32_t SpectralDensityFlag = 0;
    uint16_t SpectralDensityType = 0;   // 0 units^2/Hz, 1 units/sqrt(Hz)
    uint16_t StandardWeighting = 0;     // 0 none, 1 A, 2 B, 3 C
    uint16_t TotalPowerWeighting = 0;
    uint32_t MicCompEnable = 0;
    char MicCompFilename[260] = {};
};

// The name the main window and the views give a channel's record.
using ScalingStruct = DisplaySettingsStruct;
