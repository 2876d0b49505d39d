// The files the command language opens and saves by name: configurations,
// calibrations, compensation curves, filter responses, the wave and macro
// scripts, each taken only when its file could be read or written.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include "automation/TMacro.h"
#include "engine/TWaveFile.h"
#include "resources/StringIds.h"
#include "shell/TRunPause.h"

namespace {

bool Readable(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}
}

bool TMainWin::LoadConfigurationFile(const char* path)
{
    char name[PathSize];
    if (!FindConfiguration(path, name)) return false;
    LoadConfiguration(name);
    return true;
}

bool TMainWin::TakeCalibrationFile(const char* path)
{
    TRunPause pause(*this);
    // The reader gives the record its file's name only when it took the file.
    CalibrationStruct read = Calibration;
    read.Filename[0] = '\0';
    ReadCalibrationFile(path, read);
    const bool taken = read.Filename[0] != '\0';
    if (!taken) std::memcpy(read.Filename, Calibration.Filename, sizeof read.Filename);
    // A file that could not be opened leaves calibration off, as its message says.
    Calibration = read;
    ApplyWaveCalibration();
    ApplySettings(RefreshKind::Full);
    return taken;
}

bool TMainWin::UseCompensationFiles(const char* left, const char* right)
{
    char names[2][PathSize] = {};
    const char* given[2] = {left, right};
    for (int ch = 0; ch < 2; ++ch) {
        if (!given[ch][0]) continue;
        if (!ResolvePath(names[ch], ConfiguredFolders[MicFolder], given[ch])) return false;
        if (!Readable(names[ch])) {
            char text[PathSize + 64];
            std::snprintf(text, sizeof text, "Failure opening file: %s", names[ch]);
            MessageBox(text, Product, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    if (RunState != Stopped) StopAnalyzer();
    for (int ch = 0; ch < 2; ++ch) {
        Scaling[ch].MicCompEnable = 1;
        std::memcpy(Scaling[ch].MicCompFilename, names[ch], sizeof Scaling[ch].MicCompFilename);
    }
    ApplySettings(RefreshKind::Full);
    return true;
}

bool TMainWin::UseFilterResponseFile(const char* path)
{
    char name[PathSize];
    if (!ResolvePath(name, ConfiguredFolders[FilterFolder], path)) return false;
    if (!Readable(name)) {
        char text[PathSize + 64];
        std::snprintf(text, sizeof text, "Failure opening file: %s", name);
        MessageBox(text, Product, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::memcpy(Filter.FilterFilename, name, sizeof Filter.FilterFilename);
    Filter.Type = FilterSettings::Custom;
    return true;
}

bool TMainWin::SaveWaveTo(const char* path)
{
    if (!WaveFile) return false;
    if (!AppendHalt && RunState != Stopped) StopAnalyzer();
    char name[PathSize];
    if (!ResolvePath(name, ConfiguredFolders[WavFolder], path)) return false;
    const std::string previousName = WaveFile->FileName();
    const std::string previousCaption = GetTitle();
    const bool wasUntitled = WaveFile->IsUntitled() != 0;
    WaveFile->SetFileName(name);
    SetCaption(IDS_SAVING_WAVE_TEXT);
    IncludeCalibrationIn(*WaveFile);
    // A flag left by an earlier failure must not fail this save.
    WaveFile->Error = 0;
    if (WaveFile->Save() != 1 || WaveFile->Error) {
        MessageBox(IDS_WRITE_WAVE_FAILED_TEXT, Product, MB_OK);
        // The wave keeps the name it had, so that Save does not aim at the
        // place that just failed; an untitled wave has none to go back to.
        if (!wasUntitled) WaveFile->SetFileName(previousName.c_str());
        SetCaption(previousCaption.c_str());
        return false;
    }
    SetWaveCaption(name);
    return true;
}

void TMainWin::DiscardWave()
{
    if (!WaveFile) return;
    WaveFile->Changed = 0;
    CloseWaveFile();
}
