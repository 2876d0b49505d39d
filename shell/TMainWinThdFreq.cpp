// The THD+N versus frequency window's command and what the window asks of the main window.
#include <windows.h>

#include "engine/TSoundInput.h"
#include "generator/TSignalGenerator.h"
#include "resources/CommandIds.h"
#include "shell/TMainWin.h"
#include "utilities/TTHDFreq.h"

TTHDFreq* TMainWin::ThdFreqWindow() const
{
    return Windows.View<TTHDFreq>(ViewType::ThdFreq);
}

void TMainWin::CmTHDNvsFrequency()
{
    // Unsaved results are offered for saving before the window goes.
    if (TTHDFreq* window = ThdFreqWindow(); window && !window->QuerySave()) return;
    Windows.Toggle(ViewType::ThdFreq);
}

void TMainWin::SetThdFreqOptions(const THDFreqSettings& options)
{
    ThdFreqOptions = options;
}

TThdFreqHost::TDuplexDevices TMainWin::DuplexDevices()
{
    TDuplexDevices devices;
    devices.Input = uint32_t(InputDeviceID);
    devices.Output = uint32_t(OutputDeviceID);
    devices.HalfDuplex = InputDeviceID == OutputDeviceID && SoundInput && !SoundInput->IsFullDuplex();
    devices.SelfMonitor = uint32_t(FileIO.DALSelfMonitor);
    return devices;
}

void TMainWin::StopForMeasurement()
{
    if (RunState == Running) StopAnalyzer();
    if (TSignalGenerator* generator = SignalGenerator()) generator->StopOutput();
}

void TMainWin::SetMeasuring(bool measuring)
{
    EnableWindow(!measuring);
    RunState = measuring ? Running : Stopped;
    InputLevelLeft = InputLevelRight = -999;
    RefreshStatusBar(3);
}

void TMainWin::ShowInputPeaks(int left, int right, bool refresh)
{
    InputLevelLeft = left;
    InputLevelRight = right;
    if (refresh) RefreshStatusBar(3);
}

std::string TMainWin::TemporaryFolder()
{
    return CurrentFolders[TmpFolder];
}

std::string TMainWin::ResolveThdPath(const std::string& name)
{
    char resolved[PathSize];
    return ResolvePath(resolved, ConfiguredFolders[ThdFolder], name.c_str()) ? resolved : "";
}

std::string TMainWin::ThdFileFolder()
{
    return CurrentFolders[ThdFolder];
}

void TMainWin::StoreThdFileFolder(const std::string& path)
{
    StoreCurrentFolder(ThdFolder, path.c_str());
}

int TMainWin::RunThdFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save)
{
    return RunFileDialog(data, title, save);
}

void TMainWin::PrintThdFreqPlot(bool interactive)
{
    PrintView(ViewType::ThdFreq, interactive);
}

void TMainWin::ThdFreqWindowClosing()
{
    SaveUtilityPlacements(ViewType::ThdFreq, IniPath);
}

void TMainWin::CloseThdFreqWindow()
{
    // Through the message queue: the window is still inside its own handler.
    if (HWindow) PostMessage(WM_COMMAND, CM_THDNVSFREQUENCY);
}
