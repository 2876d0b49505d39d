#pragma once

// What the surface and phase views read of one spectral result: indexes
// (bins, or bands on a band axis) and their frequencies, display values,
// phases, and the peak and minimum of a range.
class TLineSource {
public:
    virtual ~TLineSource() = default;
    virtual int IndexOf(float frequency) const = 0;
    virtual int LowIndex() const = 0;
    virtual int HighIndex() const = 0;
    virtual float LowFrequency() const = 0;
    virtual float HighFrequency() const = 0;
    virtual float FrequencyOf(int index) const = 0;
    virtual float Value(int index) const = 0;
    // The largest value of first..last; the value at last alone when first
    // is the index just before it or below 0.
    virtual float RangeMaxValue(int first, int last) const = 0;
    // Degrees.
    virtual float Phase(int index) const = 0;
    // The value of the largest peak, and the smallest value, of first..last;
    // 0 when there is none.
    virtual float LargestPeak(int first, int last) const = 0;
    virtual float Smallest(int first, int last) const = 0;
};
