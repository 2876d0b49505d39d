#pragma once
#include "framework/TControl.h"

class TButton : public TControl {
public:
    TButton(TWindow* parent, int id, const char* text, int x, int y, int w, int h, bool isDefault = false,
            TModule* module = nullptr);
    TButton(TWindow* parent, int resourceId, TModule* module = nullptr) : TControl(parent, resourceId, module) {}

    const char* GetClassName() override { return "BUTTON"; }
};
