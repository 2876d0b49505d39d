#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>
#include "engine/TWaveFormat.h"

// The 16-bit values another program pokes (time series and wave data), as
// the analysis format stores them: each value scaled from 16-bit full scale
// to the format's range and width. An odd last byte is no value.
class TPokedSamples {
public:
    TPokedSamples(const uint8_t* data, size_t bytes);

    size_t Count() const { return Values.size(); }
    // A 16-bit value in the format's range: full scale maps to full scale,
    // 0 to the format's silence.
    static int32_t ToFormat(int16_t value, const TWaveFormat& format);
    // 2 when the block holds exactly two interleaved channels of fftSize
    // values, else 1.
    static size_t Step(size_t count, uint32_t fftSize);

    // The analysis blocks of at most limit values: the left takes value i of
    // every step, the right (when wanted) value i + 1; past the block the
    // right takes silence. Nothing is read beyond the poked values.
    void Spread(uint32_t fftSize, uint32_t limit, const TWaveFormat& format, std::vector<int32_t>& left,
                std::vector<int32_t>* right) const;
    // Whole frames of the format's channel count, as its bytes (interleaved,
    // little-endian, 8-bit unsigned).
    uint32_t FrameCount(const TWaveFormat& format) const;
    std::vector<uint8_t> Frames(const TWaveFormat& format) const;

private:
    std::vector<int16_t> Values;
};
