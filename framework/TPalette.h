#pragma once
#include <windows.h>
#include "framework/TGdiObject.h"

class TPalette : public TGdiObject {
public:
    explicit TPalette(const LOGPALETTE* logPalette) : TGdiObject(::CreatePalette(logPalette), true) {}
    // A palette of count entries, each given its own flags (PC_RESERVED to animate).
    TPalette(const PALETTEENTRY* entries, int count);
    TPalette(HPALETTE handle, bool autoDelete) : TGdiObject(handle, autoDelete) {}

    operator HPALETTE() const { return static_cast<HPALETTE>(Handle); }
    int GetNumEntries() const;
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const
    {
        return ::GetPaletteEntries(*this, start, count, entries);
    }
    UINT SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries)
    {
        return ::SetPaletteEntries(*this, start, count, entries);
    }
    bool AnimatePalette(UINT start, UINT count, const PALETTEENTRY* entries)
    {
        return ::AnimatePalette(*this, start, count, entries) != FALSE;
    }
    UINT GetNearestPaletteIndex(COLORREF color) const { return ::GetNearestPaletteIndex(*this, color); }
};
