// Calibration files (".cal", profile text) and the main window's calibration
// operations over the record.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstring>
#include <string>
#include "base/TSettingsTable.h"
#include "engine/TCalibrationFile.h"
#include "framework/TProfileFile.h"

namespace {
// Key texts of a .cal file through the profile functions; the parser cuts each
// to its field.
TCalibrationFile::TLookup ProfileLookup(const char* file)
{
    return [file](const char* section, const char* key, const char* fallback) {
        TProfileFile profile(file);
        return TSettingsTable::ReadText(profile, section, key, fallback, 512);
    };
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
    CalibrationStruct read = record;
    if (!TCalibrationFile::Read(ProfileLookup(name), read)) {
        char text[PathSize + 96];
        std::snprintf(text, sizeof text,
                      "The calibration file \"%s\" holds invalid values.  The current calibration is kept.", name);
        MessageBox(text, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::strcpy(read.Filename, name);
    ComputeCalibrationRatio(read);
    record = read;
    ApplySettings(RefreshKind::RecomputeHistory);
}

void TMainWin::WriteCalibrationFile(const char* fileName, CalibrationStruct& record)
{
    if (!fileName || !*fileName) return;
    char name[PathSize];
    if (!ResolvePath(name, ConfiguredFolders[CalFolder], fileName) || !ReadyToWrite(name)) return;
    std::strcpy(record.Filename, name);
    TProfileFile file(name);
    TCalibrationFile::Write([&file](const char* section, const char* key, const std::string& text) {
        TSettingsTable::WriteText(file, section, key, text);
    }, record);
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
