#pragma once
#include <cstdint>
#include <functional>

#include "engine/TWaveFormat.h"

class TSeriesData;

// The block arithmetic of the time-series transforms: the envelope of a
// segment in 8192-sample blocks and a power-of-two tail, and the inverse
// transform's values as stored samples.
class TSegmentTransform {
public:
    static constexpr uint32_t EnvelopeBlock = 8192;
    static constexpr uint32_t SmallestTail = 32;

    // The smallest of 32, 64, ..., 8192 that is not below remainder.
    static uint32_t TailSize(uint32_t remainder);

    // Replaces samples 0 .. count - 1 of each block present by their envelope:
    // count / 8192 whole blocks, each followed by a call of afterBlock(k,
    // blocks) that answers false to cancel the rest, then the tail (also
    // after a cancel) transformed in the power-of-two span ending past it.
    // False when cancelled.
    static bool Envelope(TSeriesData* left, TSeriesData* right, uint32_t count,
                         const std::function<bool(uint32_t block, uint32_t blocks)>& afterBlock);

    // silence + value as a stored sample of the format: held to its range,
    // silence for a value that is not a number.
    static int32_t ToSample(const TWaveFormat& format, double value);
};
