#include "engine/TSegmentLayout.h"

#include <algorithm>

bool TSegmentLayout::Centre(float& start, float& end, float halfBlock)
{
    start = std::max(start - halfBlock, 0.0f);
    end = std::max(end - halfBlock, 0.0f);
    return end - start > 0.0f;
}

uint32_t TSegmentLayout::AverageCount(uint32_t frames, uint16_t decimationRatio, uint32_t hopSize)
{
    const uint32_t count = frames / std::max<uint32_t>(decimationRatio, 1) / std::max<uint32_t>(hopSize, 1);
    return std::max<uint32_t>(count, 1);
}

uint32_t TSegmentLayout::LineStep(uint32_t frames, uint32_t lines, bool& raised)
{
    const uint32_t step = std::max<uint32_t>(frames, 1) / std::max<uint32_t>(lines, 1);
    raised = step == 0;
    return std::max<uint32_t>(step, 1);
}

int TSegmentLayout::SpectrogramLine(int i, int lines, uint16_t displayMode)
{
    if (displayMode == 0)
        return lines - 1 - i;
    return displayMode == 1 ? i : 0;
}

uint32_t TSegmentLayout::LeqStep(uint32_t sampleRate, uint32_t frames)
{
    uint32_t step = sampleRate / 10;
    if (step == 0)
        step = frames / 10;
    return std::max<uint32_t>(step, 1);
}

uint32_t TSegmentLayout::LeqCount(uint32_t frames, uint32_t step)
{
    return std::max<uint32_t>(frames / std::max<uint32_t>(step, 1), 1);
}

uint32_t TSegmentLayout::Percent(uint32_t done, uint32_t total)
{
    return total ? uint32_t(uint64_t(done) * 100 / total) : 0;
}
