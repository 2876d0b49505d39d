#include "dialogs/TDataFileForm.h"

#include <cstdio>

#include "dialogs/TFieldText.h"
#include "dialogs/TWaveEditForm.h"
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

namespace {

std::string Formatted(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

TDataFileForm::TImportFields TDataFileForm::FieldsOf(const ImportOptions& o)
{
    TImportFields f;
    f.SourceType = o.SourceType;
    f.Rate = std::to_string(o.SamplingRate);
    f.ChannelIndex = o.Channels - 1;
    f.PrecisionIndex = o.BytesPerSample - 1;
    f.Header = o.HeaderPresent ? 1 : 0;
    f.HeaderSize = std::to_string(o.HeaderSize);
    f.Scaling = o.ScalingOption;
    f.DataValue = Formatted("%6.4f", o.DataValue);
    f.EqualsValue = Formatted("%6.4f", o.EqualsValue);
    f.UnitsIndex = UnitsIndex(o.Units);
    std::snprintf(f.LinearLabel, sizeof f.LinearLabel, "%s", o.LinearLabel);
    std::snprintf(f.LogLabel, sizeof f.LogLabel, "%s", o.LogLabel);
    return f;
}

std::string TDataFileForm::Store(const TImportFields& f, ImportOptions& o)
{
    if (f.SourceType >= TDataImport::AsciiInteger && f.SourceType <= TDataImport::BinaryFloat)
        o.SourceType = uint16_t(f.SourceType);
    if (std::string refusal = CheckRate(f.Rate, o.SamplingRate); !refusal.empty())
        return refusal;
    if (f.ChannelIndex == 0 || f.ChannelIndex == 1)
        o.Channels = uint16_t(f.ChannelIndex + 1);
    if (f.PrecisionIndex >= 0 && f.PrecisionIndex <= 2)
        o.BytesPerSample = uint16_t(f.PrecisionIndex + 1);
    o.HeaderPresent = f.Header == 1 ? 1 : 0;
    if (std::string refusal = CheckHeaderSize(f.HeaderSize, o.HeaderPresent != 0, o.HeaderSize); !refusal.empty())
        return refusal;
    if (f.Scaling >= TDataImport::Truncate && f.Scaling <= TDataImport::DefinedValues)
        o.ScalingOption = uint16_t(f.Scaling);
    o.DataValue = float(TFieldText::ToFloat(f.DataValue));
    o.EqualsValue = float(TFieldText::ToFloat(f.EqualsValue));
    if (f.UnitsIndex >= 0 && size_t(f.UnitsIndex) < UnitsList().size())
        o.Units = UnitsList()[size_t(f.UnitsIndex)].Code;
    std::snprintf(o.LinearLabel, sizeof o.LinearLabel, "%s", f.LinearLabel);
    std::snprintf(o.LogLabel, sizeof o.LogLabel, "%s", f.LogLabel);
    return {};
}

TDataFileForm::TExportFields TDataFileForm::FieldsOf(const ExportOptions& o)
{
    TExportFields f;
    f.Format = o.Format;
    f.Left = o.Left ? 1 : 0;
    f.Right = o.Right ? 1 : 0;
    f.Ratio = std::to_string(o.DecimationRatio);
    return f;
}

std::string TDataFileForm::Store(const TExportFields& f, uint16_t channels, ExportOptions& o)
{
    if (f.Format >= TDataImport::AsciiInteger && f.Format <= TDataImport::BinaryFloat)
        o.Format = uint16_t(f.Format);
    o.Left = channels == 2 ? uint32_t(f.Left != 0) : 1;
    o.Right = channels == 2 ? uint32_t(f.Right != 0) : 0;
    return TWaveEditForm::CheckRatio(f.Ratio, o.DecimationRatio);
}
