#pragma once
#include "framework/TColor.h"
#include "framework/TGdiObject.h"

class TBrush : public TGdiObject {
public:
    explicit TBrush(TColor color) : TGdiObject(::CreateSolidBrush(color), true) {}
    TBrush(TColor color, int hatchStyle) : TGdiObject(::CreateHatchBrush(hatchStyle, color), true) {}
    TBrush(HBRUSH handle, bool autoDelete) : TGdiObject(handle, autoDelete) {}

    operator HBRUSH() const { return static_cast<HBRUSH>(Handle); }
};
