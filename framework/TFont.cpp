#include "framework/TFont.h"

TFont::TFont(const char* faceName, int height, int width, int escapement, int orientation, int weight,
             BYTE pitchAndFamily, BYTE italic, BYTE underline, BYTE strikeout, BYTE charSet,
             BYTE outputPrecision, BYTE clipPrecision, BYTE quality)
    : TGdiObject(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeout, charSet,
                               outputPrecision, clipPrecision, quality, pitchAndFamily, faceName),
                 true)
{
}
