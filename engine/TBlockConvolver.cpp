// Overlap-save convolution over the program's real FFT.
#include "engine/TBlockConvolver.h"

#include <algorithm>
#include <bit>
#include <new>

#include "engine/FFT.h"

namespace {

// Transforms shorter than this spend more on their passes than they save.
constexpr uint32_t kMinLength = 64;
constexpr uint32_t kMaxLength = 2 * MaxComplexFFTPoints;

// a times b, both in the packed layout of RealFFT (DC, Nyquist, then the
// real and imaginary parts of bins 1 ..), into a.
void MultiplyPacked(float* a, const float* b, uint32_t n)
{
    a[0] *= b[0];
    a[1] *= b[1];
    for (uint32_t i = 2; i < n; i += 2) {
        const float re = a[i] * b[i] - a[i + 1] * b[i + 1];
        const float im = a[i] * b[i + 1] + a[i + 1] * b[i];
        a[i] = re;
        a[i + 1] = im;
    }
}

}  // namespace

uint32_t TBlockConvolver::TransformLength(uint32_t taps, uint32_t count)
{
    const uint64_t wanted = std::max<uint64_t>(4 * uint64_t{taps}, kMinLength);
    const uint64_t input = uint64_t{count} + taps - 1;
    const uint64_t length = std::bit_ceil(std::min(wanted, std::max<uint64_t>(input, kMinLength)));
    return static_cast<uint32_t>(std::min<uint64_t>(length, kMaxLength));
}

bool TBlockConvolver::SetCoefficients(const float* h, uint32_t taps)
{
    SpectrumLength = 0;
    try {
        Coefficients.assign(h, h + taps);
    } catch (const std::bad_alloc&) {
        Coefficients.clear();
        return false;
    }
    // The spectrum of whole blocks, the length most runs use.
    return taps > 0 && taps < kMaxLength && PrepareSpectrum(TransformLength(taps, UINT32_MAX));
}

bool TBlockConvolver::PrepareSpectrum(uint32_t length)
{
    if (length == SpectrumLength)
        return true;
    const uint32_t taps = GetTaps();
    if (taps == 0 || taps > length || !PrepareRealFFT(static_cast<int>(length)))
        return false;
    try {
        Spectrum.assign(length, 0.0f);
        Segment.assign(length, 0.0f);
    } catch (const std::bad_alloc&) {
        SpectrumLength = 0;
        return false;
    }
    // Reversed, the coefficients turn the convolution into the sliding dot
    // product; forward transforms are twice the DFT, hence the half.
    std::reverse_copy(Coefficients.begin(), Coefficients.end(), Spectrum.begin());
    RealFFT(Spectrum.data(), static_cast<int>(length), 1);
    for (float& v : Spectrum)
        v *= 0.5f;
    SpectrumLength = length;
    return true;
}

bool TBlockConvolver::Correlate(const float* x, uint32_t count, float* y)
{
    const uint32_t taps = GetTaps();
    if (count == 0)
        return taps > 0;
    const uint32_t length = TransformLength(taps, count);
    if (!PrepareSpectrum(length))
        return false;
    // Of each circular convolution of L inputs, outputs taps - 1 .. L - 1
    // are free of wrap-around: L - taps + 1 new outputs per transform.
    const uint32_t hop = length - taps + 1;
    const uint64_t inputs = uint64_t{count} + taps - 1;
    float* segment = Segment.data();
    for (uint32_t first = 0; first < count; first += std::min(hop, count - first)) {
        const uint32_t fill = static_cast<uint32_t>(std::min<uint64_t>(length, inputs - first));
        std::copy(x + first, x + first + fill, segment);
        std::fill(segment + fill, segment + length, 0.0f);
        RealFFT(segment, static_cast<int>(length), 1);
        MultiplyPacked(segment, Spectrum.data(), length);
        RealFFT(segment, static_cast<int>(length), -1);
        const uint32_t outputs = std::min(hop, count - first);
        std::copy(segment + taps - 1, segment + taps - 1 + outputs, y + first);
    }
    return true;
}
