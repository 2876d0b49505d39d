#include "views/TRampPalette.h"

#include <new>
#include <vector>

#include "framework/TBitmap.h"
#include "framework/TClientDC.h"
#include "framework/TMemoryDC.h"

namespace {

// Whether the display draws a palette's entries as they are: some report a
// palette but map its indexes to fixed colours of their own.
bool Honoured(const TDC& window, const TPalette& palette, const PALETTEENTRY* entries, int first)
{
    TBitmap probe(window, 1, 1);
    TMemoryDC memory(window);
    memory.SelectObject(probe);
    memory.SelectObject(palette);
    memory.RealizePalette();
    for (int i : {0, TColourRamp::Size / 2, TColourRamp::Size - 1}) {
        const PALETTEENTRY& e = entries[first + i];
        memory.SetPixel(0, 0, PALETTEINDEX(first + i));
        if (memory.GetPixel(0, 0) != RGB(e.peRed, e.peGreen, e.peBlue))
            return false;
    }
    return true;
}

// The ramp as the display's nearest colours, as images drawn for it hold them.
int NearestColours(const TDC& window, const TColourRamp::Table& ramp, TColourRamp::Table& colours)
{
    colours = ramp;
    TBitmap image(window, 1, 1);
    TMemoryDC memory(window);
    memory.SelectObject(image);
    return TColourRamp::Collapse(colours, [&](uint32_t c) { return uint32_t(::GetNearestColor(memory, c)); });
}

}  // namespace

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

TRampPalette::TResult TRampPalette::Build(HWND window, int intensity, const TColourRamp::Table& ramp,
                                          TColourRamp::Table& colours)
{
    TResult result;
    const TClientDC dc(window);
    const int size = dc.GetDeviceCaps(SIZEPALETTE);
    const int reserved = dc.GetDeviceCaps(NUMRESERVED);
    const int first = reserved / 2;
    if (!(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE)) {
        result.Count = NearestColours(dc, ramp, colours);
        return result;
    }
    colours = ramp;
    TColourRamp::Shift(colours, intensity);
    result.Count = TColourRamp::Size;
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
    }
    auto palette = std::make_unique<TPalette>(entries.data(), size);
    if (!palette->IsValid() || !Honoured(dc, *palette, entries.data(), first)) {
        result.Count = NearestColours(dc, ramp, colours);
        return result;
    }
    for (int i = 0; i < TColourRamp::Size; ++i)
        colours[i] = PALETTEINDEX(first + i);
    result.Palette = std::move(palette);
    return result;
}
