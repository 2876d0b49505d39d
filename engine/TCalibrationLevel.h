#pragma once
#include <cstdint>

struct CalibrationStruct;
class TWaveData;

// The level of a calibration tone: the strongest spectral line of a wave,
// as a fraction of full scale, averaged over flat-top windowed blocks after
// the wave's first second. 1.0 reports samples that touched full scale.
class TCalibrationLevel {
public:
    static constexpr uint32_t BlockSize = 8192;
    static constexpr uint32_t Step = BlockSize / 2;
    // Levels below this are too low to calibrate from.
    static constexpr float LowestLevel = 0.0001f;
    static constexpr float Overload = 1.0f;

    // Blocks a wave of that many frames yields; 0 or less means none (a
    // source shorter than rate + BlockSize / 2 * 4 frames).
    static int64_t BlockCount(uint32_t frames, uint32_t samplingRate);
    // Writes PctFullScale of the left (channel 0 or 2) and/or the right
    // (channel 1 or 2) block of record. A mono source reads its one channel
    // for both. Without blocks the level is 0.
    static void Measure(uint16_t channel, TWaveData& source, CalibrationStruct& record);
};
