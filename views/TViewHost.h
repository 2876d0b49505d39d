#pragma once
#include "views/TDdeLinkHost.h"
#include "views/TReadoutHost.h"
#include "views/TRunStateHost.h"
#include "views/TSpectrumDataHost.h"
#include "views/TViewDialogHost.h"
#include "views/TViewSettingsHost.h"
#include "views/TWaveAccessHost.h"

// What a view asks of the window that hosts it, by role: settings, run state
// and requests, wave access, spectrum data, the DDE link, dialogs and
// readouts. The main window implements every role; a view sees nothing else
// of the main window, so every view builds without the shell and is tested
// in a window over a small fake host. A view that needs more of its host adds an
// operation to the role it belongs to, or a new role here.
class TViewHost : public TViewSettingsHost,
                  public TRunStateHost,
                  public TWaveAccessHost,
                  public TSpectrumDataHost,
                  public TDdeLinkHost,
                  public TViewDialogHost,
                  public TReadoutHost {};
