#include "framework/TBitmap.h"
#include "framework/TDC.h"

TBitmap::TBitmap(const TDC& dc, int width, int height)
    : TGdiObject(::CreateCompatibleBitmap(dc.GetHDC(), width, height), true)
{
}

int TBitmap::Width() const
{
    BITMAP bm{};
    return Handle && ::GetObjectA(Handle, sizeof bm, &bm) ? bm.bmWidth : 0;
}

int TBitmap::Height() const
{
    BITMAP bm{};
    return Handle && ::GetObjectA(Handle, sizeof bm, &bm) ? bm.bmHeight : 0;
}
