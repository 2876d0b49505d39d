// What the device, configuration, macro and temporary-file commands ask of
// the main window: a device chosen anew, a macro script loaded (after the
// macro window's own step when it asks from there) and a temporary wave.
#include "shell/TMainWin.h"

#include <fstream>

#include "automation/TMacro.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "generator/TSignalGenerator.h"
#include "shell/TRunPause.h"

void TMainWin::SelectSoundDevice(bool input, int32_t index)
{
    TRunPause pause(*this);
    if (input) {
        InputDeviceID = index;
        ReplaceInputPort(std::make_unique<TSoundInput>(uint32_t(index)));
        SoundInput->SetFormat(Settings.Format);
        return;
    }
    OutputDeviceID = index;
    ReplaceOutputPort(std::make_unique<TSoundOutput>(uint32_t(index)));
    SoundOutput->SetFormat(Settings.Format);
    if (SignalGenerator()) SignalGenerator()->FormatChanged(uint32_t(index), 0);
}

uint32_t TMainWin::OutputDeviceCount()
{
    return ::waveOutGetNumDevs();
}

int TMainWin::OpenMacroScript(const std::string& path, bool run)
{
    TMacro* macro = MacroWindow();
    if (macro && macro->IsStepping()) {
        // The macro stops now; its script is replaced once the step is over.
        // The file is checked now, so that the command's answer tells.
        if (!std::ifstream(path, std::ios::binary)) {
            const std::string text = "Failure opening macro file: " + path;
            MessageBox(text.c_str(), Product, MB_OK | MB_ICONEXCLAMATION);
            return 0;
        }
        if (macro->IsRunning()) macro->CmStop();
        PendingMacroScript = path;
        PendingMacroRun = run;
        if (HWindow) PostMessage(MacroScriptRequest);
        return 1;
    }
    if (!macro) CreateViewWindow(ViewType::Macro, IniPath);
    macro = MacroWindow();
    if (!macro) return 0;
    if (macro->IsRunning()) macro->CmStop();
    if (!macro->OpenFile(path)) return 0;
    if (run) macro->CmRun();
    return 1;
}

LRESULT TMainWin::EvMacroScriptRequest(WPARAM, LPARAM)
{
    std::string path;
    path.swap(PendingMacroScript);
    if (!path.empty()) OpenMacroScript(path, PendingMacroRun);
    return 0;
}

bool TMainWin::OpenTemporaryWave(const char* path)
{
    // A wave the user chose to keep must not become the one closing deletes.
    if (!CloseWaveFile()) return false;
    OpenWaveFile(path);
    if (!WaveFile) return false;
    TemporaryWaveFile = 1;
    SetCaption(Caption);
    return true;
}
