#include "views/TSpectrogramControls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"

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
        return ampScaleType == DisplaySettingsStruct::DecibelAmplitude ? "dB" : "%";
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
