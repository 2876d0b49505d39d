#include "automation/TPokedSamples.h"

#include <algorithm>
#include <cmath>

TPokedSamples::TPokedSamples(const uint8_t* data, size_t bytes) : Values(bytes / 2)
{
    for (size_t i = 0; i < Values.size(); ++i)
        Values[i] = int16_t(uint16_t(data[2 * i]) | uint16_t(data[2 * i + 1]) << 8);
}

int32_t TPokedSamples::ToFormat(int16_t value, const TWaveFormat& format)
{
    const double scaled = std::round(double(value) * format.FullScale() / 32767.0) + format.SilenceValue;
    return int32_t(std::clamp(scaled, double(format.MinValue), double(format.MaxValue)));
}

size_t TPokedSamples::Step(size_t count, uint32_t fftSize)
{
    return count == 2 * size_t(fftSize) ? 2 : 1;
}

void TPokedSamples::Spread(uint32_t fftSize, uint32_t limit, const TWaveFormat& format, std::vector<int32_t>& left,
                           std::vector<int32_t>* right) const
{
    const size_t step = Step(Values.size(), fftSize);
    left.clear();
    if (right) right->clear();
    for (size_t i = 0; i < Values.size() && left.size() < limit; i += step) {
        left.push_back(ToFormat(Values[i], format));
        if (right) right->push_back(ToFormat(i + 1 < Values.size() ? Values[i + 1] : 0, format));
    }
}

uint32_t TPokedSamples::FrameCount(const TWaveFormat& format) const
{
    return uint32_t(Values.size() / format.NumChannels);
}

std::vector<uint8_t> TPokedSamples::Frames(const TWaveFormat& format) const
{
    const size_t samples = size_t(FrameCount(format)) * format.NumChannels;
    std::vector<uint8_t> bytes(samples * format.BytesPerSample);
    for (size_t i = 0; i < samples; ++i) {
        const int32_t value = ToFormat(Values[i], format);
        const uint32_t bits = uint32_t(format.BytesPerSample == 3 ? TWaveFormat::Pack24(value) : value);
        for (uint16_t b = 0; b < format.BytesPerSample; ++b)
            bytes[i * format.BytesPerSample + b] = uint8_t(bits >> (8 * b));
    }
    return bytes;
}
