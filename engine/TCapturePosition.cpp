#include "engine/TCapturePosition.h"

#include <algorithm>

TCapturePosition::TTiming TCapturePosition::Timing;

void TCapturePosition::Reset()
{
    Started = false;
    LastRaw = 0;
    Extended = 0;
}

void TCapturePosition::ForgetPositions()
{
    Timing.Previous = 0;
    Timing.Last = 0;
    Timing.Repeats = 0;
}

uint64_t TCapturePosition::Extend(uint32_t raw)
{
    if (!Started) {
        Started = true;
        Extended = raw;
    } else {
        // Unsigned difference: a count that wrapped past 2^32 still moves forward.
        const uint32_t step = raw - LastRaw;
        if (step <= 0x80000000u)
            Extended += step;
        else
            Extended -= std::min<uint64_t>(Extended, static_cast<uint32_t>(LastRaw - raw));
    }
    LastRaw = raw;
    return Extended;
}

uint64_t TCapturePosition::Estimate(uint64_t position, uint32_t now, uint32_t bytesPerSecond)
{
    TTiming& t = Timing;
    if (t.MeanMs <= 0.0f)
        t.MeanMs = 7.0f;
    if (t.CallCount >= 100) {
        t.MeanMs = std::min(static_cast<float>(now - t.ResetTick) / static_cast<float>(t.CallCount), 100.0f);
        t.CallCount = 0;
        t.ResetTick = now;
    }
    ++t.CallCount;

    uint64_t elapsedMs = 0;
    if (position == t.Last) {
        ++t.Repeats;
        elapsedMs = static_cast<uint64_t>(static_cast<float>(t.Repeats) * t.MeanMs);
    } else {
        t.Previous = t.Last;
        t.Last = position;
        t.Repeats = 0;
    }
    return std::min(t.Previous + elapsedMs * bytesPerSecond / 1000, t.Last);
}
