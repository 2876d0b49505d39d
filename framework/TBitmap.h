#pragma once
#include <windows.h>
#include "framework/TGdiObject.h"
#include "framework/TResId.h"

class TDC;

class TBitmap : public TGdiObject {
public:
    TBitmap(HBITMAP handle, bool autoDelete) : TGdiObject(handle, autoDelete) {}
    // A bitmap compatible with the device context, of the given size.
    TBitmap(const TDC& dc, int width, int height);
    // A bitmap resource of the module.
    TBitmap(HINSTANCE instance, TResId id) : TGdiObject(::LoadBitmapA(instance, id), true) {}
    TBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
        : TGdiObject(::CreateBitmap(width, height, planes, bitsPerPixel, bits), true) {}

    operator HBITMAP() const { return static_cast<HBITMAP>(Handle); }
    int Width() const;
    int Height() const;
};
