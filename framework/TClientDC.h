#pragma once
#include "framework/TDC.h"

// The client area of a window.
class TClientDC : public TDC {
public:
    explicit TClientDC(HWND window) : Window(window) { Init(::GetDC(window)); }
    ~TClientDC() override
    {
        RestoreObjects();
        ::ReleaseDC(Window, Handle);
        Handle = nullptr;
    }

private:
    HWND Window;
};
