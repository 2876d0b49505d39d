#pragma once
#include <cmath>
#include <cstdint>

#include "engine/TWaveData.h"
#include "engine/TWaveFormat.h"

// Stores one channel's samples of a signal block at the block's width, 8 to
// 32 bits (32-bit samples span +/- 2^30). A value is rounded to the nearest
// step, halves upwards alike on both sides of silence, so a symmetric
// waveform keeps no offset; it is held within the width's range, so nothing
// wraps; a value that is no number stores silence. Channel 1 of a one-channel block is channel 0.
class TChannelWriter {
public:
    TChannelWriter(TWaveData& block, uint16_t channel)
        : Format(block.GetFormat()),
          Frames(block.GetFrameCount()),
          Width(Format.BytesPerSample),
          Stride(Format.BytesPerFrame()),
          Base(block.GetBuffer())
    {
        if (Base && channel == 1 && Format.NumChannels == 2) Base += Width;
    }

    uint32_t FrameCount() const { return Base ? Frames : 0; }
    const TWaveFormat& GetFormat() const { return Format; }
    int32_t Max() const { return Format.MaxValue; }
    int32_t Min() const { return Format.MinValue; }
    int32_t Silence() const { return Format.SilenceValue; }
    // Largest deviation from silence: max - silence.
    double Span() const { return double(Format.MaxValue) - Format.SilenceValue; }

    void Put(uint32_t frame, double value)
    {
        if (!Base || frame >= Frames) return;
        int32_t v = Format.SilenceValue;
        if (value == value) {
            value = std::floor(value + 0.5);
            v = value >= Format.MaxValue ? Format.MaxValue
                : value <= Format.MinValue ? Format.MinValue
                                           : int32_t(value);
        }
        uint8_t* p = Base + size_t(frame) * Stride;
        if (Width == 3) v = TWaveFormat::Pack24(v);
        const uint32_t u = uint32_t(v);
        for (uint16_t b = 0; b < Width; ++b) p[b] = uint8_t(u >> (8 * b));
    }

    void PutSilence(uint32_t frame) { Put(frame, Format.SilenceValue); }

    void FillSilence(uint32_t from = 0)
    {
        for (uint32_t j = from; j < FrameCount(); ++j) PutSilence(j);
    }

private:
    TWaveFormat Format;
    uint32_t Frames;
    uint16_t Width;
    uint32_t Stride;
    uint8_t* Base;
};
