#pragma once
#include <cstdint>

// Where the blocks of an analysis over a marked segment of the wave lie and
// how many there are: pure arithmetic over seconds and frames, shared by the
// average spectrum, the spectrogram and surface fills and the Leq of a
// segment.
class TSegmentLayout {
public:
    // Frames of the fixed block the Leq of a segment reads.
    static constexpr uint32_t LeqBlockFrames = 8192;

    // Moves start and end back by halfBlock seconds (half a block, so each
    // block is centred on the time it stands for), not below 0. False when
    // nothing is left to analyse.
    static bool Centre(float& start, float& end, float halfBlock);
    // Blocks of the average spectrum over frames of the segment: one per
    // hop of decimated samples, at least one.
    static uint32_t AverageCount(uint32_t frames, uint16_t decimationRatio, uint32_t hopSize);
    // Frames between the lines of a spectrogram or surface filled from
    // frames of the segment: at least one. raised tells the caller the
    // segment is shorter than one frame per line.
    static uint32_t LineStep(uint32_t frames, uint32_t lines, bool& raised);
    // The spectrogram line the i-th block read goes to: the earliest block
    // at the top when the image scrolls, at line 0 when it wraps.
    static int SpectrogramLine(int i, int lines, uint16_t displayMode);
    // The Leq of a segment steps a tenth of a second; at least one step.
    static uint32_t LeqStep(uint32_t sampleRate, uint32_t frames);
    static uint32_t LeqCount(uint32_t frames, uint32_t step);
    // Gauge value after done of total blocks.
    static uint32_t Percent(uint32_t done, uint32_t total);
};
