#pragma once
#include <windows.h>
#include <memory>
#include <vector>
#include "framework/TBrush.h"
#include "framework/TColor.h"
#include "framework/TFont.h"
#include "framework/TPen.h"

// Pens, brushes and fonts a window draws with, made the first time they are
// asked for and kept until Clear or the cache goes: a window that draws in
// the same colours frame after frame makes each object once. Select them
// through a TDC, which puts back what they replaced; Clear only while no
// context has one of them selected.
class TGdiCache {
public:
    const TPen& Pen(TColor colour, int width = 1, int style = PS_SOLID);
    const TBrush& Brush(TColor colour);
    const TFont& Font(const LOGFONTA& logFont);
    void Clear();

private:
    struct TPenEntry {
        COLORREF Colour;
        int Width;
        int Style;
        std::unique_ptr<TPen> Object;
    };
    struct TBrushEntry {
        COLORREF Colour;
        std::unique_ptr<TBrush> Object;
    };
    struct TFontEntry {
        LOGFONTA Key;
        std::unique_ptr<TFont> Object;
    };
    std::vector<TPenEntry> Pens;
    std::vector<TBrushEntry> Brushes;
    std::vector<TFontEntry> Fonts;
};
