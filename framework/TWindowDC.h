#pragma once
#include "framework/TDC.h"

// The whole window, frame included.
class TWindowDC : public TDC {
public:
    explicit TWindowDC(HWND window) : Window(window) { Init(::GetWindowDC(window)); }
    ~TWindowDC() override
    {
        RestoreObjects();
        ::ReleaseDC(Window, Handle);
        Handle = nullptr;
    }

private:
    HWND Window;
};
