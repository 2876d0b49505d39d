#pragma once
#include <cstdint>

#include "engine/TWaveFormat.h"

// The main window's analysis settings, one record read whole by the spectral
// engines and copied whole by the settings command. Defaults are those of a
// missing settings file.
struct AnalysisSettingsStruct {
    TWaveFormat Format;
    uint32_t FFTsize = 16384;
    uint16_t DecimationRatio = 1;
    uint32_t ApplyLowPassFilter = 1;
    uint32_t AverageBlocks = 4;
    uint16_t AverageType = 0;       // 0 exponential, 1 linear, 2 vector
    uint16_t AverageMode = 0;
    uint16_t AverageSpeed = 0;
    uint16_t PeakHold = 2;          // 0 off, 1 fast, 2 medium, 3 slow, 4 forever
    uint16_t SmoothingWindow = 4;   // FFT window type
    uint16_t OverlapPercent = 75;
    uint32_t HopSize = 0;           // derived from FFT size and overlap
    uint16_t ChannelProcessing = 0;
    uint16_t DelayChannel = 0;
    float DelayTimeMsec = 0.0f;
    uint32_t DelaySamples = 0;      // derived from the delay time
    uint32_t EnableOverloadDetection = 1;
    uint32_t ExcludeOverloadFlag = 0;
    float SamplingRateCorrectionFactor = 1.0f;
    uint32_t IndependentScalingAndCalibration = 0;
};
