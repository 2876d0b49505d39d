#include "shell/TRebuildProgress.h"

#include "base/TEngineHost.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "shell/TMainWin.h"

TRebuildProgress::TRebuildProgress(TMainWin& main) : Main(main), Looked(TEngineHost::Get().TickCount())
{
    if (Main.GetStatusBar())
        Main.GetStatusBar()->ShowGauge();
    Main.GetWindowText(FrameCaption, sizeof FrameCaption);
    Main.SetCaption(IDS_REBUILDING_DISPLAY_TEXT);
}

TRebuildProgress::~TRebuildProgress()
{
    if (Main.GetStatusBar())
        Main.GetStatusBar()->HideGauge();
    Main.SetCaption(FrameCaption);
}

bool TRebuildProgress::Due()
{
    const uint32_t now = TEngineHost::Get().TickCount();
    if (now - Looked < Pace)
        return false;
    Looked = now;
    return true;
}

void TRebuildProgress::Step(int done, int total)
{
    if (total > 0 && Main.GetStatusBar())
        Main.GetStatusBar()->SetGaugeValue(done * 100 / total);
}

bool TRebuildProgress::Cancelled()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            return true;
    return ::PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != FALSE;
}
