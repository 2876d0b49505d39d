#pragma once
#include "framework/TColor.h"
#include "framework/TGdiObject.h"

class TPen : public TGdiObject {
public:
    TPen(TColor color, int width = 1, int style = PS_SOLID)
        : TGdiObject(::CreatePen(style, width, color), true) {}
    explicit TPen(const LOGPEN& logPen) : TGdiObject(::CreatePenIndirect(&logPen), true) {}
    TPen(HPEN handle, bool autoDelete) : TGdiObject(handle, autoDelete) {}

    operator HPEN() const { return static_cast<HPEN>(Handle); }
};
