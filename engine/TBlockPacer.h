#pragma once
#include <cstdint>

// Spaces the analysis blocks of a live source (capture, or playback of a
// recording) one hop apart in the data, as Post Process steps through a file,
// so that averaging counts and peak-hold decay mean the same in every mode and
// on any machine. Blocks that fell due during a slow pass are worked off one by
// one, up to CatchUpHops of them; a source further ahead is caught up at once.
class TBlockPacer {
public:
    static constexpr uint32_t CatchUpHops = 4;
    // Forget the previous block: the next one is the first.
    void Reset() { Started = false; }
    // position: the frames the source has delivered by now. The first block
    // is due once position reaches first, each later one once it is a hop past
    // the previous block; due is then the frame the block is taken at.
    bool Due(uint64_t position, uint64_t first, uint32_t hop, uint64_t& due);

private:
    bool Started = false;
    uint64_t Next = 0;
};
