#pragma once
#include <cstdint>
#include <vector>

#include "engine/FilterSettings.h"
#include "engine/TBlockConvolver.h"
#include "engine/TWaveFormat.h"

class TWaveData;

// A linear-phase FIR filter with an overall gain: windowed-sinc low pass,
// high pass, band pass and notch, or a response read from a file. It filters
// a wave in place block by block, carrying the last inputs of each block
// into the next so that the blocks join without a seam; the output is
// delayed by (taps + 1) / 2 frames. The convolution runs by FFT; its result
// differs from the direct sum by the transform's rounding only.
class TWaveFilter {
public:
    static constexpr int32_t MinTaps = 39;
    static constexpr int32_t MaxTaps = 999;
    static constexpr float MaxGainDB = 90.0f;
    static constexpr uint32_t CustomFFTSize = 4096;

    // Taps are held to MinTaps .. MaxTaps and made odd.
    TWaveFilter(TWaveFormat format, const FilterSettings& settings);

    // Held to +/- MaxGainDB.
    void SetGain(float dB);
    void ResetHistory();
    // 1 when the filter has coefficients to run; a custom response that
    // cannot be read leaves it without.
    int Design();
    // Filters frames [start, start + frames) of the chosen channels of wave
    // in place (never the right channel of mono data). 0 when the filter has
    // no coefficients, there is no wave or its width differs from the
    // filter's, or a read or write fails.
    int Filter(TWaveData* wave, uint32_t start, uint32_t frames, uint32_t filterLeft, uint32_t filterRight);

    int32_t GetTaps() const { return Taps; }
    const float* GetCoefficients() const { return Coefficients.data(); }
    bool HasCoefficients() const { return Designed; }
    float GetGainDB() const { return GainDB; }
    double GetLinearGain() const { return LinearGain; }

private:
    struct ChannelBlocks {
        // History, then the block's samples centred on silence.
        std::vector<float> Work;
        std::vector<float> History;
    };

    void DesignWindowedSinc();
    bool DesignCustom();
    bool PrepareBlocks(uint32_t frames, uint32_t frameBytes);
    // Filters one channel of the block in Frames in place.
    bool FilterChannel(uint32_t frames, uint32_t frameBytes, uint16_t channel);

    TWaveFormat Format;
    FilterSettings Settings;
    int32_t Taps;
    float GainDB = 0.0f;
    double LinearGain = 1.0;
    std::vector<float> Coefficients;
    bool Designed = false;
    TBlockConvolver Convolver;
    std::vector<float> Output;
    // The block's frames as the wave stores them, read and written back whole.
    std::vector<uint8_t> Frames;
    ChannelBlocks Channels[2];
    uint32_t BlockFrames = 0;
    uint32_t BlockFrameBytes = 0;
};
