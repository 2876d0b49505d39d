#pragma once
#include <cstdint>

#include "engine/TWaveFormat.h"

// The main window's analysis settings, one record read whole by the spectral
// engines and copied whole by the settings command. Defaults are those of a
// missing settings file.
struct AnalysisSettingsStruct {
    // Overlap of successive blocks, in percent of the FFT size.
    static constexpr uint16_t MaxOverlapPercent = 99;
    static bool IsValidOverlap(uint16_t percent) { return percent <= MaxOverlapPercent; }
    // A sound card's clock is off by far less than these bounds; NaN,
    // infinities and zero would leave the analyser without a frequency axis.
    static constexpr float MinCorrectionFactor = 0.5f;
    static constexpr float MaxCorrectionFactor = 2.0f;
    static bool IsValidCorrectionFactor(float factor)
    {
        return factor >= MinCorrectionFactor && factor <= MaxCorrectionFactor;
    }
    // The sampling rates a settings file may set: the wave format's.
    static bool IsValidSamplingRate(int64_t rate)
    {
        return rate >= 0 && rate <= UINT32_MAX && TWaveFormat::IsValidRate(uint32_t(rate));
    }
    // AverageMode: a number of blocks, or timed averaging at AverageSpeed.
    enum AveragingMode : uint16_t { BlockAveraging = 0, TimedAveraging = 1 };
    static bool IsValidAverageMode(uint16_t mode) { return mode == BlockAveraging || mode == TimedAveraging; }
    // The block count that stands for averaging without end ("Infinite").
    static constexpr uint32_t InfiniteBlocks = 1000000;

    TWaveFormat Format;
    uint32_t FFTsize = 16384;
    uint16_t DecimationRatio = 1;
    uint32_t ApplyLowPassFilter = 1;
    uint32_t AverageBlocks = 4;
    uint16_t AverageType = 0;       // a TSpectralData::AveragingType
    uint16_t AverageMode = BlockAveraging;
    uint16_t AverageSpeed = 0;      // off, fast, medium, slow, forever
    uint16_t PeakHold = 2;          // 0 off, 1 fast, 2 medium, 3 slow, 4 forever
    uint16_t SmoothingWindow = 4;   // FFT window type
    uint16_t OverlapPercent = 75;
    uint32_t HopSize = 0;           // derived from FFT size and overlap
    uint16_t ChannelProcessing = 0; // a TChannelProcessing::Mode
    uint16_t DelayChannel = 0;
    float DelayTimeMsec = 0.0f;
    uint32_t DelaySamples = 0;      // derived from the delay time
    uint32_t EnableOverloadDetection = 1;
    uint32_t ExcludeOverloadFlag = 0;
    float SamplingRateCorrectionFactor = 1.0f;
    uint32_t IndependentScalingAndCalibration = 0;
};
