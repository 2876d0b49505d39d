#include "framework/TCheckBox.h"

TCheckBox::TCheckBox(TWindow* parent, int id, const char* title, int x, int y, int w, int h, TModule* module)
    : TButton(parent, id, title, x, y, w, h, false, module)
{
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
}
