// Two-channel results: channel average, cross spectrum, transfer functions
// and coherence.
#include <cmath>

#include "engine/TSpectralData.h"

void TSpectralData::MultiplyConjugate(const float* a, const float* b, float* out)
{
    const float re = a[0] * b[0] + a[1] * b[1];
    const float im = a[1] * b[0] - a[0] * b[1];
    out[0] = re;
    out[1] = im;
}

void TSpectralData::AverageChannels(const float* a, const float* b)
{
    if (TimeBuffer.empty() || !a || !b)
        return;
    for (uint32_t k = 0; k < Bins; ++k) {
        const double power = (PowerOf(a[2 * k], a[2 * k + 1]) + PowerOf(b[2 * k], b[2 * k + 1])) * 0.5;
        const double m = power > 0.0 ? std::sqrt(power) : power;
        const double phase = (ComputePhase(a[2 * k], a[2 * k + 1]) + ComputePhase(b[2 * k], b[2 * k + 1])) * 0.5;
        TimeBuffer[2 * k] = static_cast<float>(m * std::cos(phase));
        TimeBuffer[2 * k + 1] = static_cast<float>(m * std::sin(phase));
    }
}

void TSpectralData::ComputeCrossSpectrum(const float* a, const float* b)
{
    if (TimeBuffer.empty() || !a || !b)
        return;
    for (uint32_t k = 0; k < Bins; ++k)
        MultiplyConjugate(a + 2 * k, b + 2 * k, TimeBuffer.data() + 2 * k);
    MagnitudeAveragingFlag = 1;
}

// The dB array and band values follow a result written over the averaged spectrum.
void TSpectralData::StoreResultDB()
{
    StoreBinLevels(Bins);
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands)
        ComputeBands(1);
}

void TSpectralData::ComputeTransferRatio(const float* numerator, const float* denominator, const float* complexA,
                                         const float* complexB)
{
    if (Averaged.empty() || AveragedComplex.empty() || !numerator || !denominator || !complexA || !complexB)
        return;
    for (uint32_t k = 0; k < Bins; ++k) {
        if (denominator[k] > 0.0f)
            Averaged[k] = numerator[k] / denominator[k];
    }
    TransferFlag = 1;
    StoreResultDB();
}

void TSpectralData::ComputeTransferFromCross(const float* reference)
{
    if (Averaged.empty() || AveragedComplex.empty() || !reference)
        return;
    float t = 0.0f;
    for (uint32_t k = 0; k < Bins; ++k) {
        if (reference[k] > 0.0f)
            t = PowerOf(AveragedComplex[2 * k] / reference[k], AveragedComplex[2 * k + 1] / reference[k]);
        if (PeakHoldMode == 0 || t > Averaged[k])
            Averaged[k] = t;
    }
    TransferFromCrossFlag = 1;
    StoreResultDB();
}

void TSpectralData::ComputeCoherence(const float* powerA, const float* powerB)
{
    if (Averaged.empty() || AveragedComplex.empty() || !powerA || !powerB)
        return;
    float c = 0.0f;
    for (uint32_t k = 0; k < Bins; ++k) {
        const float d = powerA[k] * powerB[k];
        if (d != 0.0f)
            c = PowerOf(AveragedComplex[2 * k], AveragedComplex[2 * k + 1]) / d;
        if (PeakHoldMode == 0 || c > Averaged[k])
            Averaged[k] = c;
    }
    CoherenceFlag = 1;
    StoreResultDB();
}
