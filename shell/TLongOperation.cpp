#include "shell/TLongOperation.h"

#include "shell/StatusBar.h"
#include "shell/TMainWin.h"

TLongOperation::TLongOperation(TMainWin& main, const char* caption)
    : Main(main), Cursor(::SetCursor(::LoadCursor(nullptr, IDC_WAIT)))
{
    Main.KeepCaption();
    Main.SetCaption(caption);
    if (Main.GetStatusBar()) Main.GetStatusBar()->ShowGauge();
}

TLongOperation::~TLongOperation()
{
    ::SetCursor(Cursor);
    if (Main.GetStatusBar()) Main.GetStatusBar()->HideGauge();
    Main.RestoreCaption();
}

void TLongOperation::Progress(uint32_t percent)
{
    if (Main.GetStatusBar()) Main.GetStatusBar()->SetGaugeValue(int(percent));
}
