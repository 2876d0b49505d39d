// Calibration files (".cal", profile text), the main window's calibration
// operations over the record and the measurement of a calibration tone.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <memory>
#include "base/TSettingsTable.h"
#include "engine/TCalibrationFile.h"
#include "engine/TCalibrationLevel.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveData.h"
#include "framework/TProfileFile.h"
#include "generator/TSignalGenerator.h"

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

bool TMainWin::ReadCalibrationFile(const char* fileName, CalibrationStruct& record)
{
    if (!fileName || !*fileName) return false;
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
        return false;
    }
    CalibrationStruct read = record;
    if (!TCalibrationFile::Read(ProfileLookup(name), read)) {
        char text[PathSize + 96];
        std::snprintf(text, sizeof text,
                      "The calibration file \"%s\" holds invalid values.  The current calibration is kept.", name);
        MessageBox(text, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::strcpy(read.Filename, name);
    ComputeCalibrationRatio(read);
    record = read;
    ApplySettings(RefreshKind::RecomputeHistory);
    return true;
}

bool TMainWin::WriteCalibrationFile(const char* fileName, CalibrationStruct& record)
{
    if (!fileName || !*fileName) return false;
    char name[PathSize];
    if (!ResolvePath(name, ConfiguredFolders[CalFolder], fileName) || !ReadyToWrite(name)) return false;
    std::strcpy(record.Filename, name);
    TProfileFile file(name);
    TCalibrationFile::Write([&file](const char* section, const char* key, const std::string& text) {
        TSettingsTable::WriteText(file, section, key, text);
    }, record);
    return true;
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

// The port polls its buffer without dispatching messages; a device that never
// completes it is given up after twice the capture time plus 2 s.
int TMainWin::AcquireCalibrationSignal(uint16_t channel, TWaveData* capture)
{
    if (!capture || (channel == 1 && Settings.Format.NumChannels == 1)) return 0;
    capture->SetFormat(Settings.Format);
    auto port = std::make_unique<TSoundInput>(uint32_t(InputDeviceID));
    port->SetFormat(Settings.Format);
    const uint32_t frames = Settings.Format.SamplingRate + 32768;
    if (!capture->SetLength(frames) || capture->Error) return 0;
    if (!port->Open(nullptr, uint32_t(FileIO.DALSelfMonitor))) return 0;
    if (!port->AddBuffer(capture->GetBuffer(), capture->GetBufferSize(), 0)) {
        port->Close();
        return 0;
    }
    TSignalGenerator* generator = SignalGenerator();
    if (generator) {
        const bool sharedHalfDuplex = InputDeviceID == OutputDeviceID && SoundOutput && !SoundOutput->IsFullDuplex();
        if (!sharedHalfDuplex && (!SoundOutput || SoundOutput->Quirks.leadIn == 0)) generator->StartOutput();
    }
    port->Start();
    if (generator) generator->RestartOutput();

    const DWORD limit = DWORD(2000.0 * frames / Settings.Format.SamplingRate) + 2000;
    const DWORD start = ::GetTickCount();
    bool done = false;
    while (!(done = port->IsBufferDone(0) != 0) && ::GetTickCount() - start < limit) ::Sleep(5);
    port->Close();
    if (generator) generator->StopOutput();
    return done ? 1 : 0;
}

void TMainWin::MeasureCalibrationLevel(uint16_t channel, TWaveData* source, CalibrationStruct& record)
{
    if (source) TCalibrationLevel::Measure(channel, *source, record);
}
