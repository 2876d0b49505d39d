// The door through which the command language changes the spectra's
// scaling of both channels.
#include "shell/TMainWin.h"

#include "shell/Toolbar.h"
#include "shell/TRunPause.h"

void TMainWin::SetSpectrumScaling(const ScalingStruct& left, const ScalingStruct& right, bool apply)
{
    if (!apply) {
        Scaling[0] = left;
        Scaling[1] = right;
        return;
    }
    TRunPause pause(*this);
    Scaling[0] = left;
    Scaling[1] = right;
    if (TransportToolbar) TransportToolbar->SetMode();
    ApplySettings(RefreshKind::Full);
}
