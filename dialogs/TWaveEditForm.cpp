#include "dialogs/TWaveEditForm.h"

#include <cstdio>
#include "dialogs/TFieldText.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveFormat.h"
#include "resources/StringIds.h"

std::string TWaveEditForm::CheckRatio(const std::string& text, uint16_t& ratio)
{
    const int32_t typed = TFieldText::ToInt(text);
    if (typed < 1 || typed > TSeriesData::MaxDecimationRatio) {
        char message[96];
        std::snprintf(message, sizeof message, IDS_DECIMATION_RANGE_TEXT, int(TSeriesData::MaxDecimationRatio));
        return message;
    }
    ratio = uint16_t(typed);
    return {};
}

std::string TWaveEditForm::CheckDecimatedRate(uint32_t oldRate, uint16_t ratio)
{
    const uint32_t rate = oldRate / (ratio ? ratio : 1u);
    if (rate >= TWaveFormat::MinSamplingRate)
        return {};
    char message[160];
    std::snprintf(message, sizeof message,
                  "A Decimation Ratio of %u would give %u Hz: the lowest sampling rate is %u Hz.", unsigned(ratio),
                  unsigned(rate), unsigned(TWaveFormat::MinSamplingRate));
    return message;
}

std::string TWaveEditForm::CheckGains(double left, double right)
{
    for (double gain : {left, right})
        if (gain < MinGainDb || gain > MaxGainDb) {
            char message[96];
            std::snprintf(message, sizeof message, "Gain must be between %ld and %ld dB", long(MinGainDb),
                          long(MaxGainDb));
            return message;
        }
    return {};
}

std::string TWaveEditForm::CheckOffsets(double left, double right)
{
    for (double offset : {left, right})
        if (offset < -MaxOffset || offset > MaxOffset) {
            char message[96];
            std::snprintf(message, sizeof message, "DC Offset must be between %ld and %ld ", long(-MaxOffset),
                          long(MaxOffset));
            return message;
        }
    return {};
}

uint32_t TWaveEditForm::NewRate(uint32_t oldRate, const std::string& ratioText)
{
    const int32_t ratio = TFieldText::ToInt(ratioText);
    if (ratio < 1 || ratio > TSeriesData::MaxDecimationRatio)
        return oldRate;
    return oldRate / uint32_t(ratio);
}

std::string TWaveEditForm::OffsetUnitText(const CalibrationChannel& left)
{
    const char* unit = "Percent Full Scale";
    if (left.IsEnabled) {
        switch (left.RefUnits) {
        case UnitVolts: case UnitDbv: case UnitDbu: unit = "Volts"; break;
        case UnitMillivolts: case UnitDbmv: unit = "Millivolts"; break;
        case UnitAcceleration: unit = "Acceleration"; break;
        case UnitPsi: unit = "Pressure (psi)"; break;
        case UnitSplAir: case UnitPascalsAir: case UnitSplWater: case UnitPascalsWater: unit = "Pascals"; break;
        default: break;
        }
    }
    return std::string("Enter offset value in \"") + unit + "\"";
}
