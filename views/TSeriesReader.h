#pragma once
#include <cstdint>

class TSeriesData;
class TWaveData;

// One channel of what the time series view shows, read the same way whether
// it comes from the wave data (the open file or recording) or from an
// analysis block: scaled samples, the extremes of a frame range and the
// conversions between frames and seconds of that source. A reader without
// data answers 0 everywhere.
class TSeriesReader {
public:
    TSeriesReader() = default;
    // channel 0 left, 1 right; rms makes MinMax give the RMS of the positive
    // and minus the RMS of the negative samples.
    TSeriesReader(TWaveData* wave, uint16_t channel, int rms);
    TSeriesReader(const TSeriesData* block, uint16_t channel, int rms);

    bool HasData() const { return Wave || Block; }
    uint16_t Channel() const { return ChannelIndex; }

    float FrameToTime(uint32_t frame) const;
    uint32_t TimeToFrame(float seconds) const;

    // The scaled sample of a frame; outside the data a silent sample, 0.
    float Sample(uint32_t frame) const;
    // Largest and smallest scaled sample of frames [from, to); 0 and 0
    // outside the data.
    void MinMax(uint32_t from, uint32_t to, float& max, float& min) const;

private:
    TWaveData* Wave = nullptr;
    const TSeriesData* Block = nullptr;
    uint16_t ChannelIndex = 0;
    int Rms = 0;
};
