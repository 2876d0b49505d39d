#include "engine/TSeriesData.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "engine/FFT.h"
#include "engine/TSmoothing.h"

namespace {

constexpr uint32_t kCentreTap = TSeriesData::FilterTaps / 2;

}  // namespace

TSeriesData::TSeriesData(uint32_t length, TWaveFormat format, uint32_t decimationRatio, uint32_t filterFlag)
    : Format(format), Length(length), DecimationRatio(decimationRatio), FilterFlag(filterFlag)
{
    if (DecimationRatio >= 2 && FilterFlag == 1) {
        Length += FilterTaps;
        DesignDecimationFilter();
    }
    SetCalibration(1.0f);
    if (Length == 0) {
        Error = 1;
        return;
    }
    try {
        Buffer.assign(static_cast<size_t>(Length) * Format.BytesPerSample, 0);
    } catch (const std::bad_alloc&) {
        Error = 1;
        return;
    }
    Clear();
}

void TSeriesData::SetCalibration(float calibration)
{
    if (calibration == 0.0f)
        calibration = 1.0f;
    Scale = static_cast<float>(calibration / ((static_cast<double>(Format.MaxValue) - Format.MinValue) * 0.5));
}

uint32_t TSeriesData::GetDecimatedLength() const
{
    if (DecimationRatio <= 1)
        return Length;
    const uint32_t usable = FilterFlag == 1 ? Length - std::min(Length, FilterTaps) : Length;
    return usable / DecimationRatio;
}

float TSeriesData::SamplesToTime(uint32_t count) const
{
    if (Format.SamplingRate == 0 || DecimationRatio == 0)
        return 0.0f;
    return static_cast<float>(count / (static_cast<double>(Format.SamplingRate) / DecimationRatio));
}

uint32_t TSeriesData::TimeToSample(float seconds) const
{
    if (DecimationRatio == 0)
        return 0;
    const double samples = static_cast<double>(Format.SamplingRate) * seconds / DecimationRatio;
    if (!(samples > 0.0))
        return 0;
    return samples >= 4294967295.0 ? 4294967295u : static_cast<uint32_t>(samples);
}

int32_t TSeriesData::Load(uint32_t index) const
{
    const uint8_t* p = &Buffer[static_cast<size_t>(index) * Format.BytesPerSample];
    switch (Format.BytesPerSample) {
    case 1: return p[0];
    case 2: return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
    case 3: return SignExtend24(p[0] | (p[1] << 8) | (p[2] << 16));
    default: return Format.SilenceValue;
    }
}

void TSeriesData::Store(uint32_t index, int32_t value)
{
    if (Format.BytesPerSample > 3)
        return;
    // A result beyond the range is held at its limit rather than wrapped into
    // a full-scale sample of the other sign.
    value = std::clamp(value, Format.MinValue, Format.MaxValue);
    const uint32_t bits = static_cast<uint32_t>(Format.BytesPerSample == 3 ? TWaveFormat::Pack24(value) : value);
    uint8_t* p = &Buffer[static_cast<size_t>(index) * Format.BytesPerSample];
    for (uint16_t b = 0; b < Format.BytesPerSample; ++b)
        p[b] = static_cast<uint8_t>(bits >> (8 * b));
}

void TSeriesData::Clear()
{
    if (!HasBuffer())
        return;
    for (uint32_t i = 0; i < Length; ++i)
        Store(i, Format.SilenceValue);
}

void TSeriesData::PutSample(uint32_t index, int32_t value)
{
    if (HasBuffer() && index < Length)
        Store(index, value);
}

float TSeriesData::GetSample(uint32_t index, int scaled) const
{
    if (!HasBuffer() || index >= Length)
        return 0.0f;
    const double v = Load(index) - Format.SilenceValue;
    return static_cast<float>(scaled ? v * Scale : v);
}

void TSeriesData::ReadSamples(float* to, uint32_t count) const
{
    const uint32_t n = HasBuffer() ? std::min(count, Length) : 0;
    const int32_t silence = Format.SilenceValue;
    const uint8_t* p = Buffer.data();
    // The width is tested once, not per sample as Load does.
    switch (Format.BytesPerSample) {
    case 1:
        for (uint32_t i = 0; i < n; ++i)
            to[i] = static_cast<float>(static_cast<double>(p[i] - silence));
        break;
    case 2:
        for (uint32_t i = 0; i < n; ++i)
            to[i] = static_cast<float>(static_cast<double>(static_cast<int16_t>(p[2 * i] | (p[2 * i + 1] << 8)) - silence));
        break;
    default:
        for (uint32_t i = 0; i < n; ++i)
            to[i] = GetSample(i, 0);
        break;
    }
    std::fill(to + n, to + count, 0.0f);
}

uint8_t* TSeriesData::GetSamplePtr(uint32_t index)
{
    if (!HasBuffer() || index >= Length)
        return nullptr;
    return &Buffer[static_cast<size_t>(index) * Format.BytesPerSample];
}

void TSeriesData::GetMinMax(uint32_t first, uint32_t last, float* max, float* min, int scaled, int rms) const
{
    if (!HasBuffer() || max == nullptr || min == nullptr)
        return;
    if (last <= first) {
        first = 0;
        last = 2;
    }
    if (first >= Length)
        first = Length >= 2 ? Length - 2 : 0;
    last = std::min(last, Length);
    double hi = Format.MinValue;
    double lo = Format.MaxValue;
    double positiveSum = 0.0, negativeSum = 0.0;
    uint32_t positiveCount = 0, negativeCount = 0;
    for (uint32_t i = first; i < last; ++i) {
        const double v = Load(i);
        hi = std::max(hi, v);
        lo = std::min(lo, v);
        if (v > 0.0) {
            positiveSum += v * v;
            ++positiveCount;
        } else if (v < 0.0) {
            negativeSum += v * v;
            ++negativeCount;
        }
    }
    if (rms && positiveCount > 0)
        hi = std::sqrt(positiveSum / positiveCount);
    if (rms && negativeCount > 0)
        lo = -std::sqrt(negativeSum / negativeCount);
    if (scaled) {
        hi = (hi - Format.SilenceValue) * Scale;
        lo = (lo - Format.SilenceValue) * Scale;
    }
    *max = static_cast<float>(hi);
    *min = static_cast<float>(lo);
}

int TSeriesData::GetPeakMagnitude() const
{
    if (!HasBuffer() || Format.BytesPerSample > 3)
        return 0;
    const uint32_t n = std::min(GetDecimatedLength(), Length);
    int32_t peak = 1;
    if (Format.BytesPerSample == 2) {
        // The common width without Load's test per sample.
        const uint8_t* p = Buffer.data();
        for (uint32_t i = 0; i < n; ++i) {
            const int16_t sample = static_cast<int16_t>(p[2 * i] | (p[2 * i + 1] << 8));
            peak = std::max(peak, std::abs(sample - Format.SilenceValue));
        }
    } else {
        for (uint32_t i = 0; i < n; ++i)
            peak = std::max(peak, std::abs(Load(i) - Format.SilenceValue));
    }
    const int32_t range = Format.MaxValue - Format.SilenceValue;
    if (peak >= range - 1)
        return 100;
    return static_cast<int>(100.0 * std::log10(static_cast<double>(peak)) / std::log10(static_cast<double>(range)));
}

void TSeriesData::DesignDecimationFilter()
{
    if (DecimationRatio < 2 || FilterFlag == 0)
        return;
    const double nyquist = Format.SamplingRate / 2.0;
    const double w = nyquist > 0.0 ? (nyquist / DecimationRatio) * 3.1415927 / nyquist : 3.1415927 / DecimationRatio;
    std::fill(std::begin(Taps), std::end(Taps), 0.0f);
    Taps[kCentreTap] = static_cast<float>(0.3183098861837907 * w);
    for (uint32_t k = 1; k <= kCentreTap; ++k) {
        const float tap = static_cast<float>(std::sin(k * w) / (k * 3.141592653589793));
        Taps[kCentreTap + k] = tap;
        Taps[kCentreTap - k] = tap;
    }
    TSmoothing(FilterTaps, TSmoothing::Hanning).Apply(Taps, 3, 0);
}

void TSeriesData::FilterInPlace()
{
    if (DecimationRatio <= 1 || FilterFlag == 0 || !HasBuffer() || Length <= FilterTaps + 1)
        return;
    // Output i depends on samples i .. i + 38 only, so writing it over
    // sample i leaves every later input intact.
    for (uint32_t i = 0; i + FilterTaps + 1 < Length; ++i) {
        double acc = 0.0;
        for (uint32_t j = 0; j < FilterTaps; ++j)
            acc += Load(i + j) * static_cast<double>(Taps[j]);
        Store(i, static_cast<int32_t>(acc));
    }
}

void TSeriesData::Decimate()
{
    if (DecimationRatio < 2 || !HasBuffer())
        return;
    FilterInPlace();
    const uint32_t n = Length / DecimationRatio;
    const uint16_t width = Format.BytesPerSample;
    for (uint32_t j = 0; j < n; ++j) {
        const uint32_t source = std::min(j * DecimationRatio, Length - 1);
        std::memmove(&Buffer[static_cast<size_t>(j) * width], &Buffer[static_cast<size_t>(source) * width], width);
    }
}

int TSeriesData::FindTrigger(const TriggerSettings& trigger, uint32_t first, uint32_t end, uint32_t* found) const
{
    if (found != nullptr)
        *found = 0;
    end = std::min(end, Length);
    if (!HasBuffer() || found == nullptr || Format.BytesPerSample > 3)
        return 0;
    const int64_t level = static_cast<int64_t>(Format.MaxValue - Format.SilenceValue) * trigger.Threshold / 100;
    const bool rising = trigger.TriggerSlope == TriggerSettings::Positive;
    if (trigger.TriggerSlope > TriggerSettings::Negative)
        return 0;
    // Levels and steps are measured from silence, so unsigned 8-bit data
    // trigger as signed data do.
    auto relative = [this](uint32_t i) { return static_cast<int64_t>(Load(i)) - Format.SilenceValue; };
    if (trigger.TriggerType == TriggerSettings::Level) {
        for (uint32_t i = first; i < end; ++i) {
            const int64_t s = relative(i);
            if (rising ? s >= level : s <= -level) {
                *found = i;
                return 1;
            }
        }
    } else if (trigger.TriggerType == TriggerSettings::Edge) {
        for (uint32_t i = first; i + 1 < end; ++i) {
            const int64_t step = relative(i + 1) - relative(i);
            if ((rising ? step : -step) >= level) {
                *found = i;
                return 1;
            }
        }
    }
    return 0;
}

int TSeriesData::HilbertEnvelope(uint32_t first, uint32_t count)
{
    if (!HasBuffer() || count < 2 || count > MaxComplexFFTPoints || (count & (count - 1)) != 0)
        return 0;
    std::vector<float> z;
    try {
        z.assign(2 * static_cast<size_t>(count), 0.0f);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    for (uint32_t i = 0; i < count; ++i)
        z[2 * i] = GetSample(first + i, 0);
    ComplexFFT(z.data(), static_cast<int>(count), 1);
    // -i on the positive frequencies, +i on the negative ones; DC and the
    // Nyquist point, which belong to neither, are cleared.
    const uint32_t half = count / 2;
    for (uint32_t k = 1; k < count; ++k) {
        const float re = z[2 * k], im = z[2 * k + 1];
        if (k < half) {
            z[2 * k] = im;
            z[2 * k + 1] = -re;
        } else if (k > half) {
            z[2 * k] = -im;
            z[2 * k + 1] = re;
        }
    }
    z[0] = z[1] = 0.0f;
    z[2 * half] = z[2 * half + 1] = 0.0f;
    ComplexFFT(z.data(), static_cast<int>(count), -1);
    for (uint32_t i = 0; i < count; ++i) {
        const double x = GetSample(first + i, 0);
        const double h = z[2 * i];
        const double e = std::sqrt(h * h + x * x);
        if (e > 0.0)
            PutSample(first + i, static_cast<int32_t>(std::min(e + Format.SilenceValue, 2147483647.0)));
    }
    return 1;
}

int TSeriesData::SchroederIntegrate(uint32_t count)
{
    if (!HasBuffer())
        return 0;
    count = std::min(count, Length);
    double total = 0.0;
    for (uint32_t i = 0; i < count; ++i)
        total += std::fabs(GetSample(i, 0));
    if (!(total > 0.0))
        return 0;
    const double k = (Format.MaxValue - Format.SilenceValue) / total;
    double running = 0.0;
    for (uint32_t i = count; i-- > 0;) {
        running += std::fabs(GetSample(i, 0));
        PutSample(i, static_cast<int32_t>(running * k + Format.SilenceValue));
    }
    return 1;
}
