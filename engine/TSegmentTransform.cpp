// The envelope's blocks and tail, and the inverse transform's samples.
#include "engine/TSegmentTransform.h"

#include <algorithm>
#include <cmath>

#include "engine/TSeriesData.h"

uint32_t TSegmentTransform::TailSize(uint32_t remainder)
{
    uint32_t size = SmallestTail;
    while (size < remainder && size < EnvelopeBlock)
        size *= 2;
    return size;
}

bool TSegmentTransform::Envelope(TSeriesData* left, TSeriesData* right, uint32_t count,
                                 const std::function<bool(uint32_t, uint32_t)>& afterBlock)
{
    const uint32_t blocks = count / EnvelopeBlock;
    bool cancelled = false;
    for (uint32_t k = 0; k < blocks && !cancelled; ++k) {
        for (TSeriesData* block : {left, right})
            if (block)
                block->HilbertEnvelope(k * EnvelopeBlock, EnvelopeBlock);
        cancelled = !afterBlock(k, blocks);
    }
    const uint32_t remainder = count - blocks * EnvelopeBlock;
    if (remainder > 0)
        for (TSeriesData* block : {left, right})
            if (block)
                block->HilbertEnvelope(count - remainder, TailSize(remainder));
    return !cancelled;
}

int32_t TSegmentTransform::ToSample(const TWaveFormat& format, double value)
{
    const double sample = format.SilenceValue + value;
    if (std::isnan(sample))
        return format.SilenceValue;
    return int32_t(std::trunc(std::clamp(sample, double(format.MinValue), double(format.MaxValue))));
}
