// Two mono waves merged into one stereo wave.
#include "engine/TWaveMerger.h"

#include <algorithm>
#include <new>
#include <vector>
#include "engine/TWaveData.h"

TWaveMerger::TCheck TWaveMerger::Check(const TWaveFormat& left, const TWaveFormat& right)
{
    if (left.NumChannels != 1 || right.NumChannels != 1)
        return TCheck::NotMono;
    if (left.SamplingRate != right.SamplingRate)
        return TCheck::RatesDiffer;
    if (left.BytesPerSample != right.BytesPerSample)
        return TCheck::WidthsDiffer;
    return TCheck::Fits;
}

TWaveFormat TWaveMerger::StereoFormat(const TWaveFormat& mono)
{
    return TWaveFormat(mono.SamplingRate, 2, mono.BytesPerSample);
}

namespace {

bool MergeBlock(TWaveData& left, TWaveData& right, TWaveData& stereo, uint32_t first, uint32_t count,
                std::vector<uint8_t>& samples, const TWaveMerger::TAppend& append)
{
    TWaveData* sources[] = {&left, &right};
    for (uint16_t c = 0; c < 2; ++c) {
        sources[c]->ReadFrames(samples.data(), first, count, 0);
        stereo.WriteFrames(samples.data(), 0, count, c);
    }
    return append(stereo, count);
}

}

TWaveMerger::TResult TWaveMerger::Run(TWaveData& left, TWaveData& right, const TAppend& append, const TStep& step)
{
    const uint32_t frames = std::min(left.GetFrameCount(), right.GetFrameCount());
    TWaveData stereo(BlockFrames, StereoFormat(left.GetFormat()));
    std::vector<uint8_t> samples;
    try {
        samples.resize(size_t(BlockFrames) * left.GetBytesPerSample());
    } catch (const std::bad_alloc&) {
        return TResult::NoMemory;
    }
    if (stereo.Error)
        return TResult::NoMemory;
    const uint32_t blocks = frames / BlockFrames;
    for (uint32_t i = 0; i < blocks; ++i) {
        if (!MergeBlock(left, right, stereo, i * BlockFrames, BlockFrames, samples, append))
            return TResult::AppendFailed;
        if (step && !step(i, blocks))
            break;
    }
    const uint32_t rest = frames - blocks * BlockFrames;
    if (rest > 0 && !MergeBlock(left, right, stereo, blocks * BlockFrames, rest, samples, append))
        return TResult::AppendFailed;
    return TResult::Done;
}
