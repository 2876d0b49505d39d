// A filter run over a segment of a wave, one second at a time.
#include "engine/TSegmentFilter.h"

#include "engine/TWaveData.h"
#include "engine/TWaveFilter.h"

bool TSegmentFilter::Run(TWaveFilter& filter, TWaveData& wave, uint32_t first, uint32_t frames, uint32_t left,
                         uint32_t right, const TProgress& progress, const TCancelled& cancelled)
{
    uint32_t block = wave.GetSampleRate();
    if (block < 1)
        return true;
    uint32_t blocks = frames / block;
    uint32_t remainder = frames - blocks * block;
    if (blocks == 0) {
        blocks = 1;
        block = frames;
        remainder = 0;
    }
    uint32_t position = first;
    for (uint32_t i = 0; i < blocks; ++i) {
        if (progress)
            progress(i * 100 / blocks);
        filter.Filter(&wave, position, block, left, right);
        position += block;
        if (cancelled && cancelled())
            return false;
    }
    if (remainder > 0)
        filter.Filter(&wave, position, remainder, left, right);
    return true;
}
