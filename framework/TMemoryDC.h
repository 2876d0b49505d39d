#pragma once
#include "framework/TDC.h"
#include "framework/TGdiObject.h"

// A memory context compatible with another context (or the screen); counted
// with the GDI objects while it lives.
class TMemoryDC : public TDC {
public:
    TMemoryDC() { Make(nullptr); }
    explicit TMemoryDC(const TDC& dc) { Make(dc.GetHDC()); }
    explicit TMemoryDC(HDC dc) { Make(dc); }
    ~TMemoryDC() override
    {
        RestoreObjects();
        if (Handle && ::DeleteDC(Handle)) TGdiObject::Count(-1);
        Handle = nullptr;
    }

private:
    void Make(HDC compatible)
    {
        Init(::CreateCompatibleDC(compatible));
        if (Handle) TGdiObject::Count(1);
    }
};
