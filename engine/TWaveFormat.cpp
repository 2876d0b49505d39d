#include "engine/TWaveFormat.h"

namespace {

struct WidthLimits {
    uint16_t bits;
    int32_t largest;
    int32_t smallest;
    int32_t silence;
};

// Indexed by bytes per sample - 1. The 16- and 24-bit ranges are symmetric and
// 32-bit samples span +/- 2^30; 8-bit data are unsigned around 127.
constexpr WidthLimits kWidths[4] = {
    {8, 255, 0, 127},
    {16, 32767, -32767, 0},
    {24, 8388607, -8388607, 0},
    {32, 1073741824, -1073741824, 0},
};

}  // namespace

TWaveFormat::TWaveFormat(uint32_t samplingRate, uint16_t numChannels, uint16_t bytesPerSample)
{
    Set(samplingRate, numChannels, bytesPerSample);
}

void TWaveFormat::Set(uint32_t samplingRate, uint16_t numChannels, uint16_t bytesPerSample)
{
    SamplingRate = samplingRate ? samplingRate : 44100;
    NumChannels = IsValidChannels(numChannels) ? numChannels : 1;
    BytesPerSample = IsValidWidth(bytesPerSample) ? bytesPerSample : 2;
    const WidthLimits& w = kWidths[BytesPerSample - 1];
    BitsPerSample = w.bits;
    MaxValue = w.largest;
    MinValue = w.smallest;
    SilenceValue = w.silence;
}

bool TWaveFormat::IsEqual(TWaveFormat other) const
{
    return NumChannels == other.NumChannels && SamplingRate == other.SamplingRate &&
           BytesPerSample == other.BytesPerSample;
}

int32_t TWaveFormat::Pack24(int32_t value)
{
    return value >= 0 ? value : value + 0x1000000;
}

int32_t SignExtend24(int32_t raw)
{
    return (raw & 0x800000) ? raw - 0x1000000 : raw;
}
