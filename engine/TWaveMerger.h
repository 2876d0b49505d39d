#pragma once
#include <cstdint>
#include <functional>
#include "engine/TWaveFormat.h"

class TWaveData;

// Two mono waves of one rate and width as the left and right channels of a
// stereo wave, in blocks of BlockFrames frames, as long as the shorter one.
class TWaveMerger {
public:
    static constexpr uint32_t BlockFrames = 16384;

    enum class TCheck { Fits, NotMono, RatesDiffer, WidthsDiffer };
    enum class TResult { Done, AppendFailed, NoMemory };
    // Frames [0, count) of the stereo block; false when they were not taken.
    using TAppend = std::function<bool(const TWaveData& block, uint32_t count)>;
    // Called after each whole block with its index and the block count;
    // false skips the remaining whole blocks (the last partial one still follows).
    using TStep = std::function<bool(uint32_t index, uint32_t blocks)>;

    static TCheck Check(const TWaveFormat& left, const TWaveFormat& right);
    static TWaveFormat StereoFormat(const TWaveFormat& mono);
    static TResult Run(TWaveData& left, TWaveData& right, const TAppend& append, const TStep& step);
};
