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

// count samples of the format's width, little-endian, stride bytes apart,
// as values centred on silence.
void DecodeSamples(const uint8_t* p, uint32_t count, size_t stride, const TWaveFormat& format, float* to)
{
    const int32_t silence = format.SilenceValue;
    switch (format.BytesPerSample) {
    case 1:
        for (uint32_t i = 0; i < count; ++i, p += stride)
            to[i] = static_cast<float>(p[0] - silence);
        break;
    case 2:
        for (uint32_t i = 0; i < count; ++i, p += stride)
            to[i] = static_cast<float>(static_cast<int16_t>(p[0] | (p[1] << 8)));
        break;
    case 3:
        for (uint32_t i = 0; i < count; ++i, p += stride)
            to[i] = static_cast<float>(SignExtend24(p[0] | (p[1] << 8) | (p[2] << 16)));
        break;
    default:
        for (uint32_t i = 0; i < count; ++i, p += stride)
            to[i] = static_cast<float>(static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (p[1] << 8) |
                                                            (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24)));
        break;
    }
}

// Filter outputs times the gain, truncated, put back on silence and held to
// the format's range, as samples of its width stride bytes apart.
void EncodeSamples(const float* from, uint32_t count, double gain, const TWaveFormat& format, size_t stride,
                   uint8_t* p)
{
    const double low = format.MinValue;
    const double high = format.MaxValue;
    const double silence = format.SilenceValue;
    const uint16_t width = format.BytesPerSample;
    for (uint32_t i = 0; i < count; ++i, p += stride) {
        const double y = std::clamp(std::trunc(from[i] * gain) + silence, low, high);
        const int32_t v = static_cast<int32_t>(y);
        const uint32_t bits = static_cast<uint32_t>(width == 3 ? TWaveFormat::Pack24(v) : v);
        for (uint16_t b = 0; b < width; ++b)
            p[b] = static_cast<uint8_t>(bits >> (8 * b));
    }
}

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
    Designed = Designed && Convolver.SetCoefficients(Coefficients.data(), static_cast<uint32_t>(Taps));
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

bool TWaveFilter::PrepareBlocks(uint32_t frames, uint32_t frameBytes)
{
    if (frames == BlockFrames && frameBytes == BlockFrameBytes)
        return true;
    BlockFrames = 0;
    try {
        Frames.assign(static_cast<size_t>(frames) * frameBytes, 0);
        for (ChannelBlocks& c : Channels)
            c.Work.assign(static_cast<size_t>(frames) + Taps, 0.0f);
        Output.assign(frames, 0.0f);
    } catch (const std::bad_alloc&) {
        return false;
    }
    BlockFrames = frames;
    BlockFrameBytes = frameBytes;
    return true;
}

// The block is read and written whole, all channels at once: a disk-backed
// wave then costs one read and one write of its working file per block, and
// a channel left unfiltered goes back as it was read.
int TWaveFilter::Filter(TWaveData* wave, uint32_t start, uint32_t frames, uint32_t filterLeft, uint32_t filterRight)
{
    if (!Designed || wave == nullptr || wave->GetBytesPerSample() != Format.BytesPerSample)
        return 0;
    const bool right = filterRight && wave->GetChannels() == 2;
    if (frames == 0 || (!filterLeft && !right))
        return 1;
    const uint32_t frameBytes = wave->GetFormat().BytesPerFrame();
    if (frames > UINT32_MAX - static_cast<uint32_t>(Taps) || !PrepareBlocks(frames, frameBytes))
        return 0;
    if (!wave->ReadInterleaved(Frames.data(), start, frames))
        return 0;
    if (filterLeft && !FilterChannel(frames, frameBytes, 0))
        return 0;
    if (right && !FilterChannel(frames, frameBytes, 1))
        return 0;
    return wave->WriteInterleaved(Frames.data(), start, frames);
}

bool TWaveFilter::FilterChannel(uint32_t frames, uint32_t frameBytes, uint16_t channel)
{
    ChannelBlocks& c = Channels[channel];
    const uint32_t n = static_cast<uint32_t>(Taps);
    uint8_t* samples = Frames.data() + size_t{channel} * Format.BytesPerSample;
    std::copy(c.History.begin(), c.History.end(), c.Work.begin());
    DecodeSamples(samples, frames, frameBytes, Format, c.Work.data() + n);
    if (!Convolver.Correlate(c.Work.data(), frames, Output.data()))
        return false;
    EncodeSamples(Output.data(), frames, LinearGain, Format, frameBytes, samples);
    std::copy(c.Work.begin() + frames, c.Work.begin() + frames + n, c.History.begin());
    return true;
}
