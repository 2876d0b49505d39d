#include "shell/TRebuildProgress.h"

#include "base/TEngineHost.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "shell/TMainWin.h"

TRebuildProgress::TRebuildProgress(TMainWin& main) : Main(main), Looked(TEngineHost::Get().TickCount())
{
    if (Main.StatusBarWindow)
        Main.StatusBarWindow->ShowGauge();
    Main.GetWindowText(Main.FrameCaption, sizeof Main.FrameCaption);
    Main.SetCaption(IDS_REBUILDING_DISPLAY_TEXT);
}

TRebuildProgress::~TRebuildProgress()
{
    if (Main.StatusBarWindow)
        Main.StatusBarWindow->HideGauge();
    Main.SetCaption(Main.FrameCaption);
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
    if (total > 0 && Main.StatusBarWindow)
        Main.StatusBarWindow->SetGaugeValue(done * 100 / total);
}

bool TRebuildProgress::Cancelled()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            return true;
    return ::PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != FALSE;
}
