#pragma once
#include <cstdint>
#include <memory>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSpectralData.h"

// The delay finder's measurement: cross-correlates a left and a right block
// through the FFT and reads the lag of the correlation peak. The left block
// starts half a block before the right one, which puts zero lag at N / 2;
// lags up to 3N / 8 either way are found.
class TDelayCorrelator {
public:
    static constexpr uint32_t MinBlockSize = 4096;
    enum Unit : uint16_t { Milliseconds = 0, Feet = 1, Metres = 2 };

    // The smallest power of two from MinBlockSize whose reach 3N / 8 covers
    // maxDelayMs at this rate; 0 when no FFT size reaches that far.
    static uint32_t BlockSize(int32_t maxDelayMs, uint32_t samplingRate);
    // A delay in ms in a display unit; speed of sound in ft/s. 0 for an unknown unit.
    static float ToUnits(float delayMs, uint16_t unit, float speedOfSound);

    // Settings and scaling are the main window's, which the correlator
    // narrows to one unwindowed, unaveraged, unweighted linear block.
    TDelayCorrelator(const AnalysisSettingsStruct& analysis, const DisplaySettingsStruct& scaling, int32_t maxDelayMs);

    // False when the block size is out of reach or an engine could not be had.
    bool IsReady() const { return Ready; }
    uint32_t GetBlockSize() const { return Settings.FFTsize; }
    const AnalysisSettingsStruct& GetSettings() const { return Settings; }

    // The delay of the right block behind the left in ms (positive when the
    // left channel lags); 0 when the correlation holds nothing.
    float Measure(const TSeriesData& left, const TSeriesData& right);
    // Index of the last peak found, N / 2 for no lag.
    uint32_t GetPeakIndex() const { return PeakIndex; }

private:
    AnalysisSettingsStruct Settings;
    std::unique_ptr<TSpectralData> LeftSpectrum;
    std::unique_ptr<TSpectralData> RightSpectrum;
    std::unique_ptr<TSpectralData> CrossSpectrum;
    uint32_t PeakIndex = 0;
    bool Ready = false;
};
