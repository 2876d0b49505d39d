#pragma once
// Builders shared by the spectral engine tests: settings records, synthetic
// blocks in fractions of full scale, and the analysis road of one block.
#include <cmath>
#include <vector>

#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"

constexpr double kTestPi = 3.14159265358979323846;
constexpr float kFullScale16 = 32767.0f;

inline AnalysisSettingsStruct Analysis(uint32_t rate, uint32_t fftSize, uint16_t window = TSmoothing::Hanning,
                                       uint16_t averageType = 0, uint32_t averageBlocks = 1, uint16_t peakHold = 0)
{
    AnalysisSettingsStruct a;
    a.Format = TWaveFormat(rate, 1, 2);
    a.FFTsize = fftSize;
    a.SmoothingWindow = window;
    a.AverageType = averageType;
    a.AverageBlocks = averageBlocks;
    a.PeakHold = peakHold;
    return a;
}

inline DisplaySettingsStruct Display(uint16_t ampScale, uint16_t freqScale = 0, uint16_t octave = 3)
{
    DisplaySettingsStruct d;
    d.AmpScaleType = ampScale;
    d.FreqScaleType = freqScale;
    d.OctaveNumber = octave;
    return d;
}

// A cosine of the given frequency in bins; amplitude as a fraction of full scale.
inline std::vector<double> Tone(uint32_t n, double bin, double amplitude, double phase = 0.0)
{
    std::vector<double> x(n);
    for (uint32_t i = 0; i < n; ++i)
        x[i] = amplitude * std::cos(2.0 * kTestPi * bin * i / n + phase);
    return x;
}

inline void AddTo(std::vector<double>& x, const std::vector<double>& y)
{
    for (size_t i = 0; i < x.size(); ++i)
        x[i] += y[i];
}

// SetTimeSample, window, ComputeSpectrum: the pipeline's road up to averaging.
inline void Transform(TSpectralData& s, const std::vector<double>& x, uint16_t window, uint16_t freqScale = 0,
                      uint32_t psd = 0)
{
    for (uint32_t i = 0; i < x.size(); ++i)
        s.SetTimeSample(i, static_cast<float>(x[i] * kFullScale16));
    TSmoothing w(s.GetFFTSize(), window);
    w.Apply(s.GetFFTBuffer(), freqScale, psd);
    s.ComputeSpectrum();
}

inline void Analyse(TSpectralData& s, const std::vector<double>& x, uint16_t window, uint16_t freqScale = 0,
                    uint32_t psd = 0)
{
    Transform(s, x, window, freqScale, psd);
    s.Average(0);
}

// Writes a spectrum straight into the buffer that Average reads.
inline void PutSpectrum(TSpectralData& s, const std::vector<double>& interleaved)
{
    float* buffer = s.GetSpectrumBuffer();
    for (size_t i = 0; i < interleaved.size(); ++i)
        buffer[i] = static_cast<float>(interleaved[i]);
}

inline CalibrationChannel CalibrationBlock(float calRatio, uint32_t labelType, uint32_t refUnits,
                                           uint32_t conversion = 0, uint32_t integration = 0)
{
    CalibrationChannel c{};
    c.IsEnabled = 1;
    c.CalRatio = calRatio;
    c.LabelType = labelType;
    c.RefUnits = refUnits;
    c.ConversionType = conversion;
    c.IntegrationType = integration;
    return c;
}
