#pragma once

// What the spectrum view's scales read from a spectrum: the index (bin or
// band) of a frequency, the highest valid index and the largest value over a
// range of indexes.
class TSpectrumSource {
public:
    virtual ~TSpectrumSource() = default;
    virtual int IndexOf(float frequency) const = 0;
    virtual int LastIndex() const = 0;
    // Largest averaged (peak false) or held (peak true) value of first..last.
    virtual float RangeMax(int first, int last, bool peak) const = 0;
    virtual float LowFrequency() const = 0;
    virtual float HighFrequency() const = 0;
};
