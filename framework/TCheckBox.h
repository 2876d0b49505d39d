#pragma once
#include "framework/TButton.h"

class TCheckBox : public TButton {
public:
    TCheckBox(TWindow* parent, int id, const char* title, int x, int y, int w, int h, TModule* module = nullptr);
    TCheckBox(TWindow* parent, int resourceId, TModule* module = nullptr) : TButton(parent, resourceId, module) {}

    UINT GetCheck() const { return UINT(::SendMessageA(HWindow, BM_GETCHECK, 0, 0)); }
    void SetCheck(UINT state) { ::SendMessageA(HWindow, BM_SETCHECK, state, 0); }
    void Check() { SetCheck(BST_CHECKED); }
    void Uncheck() { SetCheck(BST_UNCHECKED); }
    void Toggle() { SetCheck(GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); }
};
