#include "framework/TFrameWindow.h"

DEFINE_RESPONSE_TABLE1(TFrameWindow, TWindow)
    EV_WM_SIZE
END_RESPONSE_TABLE;

TFrameWindow::TFrameWindow(TWindow* parent, const char* title, TWindow* clientWnd, TModule* module)
    : TWindow(parent, title, module), ClientWnd(clientWnd)
{
    if (!parent) Attr.Style = WS_OVERLAPPEDWINDOW;
    if (ClientWnd) {
        ClientWnd->SetParent(this);
        if (!ClientWnd->IsMDIClient()) ClientWnd->Attr.Style = WS_CHILD | WS_VISIBLE;
    }
}

TFrameWindow::~TFrameWindow()
{
    if (HWindow) ::DestroyWindow(HWindow);
    delete ClientWnd;
}

// An MDI client is sized by the frame's default procedure; any other client
// fills the client area.
void TFrameWindow::EvSize(UINT sizeType, const TSize& size)
{
    TWindow::EvSize(sizeType, size);
    if (ClientWnd && ClientWnd->GetHandle() && !ClientWnd->IsMDIClient() && sizeType != SIZE_MINIMIZED)
        ClientWnd->MoveWindow(0, 0, size.cx, size.cy, true);
}
