// The settings files of the main window: its fields handed to the key list,
// the sound devices kept in the files by name, and the channel delay.
#include "shell/TMainWin.h"

#include <mmsystem.h>
#include <cmath>
#include <cstdlib>
#include <string>
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "framework/TProfileFile.h"

static_assert(TMainWin::PathSize == TSettingsFields::PathSize && TMainWin::FolderCount == TSettingsFields::FolderCount
                  && TMainWin::MacroFolder == TSettingsFields::MacroFolder,
              "the key list sees the folders as the main window holds them");

namespace {

int32_t DeviceFromId(int32_t id, bool input)
{
    UINT count = input ? ::waveInGetNumDevs() : ::waveOutGetNumDevs();
    if (uint32_t(id) >= count) return int32_t(count) - 1;
    return id;
}

}

void TMainWin::ReadDevice(TProfile& file, bool input)
{
    std::string name = file.Read("Device", input ? "InputDeviceName" : "OutputDeviceName", "");
    int32_t& id = input ? InputDeviceID : OutputDeviceID;
    // A stored name wins over a stored id.
    if (!name.empty())
        id = input ? FindInputDeviceByName(name.c_str()) : FindOutputDeviceByName(name.c_str());
    else
        id = DeviceFromId(int32_t(std::strtol(file.Read("Device", input ? "InputDeviceID" : "OutputDeviceID", "0").c_str(),
                                              nullptr, 10)),
                          input);
}

void TMainWin::WriteDevice(TProfile& file, bool input)
{
    char name[33] = {};
    if (input) {
        TSoundInput port{uint32_t(InputDeviceID)};
        port.GetDeviceCaps(name);
    } else {
        TSoundOutput port{uint32_t(OutputDeviceID)};
        port.GetDeviceCaps(name);
    }
    name[32] = '\0';
    file.Write("Device", input ? "InputDeviceName" : "OutputDeviceName", name);
}

namespace {

// The main window's device operations, for the key list.
class TWindowDevices : public TSettingsDevices {
public:
    using TCall = void (TMainWin::*)(TProfile&, bool);
    TWindowDevices(TMainWin& window, TCall read, TCall write) : Window(window), ReadCall(read), WriteCall(write) {}
    void Read(TProfile& file, bool input) override { (Window.*ReadCall)(file, input); }
    void Write(TProfile& file, bool input) override { (Window.*WriteCall)(file, input); }

private:
    TMainWin& Window;
    TCall ReadCall, WriteCall;
};

}

// The key list reads and writes the records through these.
TSettingsFields TMainWin::SettingsFields()
{
    return {&Caption, &ConfiguredFolders, &FileIO, &MainToolbarFlag, &ButtonToolbarFlag,
            &StatusBarFlag, &Calibration, &PrintOptions, &OpMode, &Settings, Scaling, &Markers,
            &Trigger, &GeneratorLocked, &ViewStatus, &NoiseFigureOrder, SpectrumOptions, PhaseOptions,
            SpectrogramOptions, SurfaceOptions, &SeriesOptions, &Filter, &Logging, &DelayFinderOptions,
            &LeqOptions, &ReverbOptions, &ThdFreqOptions, &PhaseScopeOptions, &MacroOptions};
}

void TMainWin::SetConfiguredFolder(int folder, const char* path)
{
    std::snprintf(ConfiguredFolders[folder], PathSize, "%s", path);
}

void TMainWin::SetCurrentFolder(int folder, const char* path)
{
    std::snprintf(CurrentFolders[folder], PathSize, "%s", path);
}

void TMainWin::ReadSettings(const char* fileName)
{
    TProfileFile file(fileName ? fileName : ""), ini(IniPath);
    TWindowDevices devices(*this, &TMainWin::ReadDevice, &TMainWin::WriteDevice);
    TSettingsKeys::Read(file, ini, SettingsFields(), devices, IsMacroRunning());
}

void TMainWin::WriteSettings(const char* fileName)
{
    TProfileFile file(fileName ? fileName : ""), ini(IniPath);
    TWindowDevices devices(*this, &TMainWin::ReadDevice, &TMainWin::WriteDevice);
    TSettingsKeys::Write(file, ini, SettingsFields(), devices);
}

void TMainWin::UpdateDelaySamples()
{
    double samples = std::trunc(double(Settings.Format.SamplingRate) * Settings.DelayTimeMsec * 0.001 + 0.5);
    if (!(samples > 0)) samples = 0;
    if (samples > double(UINT32_MAX)) samples = double(UINT32_MAX);
    Settings.DelaySamples = uint32_t(samples);
}
