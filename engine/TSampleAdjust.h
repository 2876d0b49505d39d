#pragma once
#include <cstdint>
#include <functional>
#include "engine/TWaveFormat.h"

class TSeriesData;

// Gain and DC offset over the analysis blocks of one segment, sample by
// sample: each sample becomes gain x (sample - silence) + offset, put back
// around silence and rounded half up; the block holds results beyond the
// sample range at its limits.
class TSampleAdjust {
public:
    struct TChannel {
        TSeriesData* Block = nullptr;  // null: the channel is left alone
        double Gain = 1.0;
        double Offset = 0.0;
    };
    // Called before frame i; false stops the run there.
    using TStep = std::function<bool(uint32_t frame)>;

    // The analysis block reads and writes 1 to 3 bytes a sample only.
    static bool CanAdjust(uint16_t bytesPerSample) { return bytesPerSample >= 1 && bytesPerSample <= 3; }
    // 10 ^ (dB / 20), kept as a 32-bit float like the gain the edit stores.
    static float LinearGain(float dB);
    // An offset typed in percent of full scale, or in calibrated units when
    // the channel is calibrated with a non-zero ratio, as sample units.
    static float OffsetInSamples(float value, const TWaveFormat& format, uint32_t calibrated, float calRatio);
    // The frames done before step refused one (all of them when it never did).
    static uint32_t Run(TChannel left, TChannel right, uint32_t frames, int32_t silence, const TStep& step);
};
