#include "views/TSpectrogramControls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "engine/CalibrationStruct.h"

namespace {

bool LogScale(float peak, float minimum, TSpectrogramControls::TScale& scale)
{
    const double max = std::min(double(peak), 300.0);
    const double min = std::max(double(minimum), -300.0);
    const double span = max - min;
    if (!(span > 0.000001))
        return false;
    double step = 10.0;
    if (span <= 0.1)
        step = 0.01;
    else if (span <= 1.0)
        step = 0.1;
    else if (span <= 10.0)
        step = 1.0;
    else if (span <= 20.0)
        step = 5.0;
    double top = std::trunc(max / step) * step;
    double bottom = std::trunc(min / step) * step;
    if (max > 0.0)
        top += step;
    if (min < 0.0)
        bottom -= step;
    if (span < step / 4) {
        top += 4 * step;
        bottom += 4 * step;
    }
    double range = top - bottom;
    if (range > 60.0)
        range -= 20.0;
    scale.Top = float(std::clamp(top, -300.0, 300.0));
    range = std::min(range, 100.0);
    scale.Range = float(range < 1.0 ? 10.0 : range);
    return true;
}

bool LinearScale(float peak, float minimum, TSpectrogramControls::TScale& scale)
{
    const double max = std::min(double(peak), 1e9);
    const double min = std::max(double(minimum), 0.0);
    if (!(max - min > 0.000001))
        return false;
    const double unit = max > 0.00000001 ? std::pow(10.0, std::trunc(std::log10(max))) : 1.0;
    const double top = std::trunc(max / unit + 1) * unit;
    scale.Top = float(top <= 0.0000001 ? 1.0 : top);
    return true;
}

}  // namespace

bool TSpectrogramControls::Autoscale(uint16_t ampScaleType, float peak, float minimum, float range, TScale& scale)
{
    scale.Range = range;
    return ampScaleType == 1 ? LogScale(peak, minimum, scale) : LinearScale(peak, minimum, scale);
}

TSpectrogramControls::TSpin TSpectrogramControls::LinearTopSpin(float value)
{
    static const double Limits[][2] = {{0.0001, 0.00001}, {0.0011, 0.0001}, {0.011, 0.001}, {0.11, 0.01},
                                       {1.1, 0.1},        {11.0, 1.0},       {110.0, 10.0}, {1100.0, 100.0}};
    double step = 1000.0;
    for (const auto& l : Limits)
        if (value <= l[0]) {
            step = l[1];
            break;
        }
    // Each test that holds overrides the one before.
    int precision = 0;
    if (step >= 100.0)
        precision = 1;
    if (step == 10.0)
        precision = 2;
    if (step <= 1.0)
        precision = 3;
    if (step <= 0.1)
        precision = 4;
    if (step <= 0.01)
        precision = 5;
    if (step <= 0.001)
        precision = 6;
    if (step <= 0.0001)
        precision = 7;
    return {float(step), precision};
}

std::string TSpectrogramControls::CursorText(uint16_t direction, float x, float y, float amplitude)
{
    const char* format = direction == 2 || direction == 3 ? "Freq=\t%5.4f\r\nTime=\t%5.4f\r\nAmp=\t%5.4f\r\n"
                                                          : "Time=\t%5.4f\r\nFreq=\t%5.4f\r\nAmp=\t%5.4f\r\n";
    const int size = std::snprintf(nullptr, 0, format, double(x), double(y), double(amplitude));
    if (size <= 0)
        return {};
    std::string text(size_t(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, double(x), double(y), double(amplitude));
    text.resize(size_t(size));
    return text;
}

std::string TSpectrogramControls::AnnotationUnit(const CalibrationChannel& calibration, const char* engineUnit,
                                                 uint16_t ampScaleType)
{
    if (!calibration.IsEnabled)
        return ampScaleType == 1 ? "dB" : "%";
    // Acceleration calibrations name their converted unit; a conversion
    // without a name keeps the engine's.
    static const char* const Converted[] = {"G", "ft/sec", "in/sec", nullptr, "ft", "mm", "mm", "mils/sec", "mils"};
    if (calibration.RefUnits == UnitAcceleration && calibration.ConversionType < std::size(Converted)
        && Converted[calibration.ConversionType])
        return Converted[calibration.ConversionType];
    return engineUnit ? engineUnit : "";
}

bool TLineInterval::Accept(bool enabled, float interval, float time)
{
    if (enabled && time < Last + interval) {
        if (time < Last)
            Last = 0.0f;
        return false;
    }
    Last = time;
    return true;
}

bool TOncePerSecond::Due(long long nowSeconds)
{
    if (nowSeconds == Last)
        return false;
    Last = nowSeconds;
    return true;
}
