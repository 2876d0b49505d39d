#pragma once
#include <cstdint>

// PCM format of a block of samples, passed by value. The extreme and silence
// values follow from the sample width and fix the program's full scale:
// (MaxValue - MinValue) / 2.
class TWaveFormat {
public:
    uint16_t NumChannels = 1;
    uint32_t SamplingRate = 44100;
    uint16_t BytesPerSample = 2;
    uint16_t BitsPerSample = 16;
    int32_t MaxValue = 32767;
    int32_t MinValue = -32767;
    int32_t SilenceValue = 0;

    TWaveFormat(uint32_t samplingRate = 44100, uint16_t numChannels = 1, uint16_t bytesPerSample = 2);

    // The sampling rates the program takes from a file, a setting or a
    // command, and the lowest it writes; the sound interfaces fail on rates
    // far outside them.
    static constexpr uint32_t MinSamplingRate = 1000;
    static constexpr uint32_t MaxSamplingRate = 768000;
    static bool IsValidRate(uint32_t samplingRate)
    {
        return samplingRate >= MinSamplingRate && samplingRate <= MaxSamplingRate;
    }
    static bool IsValidChannels(uint16_t numChannels) { return numChannels == 1 || numChannels == 2; }
    static bool IsValidWidth(uint16_t bytesPerSample) { return bytesPerSample >= 1 && bytesPerSample <= 4; }
    static bool IsValid(uint32_t samplingRate, uint16_t numChannels, uint16_t bytesPerSample)
    {
        return IsValidRate(samplingRate) && IsValidChannels(numChannels) && IsValidWidth(bytesPerSample);
    }

    // A rate of 0 falls back to 44100 Hz, other channel counts to mono and
    // other widths to 2 bytes. Other rates are stored as given: callers check
    // outside input with IsValidRate first, and a decimated wave may go below it.
    void Set(uint32_t samplingRate, uint16_t numChannels, uint16_t bytesPerSample);

    // Channels, rate and width only; the derived values follow from these.
    bool IsEqual(TWaveFormat other) const;

    double FullScale() const { return (static_cast<double>(MaxValue) - MinValue) / 2.0; }
    uint32_t BytesPerFrame() const { return static_cast<uint32_t>(BytesPerSample) * NumChannels; }

    // 24-bit two's complement of a signed value, in the low three bytes.
    static int32_t Pack24(int32_t value);
};

// Sign of a three-byte sample read into the low 24 bits of a word.
int32_t SignExtend24(int32_t raw);
