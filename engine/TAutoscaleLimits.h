#pragma once
#include <cstdint>

// The display limits a view takes when the user asks it to autoscale,
// rounded to a grid of the span (dB) or to a power of ten (linear).
class TAutoscaleLimits {
public:
    // From the largest and smallest value shown; false when they span
    // nothing. On a linear scale (0) only top is written; a scale other than
    // 0 or 1 writes nothing and answers true.
    static bool Spectrum(float largest, float smallest, uint16_t ampScaleType, float& top, float& bottom);
};
