// Rounding of autoscaled display limits.
#include "engine/TAutoscaleLimits.h"

#include <cmath>
#include "engine/DisplaySettingsStruct.h"

bool TAutoscaleLimits::Spectrum(float largest, float smallest, uint16_t ampScaleType, float& top, float& bottom)
{
    double max = largest, min = smallest;
    if (ampScaleType == DisplaySettingsStruct::DecibelAmplitude) {
        if (max > 300.0) max = 300.0;
        if (min < -300.0) min = -300.0;
        const double span = max - min;
        if (!(span > 1e-6))
            return false;
        double grid = 10.0;
        if (span <= 0.1) grid = 0.01;
        else if (span <= 1.0) grid = 0.1;
        else if (span <= 10.0) grid = 1.0;
        else if (span <= 20.0) grid = 5.0;
        double t = std::trunc(max / grid) * grid;
        double b = std::trunc(min / grid) * grid;
        if (max > 0.0) t += grid;
        if (min < 0.0) b -= grid;
        if (span < grid / 4.0) {
            t += 4.0 * grid;
            b -= 4.0 * grid;
        }
        top = float(t);
        bottom = float(b);
        return true;
    }
    if (ampScaleType == DisplaySettingsStruct::LinearAmplitude) {
        if (max > 1e9) max = 1e9;
        if (min < 0.0) min = 0.0;
        if (!(max - min > 1e-6))
            return false;
        const double p = max > 1e-8 ? std::pow(10.0, std::trunc(std::log10(max))) : 1.0;
        double t = std::trunc(max / p + 1.0) * p;
        if (t <= 1e-7) t = 1.0;
        top = float(t);
    }
    return true;
}

void TAutoscaleLimits::TimeSeries(float value, uint16_t ampScaleType, float& top, float& bottom)
{
    if (ampScaleType == DisplaySettingsStruct::DecibelAmplitude) {
        const double level = value;
        double t = std::trunc(level / 10.0) * 10.0;
        if (level > 0.0) t += 10.0;
        top = float(t);
        bottom = float(t - 100.0);
        return;
    }
    if (ampScaleType == DisplaySettingsStruct::LinearAmplitude) {
        const double peak = value;
        const double p = peak > 0.0 ? std::pow(10.0, std::trunc(std::log10(peak))) : 1.0;
        double t = std::trunc(peak / p + 1.0) * p;
        if (t == 0.0) t = 1.0;
        top = float(t);
    }
}
