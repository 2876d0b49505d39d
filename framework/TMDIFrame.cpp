#include "framework/TMDIFrame.h"

TMDIFrame::TMDIFrame(const char* title, TResId menuResId, TMDIClient& client, TModule* module)
    : TFrameWindow(nullptr, title, &client, module)
{
    Attr.Menu = menuResId;
}

LRESULT TMDIFrame::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND client = ClientWnd ? ClientWnd->GetHandle() : nullptr;
    return ::DefFrameProcA(HWindow, client, msg, wParam, lParam);
}

bool TMDIFrame::PreProcessMsg(MSG& msg)
{
    return ClientWnd && ClientWnd->GetHandle() && ::TranslateMDISysAccel(ClientWnd->GetHandle(), &msg);
}

TWindow* TMDIFrame::CommandDelegate()
{
    return ClientWnd ? GetClientWindow()->GetActiveMDIChild() : nullptr;
}

bool TMDIFrame::IdleAction(long) { return false; }
