// The Utilities menu's toggles of the reverberation, phase scope and THD+N
// versus frequency windows.
#include "shell/TMainWin.h"
#include "utilities/TReverb.h"

void TMainWin::CmReverbTime()
{
    // Unsaved results are offered for saving before the window goes.
    if (TReverb* window = ReverbWindow(); window && !window->QuerySave()) return;
    Windows.Toggle(ViewType::Reverb);
}

// The scope plots one channel against the other: it opens only in stereo.
void TMainWin::CmPhaseScope()
{
    if (Windows.IsOpen(ViewType::PhaseScope)) {
        Windows.Toggle(ViewType::PhaseScope);
        return;
    }
    if (Settings.Format.NumChannels == 1) {
        MessageBox("To use the Phase Scope, the analyzer must be set to Stereo operation", "Tonalyx", MB_OK);
        return;
    }
    if (Settings.Format.NumChannels != 2) return;
    Windows.Toggle(ViewType::PhaseScope);
    ApplySettings(RefreshKind::Full);
}

