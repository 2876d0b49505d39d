// The spectrogram's colour map: the 200-colour ramp, the logical palette of a
// 256-colour display, the palette messages, the intensity control and the
// colour bar beside the panes.
#include "views/TSpectrogram.h"

#include <vector>

#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "framework/TFont.h"
#include "resources/StringIds.h"
#include "views/TViewHost.h"

namespace {

bool IsPaletteDisplay(const TDC& dc)
{
    return (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
}

}  // namespace

void TSpectrogram::BuildPalette()
{
    Palette.reset();
    PaletteFirstSlot = 0;
    Colours = TColourMap::Build(Opts->ColorMode, Opts->MinCustomColor, Opts->MaxCustomColor);
    ColourCount = TColourMap::Size;
    if (!HWindow)
        return;
    TClientDC dc(HWindow);
    if (!IsPaletteDisplay(dc)) {
        ColourCount = TColourMap::CollapseRuns(Colours, [&dc](uint32_t c) { return uint32_t(::GetNearestColor(dc, c)); });
        return;
    }
    TColourMap::ShiftIntensity(Colours, Opts->Intensity);
    const int size = dc.GetDeviceCaps(SIZEPALETTE);
    const int reserved = dc.GetDeviceCaps(NUMRESERVED);
    if (size - reserved < TColourMap::Size)
        return;
    // The system palette with the map in the middle, between the static colours.
    std::vector<PALETTEENTRY> entries(static_cast<size_t>(size));
    ::GetSystemPaletteEntries(dc, 0, UINT(size), entries.data());
    const int first = reserved / 2;
    for (int i = 0; i < TColourMap::Size; ++i) {
        const uint32_t c = Colours[size_t(i)];
        entries[size_t(first + i)] = {BYTE(c & 0xFF), BYTE(c >> 8 & 0xFF), BYTE(c >> 16 & 0xFF), PC_RESERVED};
    }
    auto palette = std::make_unique<TPalette>(entries.data(), size);
    if (!palette->IsValid()) {
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Palette = std::move(palette);
    PaletteFirstSlot = first;
    for (int i = 0; i < TColourMap::Size; ++i)
        Colours[size_t(i)] = PALETTEINDEX(first + i);
}

void TSpectrogram::UsePalette(TDC& dc)
{
    if (!Palette)
        return;
    dc.SelectObject(*Palette);
    dc.RealizePalette();
}

void TSpectrogram::BeginCursorDraw(TDC& dc)
{
    UsePalette(dc);
}

void TSpectrogram::EndCursorDraw(TDC& dc)
{
    if (Palette)
        dc.RestorePalette();
}

void TSpectrogram::EvPaletteChanged(HWND changer)
{
    // The change this window's own realisation caused needs no answer.
    if (!Palette || changer == HWindow)
        return;
    TClientDC dc(HWindow);
    UsePalette(dc);
}

bool TSpectrogram::EvQueryNewPalette()
{
    if (!Palette)
        return false;
    TClientDC dc(HWindow);
    UsePalette(dc);
    return true;
}

void TSpectrogram::InvalidateColourBar()
{
    InvalidateRect(TRect(GraphRect.right, GraphRect.top, GraphRect.right + RightMargin, GraphRect.bottom), true);
    UpdateWindow();
}

void TSpectrogram::EvIntensityScroll(UINT code)
{
    TClientDC dc(HWindow);
    const bool paletteDisplay = IsPaletteDisplay(dc);
    if (code == SB_ENDSCROLL && !paletteDisplay) {
        Opts->Intensity = 0;
        MessageBox("Your video driver must be set to 256 color mode (8 bit) for the intensity control to function",
                   "", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!paletteDisplay || (code != SB_LINEUP && code != SB_LINEDOWN))
        return;
    const int intensity = TColourMap::StepIntensity(Opts->Intensity, code == SB_LINEUP ? 1 : -1, ColourCount);
    if (intensity == Opts->Intensity)
        return;
    Opts->Intensity = intensity;
    BuildPalette();
    if (Palette)
        UsePalette(dc);
    else
        InvalidateColourBar();
}

void TSpectrogram::DrawColourBar(TDC& dc, const TRect& update)
{
    if (!Data || Scale.AmplitudeTicks.empty())
        return;
    const TRect strip(GraphRect.right, GraphRect.top - 4, GraphRect.right + RightMargin, GraphRect.bottom + 4);
    if (!PrintMode && !strip.Touches(update))
        return;
    const int height = GraphRect.Height();
    const TRect bar(GraphRect.right + 10, GraphRect.top, GraphRect.right + 18, GraphRect.bottom);
    TPaneImage image(dc, bar.Width(), height, Palette.get());
    if (image.IsValid()) {
        {
            TPaneImage::TWriter pixels(image);
            for (int n = 0; n < height; ++n) {
                const COLORREF colour = Colours[size_t(n * ColourCount / height)];
                for (int x = 0; x < bar.Width(); ++x)
                    pixels.Set(x, height - 1 - n, colour);
            }
        }
        UsePalette(dc);
        TPaneImage::TImageDC memory(dc, image);
        dc.BitBlt(bar.left, bar.top, bar.Width(), height, memory, 0, 0);
    }
    dc.FrameRect(bar.InflatedBy(1, 1), Gdi.Brush(TColor::Black));
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const TAxisLabel& tick : Scale.AmplitudeTicks) {
        const int y = GraphRect.top + tick.Position;
        dc.MoveTo(bar.right, y);
        dc.LineTo(bar.right + 2, y);
        DrawText(dc, bar.right + 4, y - FontHeight / 2 - 1, tick.Text, TA_LEFT | TA_TOP);
    }
    DrawText(dc, GraphRect.right + RightMargin - FontHeight - 4, GraphRect.top + height / 2,
             Data->GetAmplitudeUnitName(), TA_CENTER | TA_TOP, &VerticalFont());
}
