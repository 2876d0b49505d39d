#include "engine/TWaveFilter.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"

namespace {

constexpr double kPi = 3.141592653589793;

// A low-pass prototype of half width B radians shifted to centre A.
struct Prototype {
    double A;
    double B;
};

// The custom response's inverse transform carries the engine's scale of
// FFT size x 16-bit full scale; this takes it back to unit gain.
constexpr double kCustomDivisor = static_cast<double>(TWaveFilter::CustomFFTSize) * 16384.0;

}  // namespace

TWaveFilter::TWaveFilter(TWaveFormat format, const FilterSettings& settings)
    : Format(format), Settings(settings)
{
    SetGain(Settings.FilterGainDB);
    Taps = std::clamp(Settings.NumTaps, MinTaps, MaxTaps);
    if (Taps % 2 == 0)
        ++Taps;
    Coefficients.assign(Taps, 0.0f);
    for (ChannelBlocks& c : Channels)
        c.History.assign(Taps, 0.0f);
    Design();
    ResetHistory();
}

void TWaveFilter::SetGain(float dB)
{
    GainDB = std::clamp(dB, -MaxGainDB, MaxGainDB);
    LinearGain = std::pow(10.0, 0.05 * GainDB);
}

void TWaveFilter::ResetHistory()
{
    for (ChannelBlocks& c : Channels)
        std::fill(c.History.begin(), c.History.end(), 0.0f);
}

int TWaveFilter::Design()
{
    if (Settings.Type == FilterSettings::Custom) {
        Designed = DesignCustom();
    } else {
        DesignWindowedSinc();
        Designed = true;
    }
    return Designed ? 1 : 0;
}

void TWaveFilter::DesignWindowedSinc()
{
    const double nyquist = Format.SamplingRate / 2.0;
    const double scale = kPi / nyquist;
    Prototype first{0.0, kPi / 18.0}, second{kPi, kPi / 6.0};
    switch (Settings.Type) {
    case FilterSettings::LowPass:
        first = {0.0, Settings.LPCutoffHz * scale};
        second = {kPi, 0.0};
        break;
    case FilterSettings::HighPass:
        first = {kPi, 0.0};
        second = {kPi, (nyquist - Settings.HPCutoffHz) * scale};
        break;
    case FilterSettings::BandPass:
        first = {Settings.BPCenterHz * scale, Settings.BPWidthHz / 2.0 * scale};
        second = first;
        break;
    case FilterSettings::Notch:
        first = {0.0, (Settings.NCenterHz - Settings.NWidthHz / 2.0) * scale};
        second = {kPi, (nyquist - (Settings.NCenterHz + Settings.NWidthHz / 2.0)) * scale};
        break;
    default:
        break;
    }
    const int32_t m = (Taps - 1) / 2;
    std::vector<double> sum(Taps, 0.0);
    for (const Prototype& p : {first, second}) {
        sum[m] += p.B / kPi;
        for (int32_t k = 1; k <= m; ++k) {
            const double h = std::sin(k * p.B) / (k * kPi) * std::cos(k * p.A);
            sum[m + k] += h;
            sum[m - k] += h;
        }
    }
    for (int32_t i = 0; i < Taps; ++i)
        Coefficients[i] = static_cast<float>(sum[i]);
    TSmoothing(static_cast<uint32_t>(Taps), TSmoothing::Hanning).Apply(Coefficients.data(), 3, 0);
}

bool TWaveFilter::DesignCustom()
{
    AnalysisSettingsStruct analysis;
    analysis.Format = TWaveFormat(Format.SamplingRate, 1, 2);
    analysis.FFTsize = CustomFFTSize;
    analysis.DecimationRatio = 1;
    analysis.SmoothingWindow = TSmoothing::Uniform;
    DisplaySettingsStruct display;
    display.AmpScaleType = 0;
    display.FreqScaleType = 0;
    TSpectralData engine(analysis, display, 0);
    float* power = engine.GetMagnitudes();
    float* complex = engine.GetAverageComplex();
    if (engine.Error != 0 || power == nullptr || complex == nullptr)
        return false;
    const uint32_t bins = CustomFFTSize / 2;
    std::vector<float> levels;
    try {
        levels.assign(bins, 0.0f);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!engine.ReadCompensationFile(Settings.FilterFilename, levels.data()))
        return false;
    for (uint32_t k = 0; k < bins; ++k) {
        power[k] = static_cast<float>(std::pow(10.0, levels[k] / 10.0));
        complex[2 * k] = 0.0f;
        complex[2 * k + 1] = 0.0f;
    }
    engine.InverseTransform();
    const float* impulse = engine.GetInverseBuffer();
    if (impulse == nullptr)
        return false;
    const int32_t m = (Taps - 1) / 2;
    std::fill(Coefficients.begin(), Coefficients.end(), 0.0f);
    for (int32_t i = 0; i < m; ++i) {
        const float c = static_cast<float>(impulse[i] / kCustomDivisor);
        Coefficients[m + i] = c;
        Coefficients[m - i] = c;
    }
    TSmoothing(static_cast<uint32_t>(Taps), TSmoothing::Hanning).Apply(Coefficients.data(), 3, 0);
    return true;
}

bool TWaveFilter::PrepareBlocks(uint32_t frames)
{
    if (frames == BlockFrames && Channels[0].Input)
        return true;
    BlockFrames = 0;
    for (ChannelBlocks& c : Channels) {
        c.Input.reset();
        c.Output.reset();
        c.Work.clear();
    }
    for (ChannelBlocks& c : Channels) {
        c.Input = std::make_unique<TSeriesData>(frames + Taps, Format, 1, 0);
        c.Output = std::make_unique<TSeriesData>(frames, Format, 1, 0);
        if (c.Input->Error || c.Output->Error)
            return false;
        try {
            c.Work.assign(static_cast<size_t>(frames) + Taps, 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    BlockFrames = frames;
    return true;
}

int TWaveFilter::Filter(TWaveData* wave, uint32_t start, uint32_t frames, uint32_t filterLeft, uint32_t filterRight)
{
    if (!Designed || wave == nullptr || wave->GetBytesPerSample() != Format.BytesPerSample)
        return 0;
    if (frames == 0)
        return 1;
    if (frames > UINT32_MAX - static_cast<uint32_t>(Taps) || !PrepareBlocks(frames))
        return 0;
    if (filterLeft && !FilterChannel(wave, start, frames, 0))
        return 0;
    if (filterRight && wave->GetChannels() == 2 && !FilterChannel(wave, start, frames, 1))
        return 0;
    return 1;
}

int TWaveFilter::FilterChannel(TWaveData* wave, uint32_t start, uint32_t frames, uint16_t channel)
{
    ChannelBlocks& c = Channels[channel];
    const uint32_t n = static_cast<uint32_t>(Taps);
    if (!wave->ReadFrames(c.Input->GetSamplePtr(n), start, frames, channel))
        return 0;
    for (uint32_t j = 0; j < n; ++j)
        c.Work[j] = static_cast<int32_t>(c.History[j]);
    for (uint32_t j = n; j < n + frames; ++j)
        c.Work[j] = static_cast<int32_t>(c.Input->GetSample(j, 0));
    const float* h = Coefficients.data();
    for (uint32_t i = 0; i < frames; ++i) {
        const int32_t* x = &c.Work[i];
        double acc = 0.0;
        for (uint32_t k = 0; k < n; ++k)
            acc += x[k] * LinearGain * h[k];
        // Back on the format's silence and held to its range.
        const double y = std::clamp(std::trunc(acc) + Format.SilenceValue, static_cast<double>(Format.MinValue),
                                    static_cast<double>(Format.MaxValue));
        c.Output->PutSample(i, static_cast<int32_t>(y));
    }
    for (uint32_t k = 0; k < n; ++k)
        c.History[k] = static_cast<float>(c.Work[frames + k]);
    return wave->WriteFrames(c.Output->GetSamplePtr(0), start, frames, channel);
}
