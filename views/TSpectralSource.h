#pragma once
#include "views/TSpectrumSource.h"

class TSpectralData;

// A spectral engine object seen through the scale's questions.
class TSpectralSource final : public TSpectrumSource {
public:
    explicit TSpectralSource(const TSpectralData& data) : Data(data) {}
    int IndexOf(float frequency) const override;
    int LastIndex() const override;
    float RangeMax(int first, int last, bool peak) const override;
    float LowFrequency() const override;
    float HighFrequency() const override;

private:
    const TSpectralData& Data;
};
