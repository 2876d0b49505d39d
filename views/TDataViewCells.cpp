#include "views/TDataViewCells.h"

#include <cstdio>

namespace {

std::string Formatted(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool TwoResults(uint16_t mode) { return mode == 2 || mode == 11 || mode == 12; }

}  // namespace

bool TDataViewCells::ShowsSecond(uint16_t channelProcessing, bool independent)
{
    return TwoResults(channelProcessing) && !independent;
}

std::array<std::string, 3> TDataViewCells::Header(const THeaderInput& in)
{
    const std::string axis = in.RpmAxis ? std::string(in.RpmLabel ? in.RpmLabel : "").substr(0, MaxAxisLabel) : "Hz";
    switch (in.Type) {
    case TimeSeries:
        return {in.RpmAxis ? "RPM" : "Milliseconds", "Value", in.RightChannel ? "Value" : ""};
    case Phase:
        return {axis, "degrees", "degrees"};
    default: {
        const std::string level = in.AmplitudeScale == 1 ? "dB" : "level";
        return {axis, in.ChannelProcessing == 10 ? "coherence" : level,
                in.ChannelProcessing == 11 || in.ChannelProcessing == 12 ? "coherence" : level};
    }
    }
}

std::string TDataViewCells::FrequencyText(float hertz)
{
    return Formatted("%3.4f", hertz);
}

std::string TDataViewCells::ValueText(Kind type, float value, uint16_t amplitudeScale)
{
    if (type == Phase) return Formatted("%3.4f", value);
    if (type == Spectral && amplitudeScale == 1) return Formatted("%3.2f", value);
    return Formatted("%3.6f", value);
}

std::string TDataViewCells::TimeText(double milliseconds)
{
    return Formatted("%3.6f", milliseconds);
}

std::string TDataViewCells::Caption(Kind type, bool independent, const char* sourceLabel)
{
    if (independent && sourceLabel) return sourceLabel;
    switch (type) {
    case TimeSeries: return "Time Series";
    case Phase: return "Phase Data";
    default: return "Spectral Data";
    }
}
