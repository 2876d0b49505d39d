#include "framework/TGdiCache.h"

#include <cstring>

const TPen& TGdiCache::Pen(TColor colour, int width, int style)
{
    for (const TPenEntry& e : Pens)
        if (e.Colour == colour && e.Width == width && e.Style == style) return *e.Object;
    Pens.push_back({colour, width, style, std::make_unique<TPen>(colour, width, style)});
    return *Pens.back().Object;
}

const TBrush& TGdiCache::Brush(TColor colour)
{
    for (const TBrushEntry& e : Brushes)
        if (e.Colour == colour) return *e.Object;
    Brushes.push_back({colour, std::make_unique<TBrush>(colour)});
    return *Brushes.back().Object;
}

const TFont& TGdiCache::Font(const LOGFONTA& logFont)
{
    // Records built field by field from a zeroed one compare whole.
    for (const TFontEntry& e : Fonts)
        if (std::memcmp(&e.Key, &logFont, sizeof logFont) == 0) return *e.Object;
    Fonts.push_back({logFont, std::make_unique<TFont>(logFont)});
    return *Fonts.back().Object;
}

void TGdiCache::Clear()
{
    Pens.clear();
    Brushes.clear();
    Fonts.clear();
}
