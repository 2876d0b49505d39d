#pragma once
#include "framework/TDC.h"

// The whole screen.
class TScreenDC : public TDC {
public:
    TScreenDC() { Init(::GetDC(nullptr)); }
    ~TScreenDC() override
    {
        RestoreObjects();
        ::ReleaseDC(nullptr, Handle);
        Handle = nullptr;
    }
};
