#pragma once
#include <cstdint>

// How one channel's spectra are scaled and shown; the main window holds one
// for the left and one for the right channel. Defaults are those of a missing
// settings file.
struct DisplaySettingsStruct {
    // Values of AmpScaleType and FreqScaleType as the settings files store them.
    enum AmplitudeScale : uint16_t { LinearAmplitude = 0, DecibelAmplitude = 1 };
    enum FrequencyScale : uint16_t { LinearFrequency = 0, LogFrequency = 1, OctaveBands = 2 };

    uint16_t AmpScaleType = DecibelAmplitude;
    uint16_t FreqScaleType = LogFrequency;   // bands: fractional-octave bands
    uint16_t OctaveNumber = 3;          // bands per octave
    uint32_t SpectralDensityFlag = 0;
    uint16_t SpectralDensityType = 0;   // 0 units^2/Hz, 1 units/sqrt(Hz)
    uint16_t StandardWeighting = 0;     // 0 none, 1 A, 2 B, 3 C
    uint16_t TotalPowerWeighting = 0;
    uint32_t MicCompEnable = 0;
    char MicCompFilename[260] = {};

    // Every field but the compensation file: what the right channel takes
    // from the left while both channels share one scaling.
    void CopyScalesFrom(const DisplaySettingsStruct& other)
    {
        AmpScaleType = other.AmpScaleType;
        FreqScaleType = other.FreqScaleType;
        OctaveNumber = other.OctaveNumber;
        SpectralDensityFlag = other.SpectralDensityFlag;
        SpectralDensityType = other.SpectralDensityType;
        StandardWeighting = other.StandardWeighting;
        TotalPowerWeighting = other.TotalPowerWeighting;
        MicCompEnable = other.MicCompEnable;
    }
};

// The name the main window and the views give a channel's record.
using ScalingStruct = DisplaySettingsStruct;
