#pragma once
#include "views/TSpectrumValues.h"

class TSpectralData;

// A spectral engine object seen as the values overlays and text export read.
class TSpectralValues final : public TSpectrumValues {
public:
    explicit TSpectralValues(const TSpectralData& data) : Data(data) {}
    int LowIndex() const override;
    int HighIndex() const override;
    float FrequencyOf(int index) const override;
    float ValueOf(int index, bool peakHold) const override;
    bool Bands() const override;

private:
    const TSpectralData& Data;
};
