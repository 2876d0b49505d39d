// Decimation of a whole wave into a sink of blocks.
#include "engine/TWaveDecimator.h"

#include <memory>
#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"

namespace {

struct TBlocks {
    TWaveData Buffer;
    std::unique_ptr<TSeriesData> Series[2];

    TBlocks(uint32_t frames, TWaveFormat format, uint16_t ratio, uint32_t filter) : Buffer(frames, format)
    {
        for (uint16_t c = 0; c < format.NumChannels && c < 2; ++c) {
            Series[c] = std::make_unique<TSeriesData>(frames, format, ratio, filter);
            Series[c]->DesignDecimationFilter();
        }
    }
    bool Good() const
    {
        if (Buffer.Error)
            return false;
        for (const auto& s : Series)
            if (s && s->Error)
                return false;
        return true;
    }
};

// Reads count frames from first into each channel's block, which holds
// silence beyond them, decimates it and writes keep samples of it into the buffer.
void DecimateBlock(TWaveData& source, TBlocks& blocks, uint32_t first, uint32_t count, uint32_t keep)
{
    for (uint16_t c = 0; c < 2; ++c) {
        TSeriesData* series = blocks.Series[c].get();
        if (!series)
            continue;
        // Silence first: a short read must not leave the previous block's
        // samples in the filter's reach.
        series->Clear();
        source.ReadFrames(series->GetSamplePtr(0), first, count, c);
        series->Decimate();
        blocks.Buffer.WriteFrames(series->GetSamplePtr(0), 0, keep, c);
    }
}

}

bool TWaveDecimator::Run(TWaveData& source, uint16_t ratio, uint32_t filter, const TAppend& append,
                         const TProgress& progress)
{
    if (!TSeriesData::IsValidDecimationRatio(ratio))
        return false;
    const uint32_t block = ratio * FramesPerRatio;
    const uint32_t frames = source.GetFrameCount();
    const uint32_t blocks = frames / block;
    const uint32_t remainder = frames - blocks * block;
    TBlocks work(block, source.GetFormat(), ratio, filter);
    if (!work.Good())
        return false;
    const uint32_t length = work.Series[0]->GetLength();
    const uint32_t kept = work.Series[0]->GetDecimatedLength();

    source.Rewind();
    for (uint32_t i = 0; i < blocks; ++i) {
        if (progress)
            progress(i * 100 / blocks);
        const uint32_t first = i * block;
        const uint32_t count = frames - first < length ? block : length;
        DecimateBlock(source, work, first, count, kept);
        if (!append(work.Buffer, kept))
            return false;
    }
    if (remainder > ratio) {
        DecimateBlock(source, work, blocks * block, remainder, remainder / ratio);
        if (!append(work.Buffer, remainder / ratio))
            return false;
    }
    return true;
}
