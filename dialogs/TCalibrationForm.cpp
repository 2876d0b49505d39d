#include "dialogs/TCalibrationForm.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include "dialogs/TFieldText.h"
#include "engine/CalibrationStruct.h"
#include "engine/TCalibrationLevel.h"

const TCalibrationForm::TChoice TCalibrationForm::Units[UnitCount] = {
    {"Volts", UnitVolts}, {"Millivolts", UnitMillivolts}, {"dBV", UnitDbv}, {"dBmV", UnitDbmv}, {"dBu", UnitDbu},
    {"SPL dB (in air)", UnitSplAir}, {"SPL dB (in water)", UnitSplWater}, {"Pascals (in air)", UnitPascalsAir},
    {"Pascals (in water)", UnitPascalsWater}, {"Pressure (psi)", UnitPsi}, {"Acceleration (G)", UnitAcceleration},
    {"Custom", UnitCustom},
};

const TCalibrationForm::TChoice TCalibrationForm::Conversions[ConversionCount] = {
    {"None", 0}, {"Velocity (ft/sec)", 1}, {"Velocity (in/sec)", 2}, {"Velocity (mils/sec)", 7},
    {"Velocity (mm/sec)", 3}, {"Displacement (ft)", 4}, {"Displacement (in)", 5}, {"Displacement (mils)", 8},
    {"Displacement (mm)", 6},
};

const char* const TCalibrationForm::LevelTypes[LevelTypeCount] = {"peak", "rms", "peak to peak"};

namespace {

// The labels of the units that are no acceleration: linear and log quantity,
// each followed by the display type.
struct TUnitLabels {
    uint32_t Unit;
    const char* Linear;
    const char* Log;
};
constexpr TUnitLabels UnitLabels[] = {
    {UnitVolts, "Volts", "dBV"}, {UnitDbv, "Volts", "dBV"},
    {UnitMillivolts, "Millivolts", "dBmV"}, {UnitDbmv, "Millivolts", "dBmV"},
    {UnitSplAir, "Pascals", "SPL (dB re 20uPA)"}, {UnitPascalsAir, "Pascals", "SPL (dB re 20uPA)"},
    {UnitSplWater, "Pascals", "SPL (dB re 1uPA)"}, {UnitPascalsWater, "Pascals", "SPL (dB re 1uPA)"},
    {UnitDbu, "Volts", "dBu"}, {UnitPsi, "Pressure (psi)", "Pressure (psi dB)"},
};

// The quantity an acceleration shows, by conversion code.
constexpr const char* AccelerationQuantities[] = {
    "Acceleration (G)", "Velocity (ft/sec)", "Velocity (in/sec)", "Velocity (mm/sec)", "Displacement (ft)",
    "Displacement (in)", "Displacement (mm)", "Velocity (mils/sec)", "Displacement (mils)",
};

constexpr const char* TypeSuffixes[] = {" peak", " rms", " p-p"};

// The quantity with " dB" before its closing parenthesis.
std::string LogQuantity(const std::string& quantity)
{
    const size_t close = quantity.rfind(')');
    return close == std::string::npos ? quantity + " dB" : quantity.substr(0, close) + " dB" + quantity.substr(close);
}

std::string Formatted(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%6.4f", value);
    return text;
}

// Text into a fixed field, cut to fit with its terminating zero.
template <size_t N> void CopyText(const std::string& text, char (&field)[N])
{
    const size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

template <size_t N> std::string TextOf(const char (&field)[N]) { return std::string(field, strnlen(field, N)); }

}

bool TCalibrationForm::HasConversions(uint32_t unit) { return unit == UnitAcceleration; }

uint32_t TCalibrationForm::ConversionCodeAt(uint32_t unit, int index)
{
    if (!HasConversions(unit) || index < 0 || index >= ConversionCount) return NoConversion.Code;
    return Conversions[index].Code;
}

int TCalibrationForm::IndexOfCode(const TChoice* choices, int count, uint32_t code)
{
    for (int i = 0; i < count; ++i)
        if (choices[i].Code == code) return i;
    return -1;
}

uint32_t TCalibrationForm::IntegrationTypeOf(uint32_t conversion)
{
    switch (conversion) {
    case 1: case 2: case 3: case 7: return 1;
    case 4: case 5: case 6: case 8: return 2;
    default: return 0;
    }
}

TCalibrationForm::TLabels TCalibrationForm::LabelsOf(uint32_t unit, uint32_t conversion, int labelType)
{
    if (labelType < 0 || labelType >= LevelTypeCount || unit == UnitCustom) return {};
    const std::string suffix = TypeSuffixes[labelType];
    if (unit == UnitAcceleration) {
        const std::string quantity = conversion < std::size(AccelerationQuantities)
            ? AccelerationQuantities[conversion] : AccelerationQuantities[0];
        return {quantity + suffix, LogQuantity(quantity) + suffix};
    }
    for (const TUnitLabels& l : UnitLabels)
        if (l.Unit == unit) {
            // The psi quantity is written with a capital "Peak" in its linear label.
            const std::string linearSuffix = unit == UnitPsi && labelType == 0 ? " Peak" : suffix;
            return {l.Linear + linearSuffix, l.Log + suffix};
        }
    return {};
}

bool TCalibrationForm::Store(const TEntry& e, CalibrationChannel& c)
{
    const uint32_t unit = e.Unit >= 0 && e.Unit < UnitCount ? Units[e.Unit].Code : c.RefUnits;
    const double level = TFieldText::ToFloat(e.Level.substr(0, TFieldText::NumberLength));
    if (IsLinearCalibrationUnit(unit) && level < 0.0) return false;
    c.RefUnits = unit;
    c.RefLevel = float(level);
    if (e.LevelType >= 0 && e.LevelType < LevelTypeCount) c.RefType = e.LevelType;
    c.PctFullScale = float(TFieldText::ToFloat(e.Detected.substr(0, 79)) * 0.01);
    c.ConversionType = ConversionCodeAt(unit, e.Conversion);
    c.IntegrationType = IntegrationTypeOf(c.ConversionType);
    CopyText(e.LabelLinear, c.LabelLinear);
    CopyText(e.LabelLog, c.LabelLog);
    CopyText(e.Name, c.ChannelName);
    if (e.LabelType >= 0 && e.LabelType < LevelTypeCount) c.LabelType = uint32_t(e.LabelType);
    c.IsEnabled = e.Enabled ? 1 : 0;
    return true;
}

TCalibrationForm::TEntry TCalibrationForm::EntryOf(const CalibrationChannel& c)
{
    TEntry e;
    e.Unit = IndexOfCode(Units, UnitCount, c.RefUnits);
    e.Level = Formatted(c.RefLevel);
    e.LevelType = c.RefType >= 0 && c.RefType < LevelTypeCount ? c.RefType : -1;
    e.Conversion = HasConversions(c.RefUnits) ? IndexOfCode(Conversions, ConversionCount, c.ConversionType) : 0;
    e.LabelLinear = TextOf(c.LabelLinear);
    e.LabelLog = TextOf(c.LabelLog);
    e.LabelType = c.LabelType < uint32_t(LevelTypeCount) ? int(c.LabelType) : -1;
    e.Detected = Formatted(double(c.PctFullScale) * 100.0);
    e.Enabled = c.IsEnabled != 0;
    e.Name = TextOf(c.ChannelName);
    return e;
}

TCalibrationForm::TEntry TCalibrationForm::Defaults(const char* name)
{
    TEntry e;
    e.Unit = IndexOfCode(Units, UnitCount, UnitVolts);
    e.Level = "1.0";
    e.LevelType = 1;
    e.Conversion = 0;
    e.LabelType = 1;
    const TLabels labels = LabelsOf(UnitVolts, 0, 1);
    e.LabelLinear = labels.Linear;
    e.LabelLog = labels.Log;
    e.Detected = "50.0";
    e.Enabled = true;
    e.Name = name;
    return e;
}

bool TCalibrationForm::Overloads(float level) { return level >= TCalibrationLevel::Overload; }

bool TCalibrationForm::IsTooLow(float level) { return level < TCalibrationLevel::LowestLevel; }
