// The spectrogram's colour map: the 200-colour ramp, the logical palette of a
// 256-colour display, the palette messages, the intensity control and the
// colour bar beside the panes.
#include "views/TSpectrogram.h"

#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "framework/TFont.h"
#include "resources/StringIds.h"
#include "views/TRampPalette.h"
#include "views/TSpectrogramColours.h"
#include "views/TViewHost.h"

void TSpectrogram::BuildPalette()
{
    Palette.reset();
    const TColourRamp::Table ramp = TSpectrogramColours::Build(Opts->ColorMode, Opts->MinCustomColor,
                                                               Opts->MaxCustomColor);
    Colours = ramp;
    ColourCount = TColourRamp::Size;
    if (!HWindow)
        return;
    TRampPalette::TResult result = TRampPalette::Build(HWindow, Opts->Intensity, ramp, Colours);
    if (result.NoMemory)
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
    Palette = std::move(result.Palette);
    ColourCount = result.Count;
    PaletteFirstSlot = Palette ? TRampPalette::FirstSlot(HWindow) : 0;
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
    // Only a palette the display honours can shift the picture's colours.
    if (!Palette) {
        if (code != SB_ENDSCROLL)
            return;
        Opts->Intensity = 0;
        if (!TRampPalette::IsPaletteDisplay(HWindow))
            MessageBox("Your video driver must be set to 256 color mode (8 bit) for the intensity control to "
                       "function",
                       "", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (code != SB_LINEUP && code != SB_LINEDOWN)
        return;
    const int intensity = TColourRamp::StepIntensity(Opts->Intensity, code == SB_LINEUP ? 1 : -1, ColourCount);
    if (intensity == Opts->Intensity)
        return;
    Opts->Intensity = intensity;
    BuildPalette();
    if (Palette) {
        TClientDC dc(HWindow);
        UsePalette(dc);
    } else {
        InvalidateColourBar();
    }
}

void TSpectrogram::DrawColourBar(TDC& dc, const TRect& update)
{
    if (!Data || Scale.AmpTicks.empty())
        return;
    const TRect strip(GraphRect.right, GraphRect.top - 4, GraphRect.right + RightMargin, GraphRect.bottom + 4);
    if (!strip.Touches(update))
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
    for (const TAxisLabel& tick : Scale.AmpTicks) {
        const int y = GraphRect.top + tick.Position;
        dc.MoveTo(bar.right, y);
        dc.LineTo(bar.right + 2, y);
        DrawText(dc, bar.right + 4, y - FontHeight / 2 - 1, tick.Text, TA_LEFT | TA_TOP);
    }
    DrawText(dc, GraphRect.right + RightMargin - FontHeight - 4, GraphRect.top + height / 2,
             Data->GetAmplitudeUnitName(), TA_CENTER | TA_TOP, &RotatedFont());
}
