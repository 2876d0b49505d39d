#pragma once
#include "framework/TDC.h"

// The context of one WM_PAINT, between BeginPaint and EndPaint.
class TPaintDC : public TDC {
public:
    explicit TPaintDC(HWND window) : Window(window) { Init(::BeginPaint(window, &Ps)); }
    ~TPaintDC() override
    {
        RestoreObjects();
        ::EndPaint(Window, &Ps);
        Handle = nullptr;
    }

    PAINTSTRUCT Ps{};

private:
    HWND Window;
};
