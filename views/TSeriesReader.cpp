#include "views/TSeriesReader.h"

#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"

TSeriesReader::TSeriesReader(TWaveData* wave, uint16_t channel, int rms)
    : Wave(wave), ChannelIndex(channel), Rms(rms)
{
}

TSeriesReader::TSeriesReader(const TSeriesData* block, uint16_t channel, int rms)
    : Block(block), ChannelIndex(channel), Rms(rms)
{
}

float TSeriesReader::FrameToTime(uint32_t frame) const
{
    if (Wave)
        return Wave->FrameToTime(frame);
    return Block ? Block->SamplesToTime(frame) : 0.0f;
}

uint32_t TSeriesReader::TimeToFrame(float seconds) const
{
    if (Wave)
        return Wave->TimeToFrame(seconds);
    return Block ? Block->TimeToSample(seconds) : 0;
}

float TSeriesReader::Sample(uint32_t frame) const
{
    if (Wave)
        return Wave->GetSample(frame, ChannelIndex, 1);
    return Block ? Block->GetSample(frame, 1) : 0.0f;
}

void TSeriesReader::MinMax(uint32_t from, uint32_t to, float& max, float& min) const
{
    max = min = 0.0f;
    if (Wave)
        Wave->GetMinMax(from, to, &max, &min, ChannelIndex, 1, Rms);
    else if (Block)
        Block->GetMinMax(from, to, &max, &min, 1, Rms);
}
