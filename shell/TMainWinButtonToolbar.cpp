// The button toolbar: made at set-up, placed under the transport bar, and
// told when the open windows, the wave or the settings change.
#include "shell/TMainWin.h"

#include "shell/Toolbar2.h"

void TMainWin::CreateButtonToolbar()
{
    ButtonToolbar = std::make_unique<Toolbar2>(this);
    ButtonToolbar->Create();
    EvSize(0, TSize(0, 0));
}

void TMainWin::UpdateButtonToolbar()
{
    if (ButtonToolbar && ButtonToolbar->GetHandle()) ButtonToolbar->UpdateButtons();
}

void TMainWin::RefreshButtonToolbar()
{
    if (ButtonToolbar && ButtonToolbar->GetHandle()) ButtonToolbar->Refresh();
}
