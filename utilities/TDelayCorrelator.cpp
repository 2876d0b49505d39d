#include "utilities/TDelayCorrelator.h"

#include <cmath>
#include <exception>

#include "engine/TSmoothing.h"

uint32_t TDelayCorrelator::BlockSize(int32_t maxDelayMs, uint32_t samplingRate)
{
    const int64_t lag = int64_t{maxDelayMs} * samplingRate / 1000;
    for (uint64_t n = MinBlockSize; n <= TSpectralData::MaxFFTSize; n *= 2)
        if (int64_t(3 * n / 8) >= lag) return static_cast<uint32_t>(n);
    return 0;
}

float TDelayCorrelator::ToUnits(float delayMs, uint16_t unit, float speedOfSound)
{
    switch (unit) {
    case Milliseconds: return delayMs;
    case Feet: return delayMs * speedOfSound * 0.001f;
    case Metres: return delayMs * 0.3048f * speedOfSound * 0.001f;
    default: return 0.0f;
    }
}

TDelayCorrelator::TDelayCorrelator(const AnalysisSettingsStruct& analysis, const DisplaySettingsStruct& scaling,
                                   int32_t maxDelayMs)
    : Settings(analysis)
{
    Settings.FFTsize = BlockSize(maxDelayMs, analysis.Format.SamplingRate);
    Settings.DecimationRatio = 1;
    Settings.AverageBlocks = 1;
    Settings.AverageType = TSpectralData::ExponentialAveraging;
    Settings.PeakHold = 0;
    Settings.SmoothingWindow = TSmoothing::Uniform;
    DisplaySettingsStruct linear = scaling;
    linear.AmpScaleType = DisplaySettingsStruct::LinearAmplitude;
    linear.FreqScaleType = DisplaySettingsStruct::LinearFrequency;
    linear.SpectralDensityFlag = 0;
    linear.StandardWeighting = 0;
    linear.TotalPowerWeighting = 0;
    linear.MicCompEnable = 0;
    if (Settings.FFTsize == 0) return;
    try {
        LeftSpectrum = std::make_unique<TSpectralData>(Settings, linear, 0);
        RightSpectrum = std::make_unique<TSpectralData>(Settings, linear, 0);
        CrossSpectrum = std::make_unique<TSpectralData>(Settings, linear, 0);
    } catch (const std::exception&) {
        return;
    }
    Ready = !LeftSpectrum->Error && !RightSpectrum->Error && !CrossSpectrum->Error;
}

float TDelayCorrelator::Measure(const TSeriesData& left, const TSeriesData& right)
{
    const uint32_t n = Settings.FFTsize;
    PeakIndex = n / 2;
    if (!Ready || left.GetLength() < n || right.GetLength() < n) return 0.0f;
    for (uint32_t i = 0; i < n; ++i) {
        LeftSpectrum->SetTimeSample(i, left.GetSample(i, 0));
        RightSpectrum->SetTimeSample(i, right.GetSample(i, 0));
    }
    LeftSpectrum->ComputeSpectrum();
    RightSpectrum->ComputeSpectrum();
    CrossSpectrum->ComputeCrossSpectrum(LeftSpectrum->GetSpectrumBuffer(), RightSpectrum->GetSpectrumBuffer());
    CrossSpectrum->Average(0);
    CrossSpectrum->InverseTransform();

    // The inverse transform is searched as it is, so no correlation value is
    // clipped to a sample width first; ties keep the lower index.
    float largest = 0.0f;
    bool found = false;
    for (uint32_t i = n / 8; i < 7 * n / 8; ++i) {
        const float m = std::fabs(CrossSpectrum->GetInverseSample(i));
        if (m > largest) {
            largest = m;
            PeakIndex = i;
            found = true;
        }
    }
    if (!found) return 0.0f;
    const double rate = Settings.Format.SamplingRate;
    return static_cast<float>((double(PeakIndex) - double(n / 2)) * 1000.0 / rate);
}
