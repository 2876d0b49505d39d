#pragma once
#include <windows.h>
#include "framework/TGdiObject.h"

class TFont : public TGdiObject {
public:
    // As CreateFont takes them; the rest of the attributes are zero.
    TFont(const char* faceName, int height, int width = 0, int escapement = 0, int orientation = 0,
          int weight = FW_DONTCARE, BYTE pitchAndFamily = 0, BYTE italic = 0, BYTE underline = 0,
          BYTE strikeout = 0, BYTE charSet = 0, BYTE outputPrecision = 0, BYTE clipPrecision = 0,
          BYTE quality = 0);
    explicit TFont(const LOGFONTA& logFont) : TGdiObject(::CreateFontIndirectA(&logFont), true) {}
    TFont(HFONT handle, bool autoDelete) : TGdiObject(handle, autoDelete) {}

    operator HFONT() const { return static_cast<HFONT>(Handle); }
    bool GetObject(LOGFONTA& logFont) const { return ::GetObjectA(Handle, sizeof logFont, &logFont) != 0; }
};
