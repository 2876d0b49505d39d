#pragma once
#include <cstdint>
#include <vector>

#include "engine/TWaveFormat.h"
#include "engine/TriggerSettings.h"

// One channel's block of time samples for the analysis, stored at the wave
// format's width (1 to 3 bytes; 4-byte samples are neither read nor written).
// It decimates by an integer ratio through a 39-tap low-pass, searches for
// trigger events and rewrites itself as an envelope or a backward integral.
class TSeriesData {
public:
    static constexpr uint32_t FilterTaps = 39;
    // The decimation ratios the settings allow.
    static constexpr uint16_t MaxDecimationRatio = 50;
    static bool IsValidDecimationRatio(uint16_t ratio) { return ratio >= 1 && ratio <= MaxDecimationRatio; }

    // With a ratio of 2 or more and the filter flag 1 the block holds
    // FilterTaps extra samples for the filter to run into. Error is 1 when
    // the length is 0 or the memory could not be had.
    TSeriesData(uint32_t length, TWaveFormat format, uint32_t decimationRatio, uint32_t filterFlag);

    // scale = calibration / full scale; 0 counts as 1.
    void SetCalibration(float calibration);

    uint32_t GetLength() const { return Length; }
    uint32_t GetDecimatedLength() const;
    float SamplesToTime(uint32_t count) const;
    uint32_t TimeToSample(float seconds) const;

    void Clear();
    // Stores value clipped to the format's range; ignored outside the block.
    void PutSample(uint32_t index, int32_t value);
    // (sample - silence), times the scale when scaled is non-zero; outside
    // the block a silent sample, 0.
    float GetSample(uint32_t index, int scaled) const;
    // Samples 0 .. count - 1 unscaled, as GetSample gives them, into to.
    void ReadSamples(float* to, uint32_t count) const;
    // Where sample index is stored (for reading frames straight in), or null.
    uint8_t* GetSamplePtr(uint32_t index);
    // Largest and smallest stored sample of [first, last), or with rms the
    // RMS of the positive and minus the RMS of the negative samples; scaled
    // converts both like GetSample. An empty or reversed range reads 0 .. 2.
    void GetMinMax(uint32_t first, uint32_t last, float* max, float* min, int scaled, int rms) const;

    // Peak level in percent on a logarithmic scale; 100 at full scale.
    int GetPeakMagnitude() const;

    void DesignDecimationFilter();
    // Low-passes the block in place, front to back; the last 40 samples stay.
    void FilterInPlace();
    // Filters (when the flag is set) and keeps every ratio-th sample at the
    // start of the block.
    void Decimate();

    // First index in [first, end) where the trigger event occurs, measured
    // from silence. Returns 1 and sets *found, else 0 and *found = 0.
    int FindTrigger(const TriggerSettings& trigger, uint32_t first, uint32_t end, uint32_t* found) const;
    // Replaces count samples from first (count a power of two) by their
    // envelope, the magnitude of the analytic signal.
    int HilbertEnvelope(uint32_t first, uint32_t count);
    // Replaces the first count samples by the backward running sum of their
    // magnitudes, scaled to full scale at sample 0.
    int SchroederIntegrate(uint32_t count);

    const float* GetTaps() const { return Taps; }

    uint32_t Error = 0;

private:
    int32_t Load(uint32_t index) const;
    void Store(uint32_t index, int32_t value);
    bool HasBuffer() const { return !Buffer.empty(); }

    TWaveFormat Format;
    std::vector<uint8_t> Buffer;
    uint32_t Length;
    float Scale = 1.0f;
    uint32_t DecimationRatio;
    uint32_t FilterFlag;
    float Taps[FilterTaps] = {};
};
