// The option dialogs of the File and Options menus that edit records the
// main window keeps: print annotations, the measurement utilities' display
// options, the file I/O options and the default folders.
#include "shell/TMainWin.h"

#include <cstring>

#include "dialogs/TAnnotationDialog.h"
#include "dialogs/TFileOptionsDialog.h"
#include "dialogs/TPathsDialog.h"
#include "dialogs/TPhaseScopeOptsDialog.h"
#include "dialogs/TReverbOptsDialog.h"
#include "dialogs/TTHDFreqOptsDialog.h"
#include "engine/TWaveFile.h"
#include "shell/TRunPause.h"
#include "shell/Toolbar.h"
#include "utilities/TPhaseScope.h"
#include "utilities/TReverb.h"
#include "utilities/TTHDFreq.h"

bool TMainWin::RunAnnotationDialog()
{
    TAnnotationDialog dialog(this, "DIALOG_ANNOTATION", &PrintOptions);
    return ExecuteDialog(dialog) == IDOK;
}

void TMainWin::CmAnnotations()
{
    if (RunState == Running) StopAnalyzer();
    RunAnnotationDialog();
}

// The reverberation and THD+N options leave the analyser stopped, as a
// measurement of theirs is what runs next.
void TMainWin::CmReverbOptions()
{
    if (RunState != Stopped) StopAnalyzer();
    ReverbSettings edited = ReverbOptions;
    TReverbOptsDialog dialog(this, *this, "DIALOG_REVERB", &edited);
    if (ExecuteDialog(dialog) != IDOK) return;
    ReverbOptions = edited;
    if (TReverb* window = ReverbWindow()) {
        window->ApplySmoothing();
        window->ComputeReverbTimes();
        window->UpdateLayout();
    }
}

void TMainWin::CmPhaseScopeOptions()
{
    TRunPause pause(*this);
    PhaseScopeSettingsStruct edited = PhaseScopeOptions;
    TPhaseScopeOptsDialog dialog(this, *this, "DIALOG_PHASE_SCOPE", &edited);
    if (ExecuteDialog(dialog) != IDOK) return;
    PhaseScopeOptions = edited;
    if (TPhaseScope* scope = PhaseScope(); scope && scope->GetHandle()) scope->UpdateLayout();
}

void TMainWin::CmTHDNvsFrequencyOptions()
{
    if (RunState != Stopped) StopAnalyzer();
    THDFreqSettings edited = ThdFreqOptions;
    TTHDFreqOptsDialog dialog(this, *this, "DIALOG_THD_VS_FREQ", &edited, int(Settings.Format.SamplingRate / 2));
    if (ExecuteDialog(dialog) != IDOK) return;
    ThdFreqOptions = edited;
    if (TTHDFreq* window = ThdFreqWindow()) window->UpdateLayout();
}

void TMainWin::CmFileIOOptions()
{
    if (RunState == Running) StopAnalyzer();
    if (WaveFile) {
        if (OpMode != RealTime) {
            MessageBox("You cannot change the File I/O options while an existing .WAV file is open.  Please close "
                       "the file.",
                       "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        // The history is held as the options say: it is made anew on the next run.
        ReplaceWave(nullptr);
    }
    TFileOptionsDialog dialog(this, *this, "DIALOG_FILE_OPTIONS", &FileIO);
    ExecuteDialog(dialog);
}

void TMainWin::CmSetPaths()
{
    static_assert(TPathsForm::FolderCount == FolderCount && TPathsForm::PathSize == PathSize);
    TPathsForm::TFolders edited;
    std::memcpy(edited.Folder, ConfiguredFolders, sizeof edited.Folder);
    TPathsDialog::TDefaults defaults;
    const std::string program = TPathsForm::ProgramFolder(ModulePath);
    for (int i = 0; i < FolderCount; ++i)
        defaults[size_t(i)] = TPathsForm::DefaultFolder(program, TSettingsKeys::FolderDefaults[i]);
    TPathsDialog dialog(this, "DIALOG_PATHS", &edited, defaults);
    if (ExecuteDialog(dialog) == IDOK)
        for (int i = 0; i < FolderCount; ++i) {
            SetConfiguredFolder(i, edited.Folder[i]);
            SetCurrentFolder(i, edited.Folder[i]);
        }
    if (TransportToolbar) TransportToolbar->FillConfigList();
    WriteSettings(IniPath);
}
