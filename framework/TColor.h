#pragma once
#include <windows.h>

// A colour as the API takes it: an RGB value, a palette index or a
// palette-relative RGB value.
class TColor {
public:
    TColor() : Value(0) {}
    TColor(COLORREF value) : Value(value) {}
    TColor(int r, int g, int b) : Value(RGB(r, g, b)) {}

    static TColor PaletteIndex(int index) { return TColor(COLORREF(PALETTEINDEX(index))); }
    static TColor PaletteRelative(int r, int g, int b) { return TColor(COLORREF(PALETTERGB(r, g, b))); }
    static TColor Sys(int index) { return TColor(::GetSysColor(index)); }

    operator COLORREF() const { return Value; }
    COLORREF GetValue() const { return Value; }
    int Red() const { return GetRValue(Value); }
    int Green() const { return GetGValue(Value); }
    int Blue() const { return GetBValue(Value); }
    bool IsPaletteIndex() const { return (Value & 0xFF000000u) == 0x01000000u; }
    int Index() const { return int(Value & 0xFFFF); }

    static const TColor Black, White, LtGray, Gray, LtRed, LtGreen, LtBlue, LtYellow, LtCyan, LtMagenta;

private:
    COLORREF Value;
};

inline const TColor TColor::Black(0, 0, 0);
inline const TColor TColor::White(255, 255, 255);
inline const TColor TColor::LtGray(192, 192, 192);
inline const TColor TColor::Gray(128, 128, 128);
inline const TColor TColor::LtRed(255, 0, 0);
inline const TColor TColor::LtGreen(0, 255, 0);
inline const TColor TColor::LtBlue(0, 0, 255);
inline const TColor TColor::LtYellow(255, 255, 0);
inline const TColor TColor::LtCyan(0, 255, 255);
inline const TColor TColor::LtMagenta(255, 0, 255);
