#pragma once
#include <string>
#include "framework/TControl.h"

class TStatic : public TControl {
public:
    TStatic(TWindow* parent, int id, const char* title, int x, int y, int w, int h, UINT textLimit = 0,
            TModule* module = nullptr)
        : TControl(parent, id, title, x, y, w, h, module), TextLimit(textLimit)
    {
        Attr.Style = WS_CHILD | WS_VISIBLE | SS_LEFT;
    }
    TStatic(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr)
        : TControl(parent, resourceId, module), TextLimit(textLimit) {}

    const char* GetClassName() override { return "STATIC"; }
    void SetText(const char* text) { ::SetWindowTextA(HWindow, text); }
    int GetText(char* text, int size) const { return ::GetWindowTextA(HWindow, text, size); }
    std::string GetText() const { return GetWindowText(); }
    void Clear() { SetText(""); }

    UINT TextLimit;
};
