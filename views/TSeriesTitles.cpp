#include "views/TSeriesTitles.h"

#include <cstring>

#include "engine/CalibrationStruct.h"
#include "resources/StringIds.h"
#include "views/TSeriesScale.h"

namespace {

bool Calibrated(const CalibrationChannel* c)
{
    return c && c->IsEnabled;
}

// A fixed-size text of the calibration record, to its terminator or its end.
std::string FieldText(const char* field, size_t size)
{
    return std::string(field, strnlen(field, size));
}

std::string NameOr(const CalibrationChannel* c, const char* word)
{
    return Calibrated(c) ? FieldText(c->ChannelName, sizeof c->ChannelName) : word;
}

}  // namespace

std::string TSeriesTitles::PaneTitle(uint16_t plotChannel, int pane, const CalibrationChannel* left,
                                     const CalibrationChannel* right)
{
    switch (plotChannel) {
    case LeftChannel: return NameOr(left, "Left Channel");
    case RightChannel: return NameOr(right, "Right Channel");
    case BothChannels: return pane == 2 ? NameOr(right, "Right Channel") : NameOr(left, "Left Channel");
    case LeftMinusRight: return NameOr(left, "Left") + " minus " + NameOr(right, "Right");
    case RightMinusLeft: return NameOr(right, "Right") + " minus " + NameOr(left, "Left");
    case LeftPlusRight: return NameOr(left, "Left") + " plus " + NameOr(right, "Right");
    case LeftVsRight: return NameOr(left, "Left") + " versus " + NameOr(right, "Right");
    case RightVsLeft: return NameOr(right, "Right") + " versus " + NameOr(left, "Left");
    default: return "";
    }
}

std::string TSeriesTitles::UnitLabel(const CalibrationChannel* channel, bool decibels)
{
    if (!Calibrated(channel))
        return decibels ? "dB" : IDS_UNIT_PERCENT_FULL_SCALE_TEXT;
    if (decibels) {
        switch (channel->RefUnits) {
        case UnitVolts:
        case UnitDbv: return "dBV";
        case UnitMillivolts:
        case UnitDbmv: return "dbmV";
        case UnitDbu: return "dBu";
        case UnitAcceleration: return "Acceleration (G dB)";
        case UnitPsi: return "Pressure (psi dB)";
        case UnitSplAir:
        case UnitPascalsAir: return "SPL (dB re 20uPA)";
        case UnitSplWater:
        case UnitPascalsWater: return "SPL (dB re 1uPA)";
        default: return FieldText(channel->LabelLog, sizeof channel->LabelLog);
        }
    }
    switch (channel->RefUnits) {
    case UnitVolts:
    case UnitDbv:
    case UnitDbu: return "Volts";
    case UnitMillivolts:
    case UnitDbmv: return "Millivolts";
    case UnitAcceleration: return "Acceleration (G)";
    case UnitPsi: return "Pressure (psi)";
    case UnitSplAir:
    case UnitPascalsAir:
    case UnitSplWater:
    case UnitPascalsWater: return "Pascals";
    default: return FieldText(channel->LabelLinear, sizeof channel->LabelLinear);
    }
}

std::string TSeriesTitles::TimeAxisTitle(uint16_t plotChannel, uint32_t source, float blockSpan, bool ddeLink,
                                         const CalibrationChannel* left)
{
    if (ddeLink)
        return "RPM";
    if (IsXYChannel(plotChannel))
        return UnitLabel(left, false);
    if (source == WaveSource || blockSpan >= 2.0f)
        return IDS_AXIS_TIME_SECONDS_TEXT;
    return IDS_AXIS_TIME_MILLISECONDS_TEXT;
}
