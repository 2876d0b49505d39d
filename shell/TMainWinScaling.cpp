// The door through which the command language changes the spectra's
// scaling of both channels.
#include "shell/TMainWin.h"

#include "shell/Toolbar.h"

// A run goes on: the engines are rebuilt between two blocks, and a
// recording in progress is not stopped for a change of what is shown.
void TMainWin::SetSpectrumScaling(const ScalingStruct& left, const ScalingStruct& right, bool apply)
{
    Scaling[0] = left;
    Scaling[1] = right;
    if (!apply) return;
    if (TransportToolbar) TransportToolbar->SetMode();
    ApplySettings(RefreshKind::Full);
}
