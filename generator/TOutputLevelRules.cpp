#include "generator/TOutputLevelRules.h"

#include <cmath>
#include <cstdio>

const TOutputLevelRules::TUnit TOutputLevelRules::Units[OutputUnitCount] = {
    {"dB Full Scale", 0.0f, -96.0f, "0.0"},
    {"Percent Full Scale", 100.0f, 0.0f, "100.0"},
    {"Volts rms", 100.0f, 0.0f, "1.0"},
    {"Millivolts rms", 100000.0f, 0.0f, "100.0"},
    {"dBV rms", 100.0f, 0.0f, "0.0"},
    {"dBmV rms", 1000.0f, 0.0f, "0.0"},
    {"dBu rms", 1000.0f, 0.0f, "0.0"},
};

const TOutputLevelRules::TPreset TOutputLevelRules::Presets[PresetCount] = {
    {"ST Sound Buster - (Max Volume Wave & Master)", "0.647"},
    {"DAL CardD - Jumper Setting 1 (+4dB)", "4.945"},
    {"DAL CardD - Jumper Setting 2 (CD) - default", "2.13"},
    {"DAL CardD - Jumper Setting 2 (-10dB)", "1.255"},
    {"Turtle Beach Tahiti/Monterey - Max Volume", "1.391"},
    {"AudioTrix Pro - Max Volume", "1.608"},
    {"Sound Blaster 16 AWE32 - Max Volume (line out)", "1.06"},
    {"Sound Blaster 16 AWE32 - Max Volume (speaker out)", "3.84"},
};

namespace {

std::string LevelMessage(float level, uint16_t units, double fs)
{
    char text[160] = "";
    // The top of the logarithmic units: the level of a full-scale sine.
    double top = 0.0;
    const char* unit = "";
    switch (units) {
    case DbFullScaleUnits:
        return level >= -96.0f && level <= 0.0f ? "" : "Output Level must be between 0.0 and -96 dB";
    case PercentFullScaleUnits:
        return level > 0.0f && level <= 100.0f ? "" : "Output Level must be between 0.0 and 100 percent";
    case VoltsUnits:
        if (level > 0.0f && level <= fs) return "";
        std::snprintf(text, sizeof text, "Output Level must be between 0.0 and %f volts", fs);
        return text;
    case MillivoltsUnits:
        if (level > 0.0f && level <= 1000.0 * fs) return "";
        std::snprintf(text, sizeof text, "Output Level must be between 0.0 and %f millivolts", 1000.0 * fs);
        return text;
    case DbvUnits: top = 20 * std::log10(fs), unit = "dBV"; break;
    case DbmvUnits: top = 20 * std::log10(1000.0 * fs), unit = "dBmV"; break;
    // 0 dBu is 0.775 V here as in the build, so a full scale of 0.775 V tops at 0 dBu.
    case DbuUnits: top = 20 * std::log10(fs / double(0.775f)), unit = "dBu"; break;
    default: return "Output Level has no unit";
    }
    if (level > top - 96.0 && level <= top) return "";
    std::snprintf(text, sizeof text, "Output Level must be between %f and %f %s", top, top - 96.0, unit);
    return text;
}

}  // namespace

std::string TOutputLevelRules::Check(const OutputLevelStruct& level)
{
    if (!(level.FSLevel > 0.0f && std::isfinite(level.FSLevel)) && level.FSOption != FullScaleUnknown)
        return "Full Scale Level must be greater than 0.0 volts";
    std::string message = CheckLevel(level, 0);
    return message.empty() ? CheckLevel(level, 1) : message;
}

std::string TOutputLevelRules::CheckLevel(const OutputLevelStruct& level, int channel)
{
    // An unknown full scale is taken as one volt, as the build takes it.
    const double fs = level.FSLevel > 0.0f && std::isfinite(level.FSLevel) ? level.FSLevel : 1.0;
    return LevelMessage(channel == 0 ? level.OutputLevel : level.OutputLevelR, level.OutputUnits, fs);
}
