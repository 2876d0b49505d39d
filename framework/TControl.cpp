#include "framework/TControl.h"

DEFINE_RESPONSE_TABLE1(TControl, TWindow)
    EV_WM_PAINT
END_RESPONSE_TABLE;

TControl::TControl(TWindow* parent, int id, const char* title, int x, int y, int w, int h, TModule* module)
    : TWindow(parent, title, module)
{
    Attr.Id = id;
    Attr.X = x; Attr.Y = y; Attr.W = w; Attr.H = h;
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
}

TControl::TControl(TWindow* parent, int resourceId, TModule* module) : TWindow(parent, nullptr, module)
{
    Attr.Id = resourceId;
    FromResource = true;
}

void TControl::DrawItem(DRAWITEMSTRUCT& dis)
{
    switch (dis.itemAction) {
    case ODA_DRAWENTIRE: ODADrawEntire(dis); break;
    case ODA_SELECT: ODASelect(dis); break;
    case ODA_FOCUS: ODAFocus(dis); break;
    }
}

void TControl::ODADrawEntire(DRAWITEMSTRUCT&) {}
void TControl::ODASelect(DRAWITEMSTRUCT&) {}
void TControl::ODAFocus(DRAWITEMSTRUCT&) {}

// A system control paints itself; a control of the framework's own class
// paints through Paint.
void TControl::EvPaint()
{
    if (OrigProc)
        DefaultProcessing();
    else
        TWindow::EvPaint();
}
