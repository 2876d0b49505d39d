#pragma once
#include <cstdint>
#include <vector>

// A sliding dot product of a float stream with fixed coefficients, computed
// by overlap-save through the real FFT: each transform of L samples yields
// L - taps + 1 outputs, so the cost per output grows with log L rather than
// with the number of taps.
class TBlockConvolver {
public:
    // Copies the coefficients; false when there are none or the transform's
    // tables cannot be had.
    bool SetCoefficients(const float* h, uint32_t taps);
    uint32_t GetTaps() const { return static_cast<uint32_t>(Coefficients.size()); }

    // y[i] = sum over k < taps of x[i + k] h[k], for i = 0 .. count - 1; x
    // holds count + taps - 1 samples. False, with y untouched, when the
    // transform's tables or buffers cannot be had.
    bool Correlate(const float* x, uint32_t count, float* y);

    // The transform length used for count outputs: four times the taps or
    // more (fewer transforms per output), but no longer than the input.
    static uint32_t TransformLength(uint32_t taps, uint32_t count);

private:
    bool PrepareSpectrum(uint32_t length);

    std::vector<float> Coefficients;
    // The packed spectrum of the reversed coefficients at SpectrumLength,
    // halved so that the product's inverse is the plain convolution.
    std::vector<float> Spectrum;
    uint32_t SpectrumLength = 0;
    std::vector<float> Segment;
};
