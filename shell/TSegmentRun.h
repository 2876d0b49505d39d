#pragma once
#include <cstdint>
#include <memory>

#include "engine/TWaveFormat.h"
#include "shell/TLongOperation.h"

class TMainWin;
class TSeriesData;
class TWaveData;

// One analysis over a marked segment of the open wave, from its set-up to
// its wind-up: the wait cursor, the gauge and the frame's caption of a long
// operation, the wave position kept and put back, the series blocks read at
// the wave position with the channel delays, and the look for a cancel
// after each block. Whatever was computed before a cancel stays.
class TSegmentRun {
public:
    TSegmentRun(TMainWin& main, TWaveData& wave, const char* caption);
    ~TSegmentRun();
    TSegmentRun(const TSegmentRun&) = delete;
    TSegmentRun& operator=(const TSegmentRun&) = delete;

    // One block of frames for each channel of format, each decimated by
    // ratio through its own low-pass when lowPass is 1; delays[k] frames
    // move channel k's reads back. False when a block could not be made.
    bool MakeBlocks(const TWaveFormat& format, uint32_t frames, uint16_t ratio, uint32_t lowPass,
                    const uint32_t delays[2]);
    // The blocks read from the wave position (frames before the wave's
    // start as silence) and decimated.
    void ReadBlocks();
    // Channel k's block; the right one is null in mono.
    TSeriesData* Block(int channel) const { return Blocks[channel ? 1 : 0].get(); }

    // The gauge before block done of total.
    void Progress(uint32_t done, uint32_t total);
    // Esc cancels: the first key message waiting is taken from the queue, so
    // a letter key is swallowed. A press of the left button cancels too and
    // stays in the queue for its window.
    static bool Cancelled();

private:
    TLongOperation Operation;
    TWaveData& Wave;
    uint32_t Position;
    uint32_t Delays[2] = {0, 0};
    uint32_t Shown = UINT32_MAX;
    std::unique_ptr<TSeriesData> Blocks[2];
};
