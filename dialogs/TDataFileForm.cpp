#include "dialogs/TDataFileForm.h"

#include "dialogs/TFieldText.h"
#include "engine/CalibrationStruct.h"
#include "engine/TDataImport.h"
#include "resources/StringIds.h"

const std::vector<TDataFileForm::TUnits>& TDataFileForm::UnitsList()
{
    static const std::vector<TUnits> list = {
        {UnitVolts, "Volts", "Volts", "dBV"},
        {UnitMillivolts, "Millivolts", "Millivolts", "dBmV"},
        {UnitPascalsAir, "Pascals (in air)", "Pascals", "SPL (dB ref 20uPA)"},
        {UnitPascalsWater, "Pascals (in water)", "Pascals", "SPL (dB ref 1uPA)"},
        {UnitAcceleration, "Acceleration (G)", "Acceleration (G)", "Acceleration (G dB)"},
        {UnitCustom, "Custom", "", ""},
    };
    return list;
}

int TDataFileForm::UnitsIndex(uint16_t code)
{
    const auto& list = UnitsList();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].Code == code)
            return int(i);
    return -1;
}

const char* TDataFileForm::LinearLabel(uint16_t code)
{
    const int i = UnitsIndex(code);
    return i < 0 ? "" : UnitsList()[size_t(i)].LinearLabel;
}

const char* TDataFileForm::LogLabel(uint16_t code)
{
    const int i = UnitsIndex(code);
    return i < 0 ? "" : UnitsList()[size_t(i)].LogLabel;
}

const char* TDataFileForm::HeaderUnit(uint16_t sourceType)
{
    return sourceType <= TDataImport::AsciiFloat ? "Lines (ASCII file)" : "Bytes (binary file)";
}

std::string TDataFileForm::CheckRate(const std::string& text, uint32_t& rate)
{
    const int32_t typed = TFieldText::ToInt(text);
    if (typed <= 0)
        return IDS_IMPORT_RATE_ZERO_TEXT;
    rate = uint32_t(typed);
    return {};
}

std::string TDataFileForm::CheckHeaderSize(const std::string& text, bool headerPresent, int32_t& size)
{
    const int32_t typed = TFieldText::ToInt(text);
    if (typed < 0 && headerPresent)
        return "Header Size cannot be less than zero";
    size = typed;
    return {};
}
