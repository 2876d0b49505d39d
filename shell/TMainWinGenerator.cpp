// The signal generator as the main window holds it: the Utilities commands
// that concern it, and its start beside capture.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/TSettingsTable.h"
#include "base/TEngineHost.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "framework/TCommandEnabler.h"
#include "framework/TProfileFile.h"
#include "generator/TSignalGenerator.h"
#include "generator/TSignalToWaveOptionsDialog.h"
#include "resources/CommandIds.h"

void TMainWin::CeSaveSignalToWave(TCommandEnabler& ce)
{
    ce.Enable(SignalGenerator() != nullptr);
}

void TMainWin::CmLockGeneratorChannels()
{
    GeneratorLocked = GeneratorLocked ? 0 : 1;
    SetMenuCheck(CM_LOCKGENERATORCHANNELS, GeneratorLocked == 1);
    if (TSignalGenerator* generator = SignalGenerator()) generator->FormatChanged(uint32_t(OutputDeviceID), 1);
}

int TMainWin::RunSignalLengthDialog(int32_t& multiplier)
{
    TSignalToWaveOptionsDialog dialog(this, "SIGNAL_SAVE_AS_LENGTH", SignalGenerator()->GetSignal(), &multiplier,
                                      GeneratorHost.DialogFont());
    return dialog.Execute();
}

void TMainWin::CmSaveSignalToWave()
{
    if (!SignalGenerator()) return;
    const bool running = RunState == Running;
    StopAnalyzer();
    // Every way out restarts an analyser that ran.
    int32_t multiplier = 1;
    if (RunSignalLengthDialog(multiplier) == IDOK) {
        TOpenSaveDialog::TData data;
        data.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        data.Filter = "Wave Files (*.wav)|*.wav|";
        data.FileName = "*.wav";
        data.InitialDir = CurrentFolders[WavFolder];
        data.DefExt = "wav";
        if (RunFileDialog(data, "Save Wave File", true) == IDOK && FitsFileBuffer(data.FileName)) {
            const char* name = data.FileName.c_str();
            StoreCurrentFolder(WavFolder, name);
            if (WaveFile && _stricmp(WaveFile->FileName().c_str(), name) == 0) {
                char text[PathSize + 32];
                std::snprintf(text, sizeof text, "%s is currently in use.", name);
                TEngineHost::Get().ShowMessage(text, Caption, TEngineHost::MsgIconExclamation);
            } else if (TSignalGenerator* generator = SignalGenerator()) {
                generator->SaveSignalAsWave(name, multiplier);
                AddRecentFile(name);
            }
        }
    }
    if (running) StartAnalyzer();
}

void TMainWin::StartGeneratorWithCapture(bool realTime)
{
    TSignalGenerator* generator = SignalGenerator();
    if (!generator || (Trigger.Enable && Trigger.StartSigGenOnTrigger)) return;
    if (realTime) {
        if (InputDeviceID == OutputDeviceID && SoundOutput && !SoundOutput->IsFullDuplex()) return;
        if (SoundOutput && SoundOutput->Quirks.leadIn) {
            // Read at each start; the wait polls the tick count.
            TProfileFile ini(IniPath);
            const DWORD delay = DWORD(TSettingsTable::ReadInt(ini, "FileIO", "DuplexDelay", 50, 0, INT32_MAX));
            const DWORD start = ::GetTickCount();
            while (::GetTickCount() - start < delay) continue;
        }
    }
    generator->StartOutput();
}
