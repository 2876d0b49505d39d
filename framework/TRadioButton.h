#pragma once
#include "framework/TCheckBox.h"

class TRadioButton : public TCheckBox {
public:
    TRadioButton(TWindow* parent, int id, const char* title, int x, int y, int w, int h, TModule* module = nullptr)
        : TCheckBox(parent, id, title, x, y, w, h, module)
    {
        Attr.Style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
    }
    TRadioButton(TWindow* parent, int resourceId, TModule* module = nullptr) : TCheckBox(parent, resourceId, module) {}
};
