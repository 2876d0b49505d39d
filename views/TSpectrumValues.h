#pragma once

// What overlay curves and the text export read of one spectrum: its indexes
// (bins, or bands), their frequencies, display or peak-hold values, and
// whether it is a band spectrum.
class TSpectrumValues {
public:
    virtual ~TSpectrumValues() = default;
    virtual int LowIndex() const = 0;
    virtual int HighIndex() const = 0;
    virtual float FrequencyOf(int index) const = 0;
    virtual float ValueOf(int index, bool peakHold) const = 0;
    virtual bool Bands() const = 0;
};
