#pragma once
#include "views/TLineSource.h"
#include "views/TSpectrumSource.h"

class TSpectralData;

// A spectral engine object seen through the views' questions.
class TSpectralSource final : public TSpectrumSource, public TLineSource {
public:
    explicit TSpectralSource(const TSpectralData& data) : Data(data) {}
    int IndexOf(float frequency) const override;
    int LastIndex() const override;
    float RangeMax(int first, int last, bool peak) const override;
    float LowFrequency() const override;
    float HighFrequency() const override;

    int LowIndex() const override;
    int HighIndex() const override;
    float FrequencyOf(int index) const override;
    float Value(int index) const override;
    float RangeMaxValue(int first, int last) const override;
    float Phase(int index) const override;
    float LargestPeak(int first, int last) const override;
    float Smallest(int first, int last) const override;

private:
    const TSpectralData& Data;
};
