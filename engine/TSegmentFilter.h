#pragma once
#include <cstdint>
#include <functional>

class TWaveData;
class TWaveFilter;

// Runs a filter over frames of a wave in one-second blocks (a segment
// shorter than a second as one block), so that a long recording is filtered
// with bounded memory and can be cancelled between blocks.
class TSegmentFilter {
public:
    using TProgress = std::function<void(uint32_t percent)>;
    // Asked after each whole block; true cancels.
    using TCancelled = std::function<bool()>;

    // False when cancelled. A block whose read fails is left as it was and
    // the run goes on.
    static bool Run(TWaveFilter& filter, TWaveData& wave, uint32_t first, uint32_t frames, uint32_t left,
                    uint32_t right, const TProgress& progress, const TCancelled& cancelled);
};
