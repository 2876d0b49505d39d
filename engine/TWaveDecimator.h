#pragma once
#include <cstdint>
#include <functional>

class TWaveData;

// A wave decimated by an integer ratio, block by block: each block of
// ratio x 1000 frames is read with the next block's first 39 frames, so the
// anti-alias low-pass runs on across the joins, and every ratio-th sample
// of it is kept. A remainder of more than ratio frames gives a last short
// block; a smaller one is dropped.
class TWaveDecimator {
public:
    static constexpr uint32_t FramesPerRatio = 1000;

    // Hands frames [0, count) of the block buffer (the source's format) on;
    // false stops the run.
    using TAppend = std::function<bool(const TWaveData& block, uint32_t count)>;
    using TProgress = std::function<void(uint32_t percent)>;

    // False when a block cannot be made or an append fails.
    static bool Run(TWaveData& source, uint16_t ratio, uint32_t filter, const TAppend& append,
                    const TProgress& progress);
};
