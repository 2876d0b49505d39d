// Gain and DC offset of a segment's analysis blocks.
#include "engine/TSampleAdjust.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include "engine/TSeriesData.h"

float TSampleAdjust::LinearGain(float dB) { return static_cast<float>(std::pow(10.0, 0.05 * dB)); }

float TSampleAdjust::OffsetInSamples(float value, const TWaveFormat& format, uint32_t calibrated, float calRatio)
{
    const float halfRange = static_cast<float>(format.MaxValue - format.MinValue) * 0.5f;
    if (calibrated != 0 && calRatio != 0.0f)
        return value * halfRange / calRatio;
    return value * halfRange * 0.01f;
}

namespace {

void AdjustSample(const TSampleAdjust::TChannel& channel, uint32_t i, double silence)
{
    if (!channel.Block)
        return;
    const double v = channel.Gain * channel.Block->GetSample(i, 0) + channel.Offset;
    // Held within 32 bits before the block holds it within the sample range.
    const double rounded = std::clamp(std::floor(v + silence + 0.5), double(INT32_MIN), double(INT32_MAX));
    channel.Block->PutSample(i, static_cast<int32_t>(rounded));
}

}

uint32_t TSampleAdjust::Run(TChannel left, TChannel right, uint32_t frames, int32_t silence, const TStep& step)
{
    for (uint32_t i = 0; i < frames; ++i) {
        if (step && !step(i))
            return i;
        AdjustSample(left, i, silence);
        AdjustSample(right, i, silence);
    }
    return frames;
}
