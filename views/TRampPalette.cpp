#include "views/TRampPalette.h"

#include <new>
#include <vector>

#include "framework/TClientDC.h"

bool TRampPalette::IsPaletteDisplay(HWND window)
{
    const TClientDC dc(window);
    return (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
}

int TRampPalette::FirstSlot(HWND window)
{
    const TClientDC dc(window);
    return dc.GetDeviceCaps(NUMRESERVED) / 2;
}

TRampPalette::TResult TRampPalette::Build(HWND window, int intensity, TColourRamp::Table& colours)
{
    TResult result;
    const TClientDC dc(window);
    colours = TColourRamp::Spectrum();
    if (!(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE)) {
        result.Count = TColourRamp::Collapse(colours, [&](uint32_t c) { return uint32_t(::GetNearestColor(dc, c)); });
        return result;
    }
    TColourRamp::Shift(colours, intensity);
    result.Count = TColourRamp::Size;
    const int size = dc.GetDeviceCaps(SIZEPALETTE);
    const int reserved = dc.GetDeviceCaps(NUMRESERVED);
    const int first = reserved / 2;
    if (size - reserved < TColourRamp::Size)
        return result;
    std::vector<PALETTEENTRY> entries;
    try {
        entries.resize(size_t(size));
    } catch (const std::bad_alloc&) {
        result.NoMemory = true;
        return result;
    }
    ::GetSystemPaletteEntries(dc, 0, UINT(size), entries.data());
    for (int i = 0; i < TColourRamp::Size; ++i) {
        const uint32_t c = colours[i];
        entries[size_t(first + i)] = {BYTE(c & 0xFF), BYTE(c >> 8 & 0xFF), BYTE(c >> 16 & 0xFF), PC_RESERVED};
        colours[i] = PALETTEINDEX(first + i);
    }
    result.Palette = std::make_unique<TPalette>(entries.data(), size);
    return result;
}
