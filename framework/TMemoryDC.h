#pragma once
#include "framework/TDC.h"

// A memory context compatible with another context (or the screen).
class TMemoryDC : public TDC {
public:
    TMemoryDC() { Init(::CreateCompatibleDC(nullptr)); }
    explicit TMemoryDC(const TDC& dc) { Init(::CreateCompatibleDC(dc.GetHDC())); }
    ~TMemoryDC() override
    {
        RestoreObjects();
        ::DeleteDC(Handle);
        Handle = nullptr;
    }
};
