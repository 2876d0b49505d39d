// Calibration files (".cal", profile text) and the main window's calibration
// operations over the record.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "resources/StringIds.h"

namespace {
const char* const Left = IDS_SECTION_CALIBRATION_TEXT;
const char* const Right = IDS_SECTION_CALIBRATIONR_TEXT;

// Numbers go through an 80-character buffer; text that is no number reads 0.
float ReadFloat(const char* section, const char* key, const char* fallback, const char* file)
{
    char text[80];
    ::GetPrivateProfileStringA(section, key, fallback, text, sizeof text, file);
    return float(std::strtod(text, nullptr));
}

int32_t ReadInt(const char* section, const char* key, const char* fallback, const char* file)
{
    char text[80];
    ::GetPrivateProfileStringA(section, key, fallback, text, sizeof text, file);
    return int32_t(std::strtol(text, nullptr, 10));
}

void ReadText(const char* section, const char* key, const char* fallback, char* field, DWORD size, const char* file)
{
    ::GetPrivateProfileStringA(section, key, fallback, field, size, file);
}

void WriteFloat(const char* section, const char* key, float value, const char* file)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", double(value));
    ::WritePrivateProfileStringA(section, key, text, file);
}

void WriteInt(const char* section, const char* key, long value, const char* file)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ld", value);
    ::WritePrivateProfileStringA(section, key, text, file);
}

// The eight keys both sections share.
void ReadChannel(const char* section, CalibrationChannel& c, const char* file)
{
    c.RefLevel = ReadFloat(section, "RefLevel", "1.0", file);
    c.RefUnits = uint32_t(ReadInt(section, "RefUnits", "0", file));
    c.RefType = ReadInt(section, "RefType", "1", file);
    c.ConversionType = uint32_t(ReadInt(section, "ConversionType", "0", file));
    c.IntegrationType = uint32_t(ReadInt(section, "IntegrationType", "0", file));
    ReadText(section, "LabelLinear", "Volts rms", c.LabelLinear, sizeof c.LabelLinear, file);
    ReadText(section, "LabelLog", "dBV rms", c.LabelLog, sizeof c.LabelLog, file);
    c.LabelType = uint32_t(ReadInt(section, "LabelType", "1", file));
}

void ReadRightOwn(const char* section, CalibrationChannel& c, const char* file)
{
    c.PctFullScale = ReadFloat(section, "PctFullScaleRight", "0.50", file);
    c.CalRatio = ReadFloat(section, "CalRatioRight", "1.0", file);
    ReadText(section, "RightChannelName", "Right", c.ChannelName, sizeof c.ChannelName, file);
}

void WriteChannel(const char* section, const CalibrationChannel& c, const char* file)
{
    WriteFloat(section, "RefLevel", c.RefLevel, file);
    WriteInt(section, "RefUnits", long(c.RefUnits), file);
    WriteInt(section, "RefType", long(c.RefType), file);
    WriteInt(section, "ConversionType", long(c.ConversionType), file);
    WriteInt(section, "IntegrationType", long(c.IntegrationType), file);
    ::WritePrivateProfileStringA(section, "LabelLinear", c.LabelLinear, file);
    ::WritePrivateProfileStringA(section, "LabelLog", c.LabelLog, file);
    WriteInt(section, "LabelType", long(c.LabelType), file);
}
}

void TMainWin::ReadCalibrationFile(const char* fileName, CalibrationStruct& record)
{
    if (!fileName || !*fileName) return;
    char name[PathSize];
    bool readable = ResolvePath(name, ConfiguredFolders[CalFolder], fileName);
    if (readable) {
        if (FILE* test = std::fopen(name, "rb")) std::fclose(test);
        else readable = false;
        if (!readable) {
            char text[PathSize + 96];
            std::snprintf(text, sizeof text,
                          "Failure opening calibration file: \"%s\".  Calibration will be disabled.", name);
            MessageBox(text, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        }
    }
    if (!readable) {
        record.Left.IsEnabled = 0;
        record.Right.IsEnabled = 0;
        return;
    }
    std::strcpy(record.Filename, name);
    ReadChannel(Left, record.Left, name);
    record.Left.PctFullScale = ReadFloat(Left, "PctFullScaleLeft", "0.50", name);
    record.Left.CalRatio = ReadFloat(Left, "CalRatioLeft", "1.0", name);
    ReadText(Left, "LeftChannelName", "Left", record.Left.ChannelName, sizeof record.Left.ChannelName, name);
    ReadChannel(Right, record.Right, name);
    ReadRightOwn(Right, record.Right, name);
    if (ReadInt(Right, "CalibrationStructTypeID", "0", name) != CurrentStructTypeId) {
        // The older files keep one section for both channels.
        record.Right = record.Left;
        ReadRightOwn(Left, record.Right, name);
    }
    ComputeCalibrationRatio(record);
    ApplySettings(RefreshRecomputeHistory);
}

void TMainWin::WriteCalibrationFile(const char* fileName, CalibrationStruct& record)
{
    if (!fileName || !*fileName) return;
    char name[PathSize];
    if (!ResolvePath(name, ConfiguredFolders[CalFolder], fileName)) return;
    std::strcpy(record.Filename, name);
    WriteChannel(Left, record.Left, name);
    WriteFloat(Left, "PctFullScaleLeft", record.Left.PctFullScale, name);
    WriteFloat(Left, "CalRatioLeft", record.Left.CalRatio, name);
    ::WritePrivateProfileStringA(Left, "LeftChannelName", record.Left.ChannelName, name);
    WriteChannel(Right, record.Right, name);
    WriteFloat(Right, "PctFullScaleRight", record.Right.PctFullScale, name);
    WriteFloat(Right, "CalRatioRight", record.Right.CalRatio, name);
    ::WritePrivateProfileStringA(Right, "RightChannelName", record.Right.ChannelName, name);
    WriteInt(Right, "CalibrationStructTypeID", CurrentStructTypeId, name);
}

void TMainWin::ComputeCalibrationRatio(CalibrationStruct& record)
{
    ::ComputeCalibrationRatio(record);
}

float TMainWin::LevelToDisplayUnits(uint16_t channel, float level)
{
    const CalibrationChannel* block = channel == 0 ? &Calibration.Left : channel == 1 ? &Calibration.Right : nullptr;
    return ::LevelToDisplayUnits(block, level);
}
