#pragma once
#include "framework/TControl.h"

class TGroupBox : public TControl {
public:
    TGroupBox(TWindow* parent, int id, const char* text, int x, int y, int w, int h, TModule* module = nullptr)
        : TControl(parent, id, text, x, y, w, h, module)
    {
        Attr.Style = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
    }
    TGroupBox(TWindow* parent, int resourceId, TModule* module = nullptr) : TControl(parent, resourceId, module) {}

    const char* GetClassName() override { return "BUTTON"; }
};
