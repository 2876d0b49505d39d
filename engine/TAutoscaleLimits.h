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
    // The time series' limits from its peak: on the dB axis (1) value is the
    // peak's level, the top the next multiple of 10 and the bottom 100 dB
    // lower; on the linear axis (0) value is the peak itself and only top is
    // written, the peak rounded up to its leading digit.
    static void TimeSeries(float value, uint16_t ampScaleType, float& top, float& bottom);
};
