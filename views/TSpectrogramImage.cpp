// The spectrogram's pane images and the lines drawn into them, with the
// column and tick tables that tie pixels to frequencies and amplitudes.
#include "views/TSpectrogram.h"

#include <algorithm>

#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "views/TSpectralSource.h"
#include "views/TSpectrogramColours.h"

void TSpectrogram::ResetVisibleRange()
{
    if (!Data)
        return;
    const TFrequencyBand band = Band();
    HideScrollBar();
    VisibleStart = Data->GetIndex(band.Low);
    VisibleEnd = Data->GetIndex(band.High);
    BuildColumnTable();
    BuildFrequencyTicks();
    BuildAmplitudeTicks();
}

void TSpectrogram::ResetScrollRange()
{
    ScrollRange = 0;
}

void TSpectrogram::SyncScale()
{
    Scale.AmpScaleType = Scaling.AmpScaleType;
    Scale.PlotTop = Opts->PlotTop;
    Scale.PlotRange = Opts->PlotRange;
}

void TSpectrogram::BuildColumnTable()
{
    if (!Data)
        return;
    const int count = Geometry().FrequencyLength(AsPane(GraphRect), AsPane(PaneRect1), PaneMode);
    Scale.BuildColumns(count, Band(), Scaling.FreqScaleType, TSpectralSource(*Data));
}

void TSpectrogram::BuildFrequencyTicks()
{
    if (!Data)
        return;
    const bool timeAlongX = Geometry().TimeAlongX();
    const int capacity = timeAlongX ? GraphRect.Height() : GraphRect.Width();
    Scale.BuildFrequencyTicks(capacity, Band(), Scaling.FreqScaleType, timeAlongX ? FontHeight + 2 : 30);
}

void TSpectrogram::BuildAmplitudeTicks()
{
    if (!Data)
        return;
    SyncScale();
    Scale.BuildAmplitudeTicks(GraphRect.Height());
}

void TSpectrogram::CreatePaneBitmaps()
{
    PaneBitmap = CreatePaneBitmap(std::move(PaneBitmap), TwoPanes() ? PaneRect1 : GraphRect);
    if (TwoPanes())
        PaneBitmap2 = CreatePaneBitmap(std::move(PaneBitmap2), PaneRect2);
    else
        PaneBitmap2.reset();
}

std::unique_ptr<TPaneImage> TSpectrogram::CreatePaneBitmap(std::unique_ptr<TPaneImage> old, const TRect& pane)
{
    const int w = pane.Width(), h = pane.Height();
    if (w <= 0 || h <= 0 || w > MaxImageSide || h >= MaxImageSide || !HWindow)
        return nullptr;
    TClientDC screen(HWindow);
    auto image = std::make_unique<TPaneImage>(screen, w, h, Palette.get());
    if (!image->IsValid())
        return nullptr;
    ClearPaneBitmap(image.get());
    if (old && old->IsValid()) {
        const TPaneRect target = Geometry().StretchTarget(old->Width(), old->Height(), w, h);
        TPaneImage::TImageDC from(screen, *old);
        TPaneImage::TImageDC to(screen, *image);
        to.SetStretchBltMode(COLORONCOLOR);
        to.StretchBlt(TRect(target.left, target.top, target.right, target.bottom), from,
                      TRect(0, 0, old->Width(), old->Height()));
    }
    return image;
}

void TSpectrogram::ClearPaneBitmap(TPaneImage* image)
{
    if (image)
        image->Fill(TSpectrogramColours::Background(Opts->ColorMode, Opts->MinCustomColor));
}

void TSpectrogram::ClearPaneBitmaps()
{
    ClearPaneBitmap(PaneBitmap.get());
    ClearPaneBitmap(PaneBitmap2.get());
    WrapPos = 0;
}

const std::vector<int>& TSpectrogram::LineColours(TSpectralData& data)
{
    SyncScale();
    Scale.ColumnIndices(TSpectralSource(data), ColourCount, ColumnColours);
    return ColumnColours;
}

// The line's LinesPerStep pixels across every column, offset pixels from the
// newest edge.
void TSpectrogram::WriteLine(int offset, TPaneImage& image, TSpectralData& data)
{
    const std::vector<int>& indices = LineColours(data);
    const TSpectrogramGeometry geometry = Geometry();
    TPaneImage::TWriter pixels(image);
    for (int k = 0; k < LinesPerStep; ++k)
        for (size_t p = 0; p < indices.size(); ++p) {
            const TCurvePoint at = geometry.ImagePixel(offset + k, int(p), image.Width(), image.Height());
            pixels.Set(at.x, at.y, Colours[size_t(indices[p])]);
        }
}

void TSpectrogram::AddSpectrumLine(TPaneImage* image, TSpectralData* data, const TRect& pane)
{
    if (!data || !image || Scale.Columns.empty())
        return;
    if (Scaling.AmpScaleType == DisplaySettingsStruct::LinearAmplitude && Opts->PlotTop <= 0.0f)
        Opts->PlotTop = 1.0f;
    if (Opts->ScrollType == ScrollImage) {
        const TCurvePoint shift = Geometry().ScrollOffset(LinesPerStep);
        image->Scroll(shift.x, shift.y);
    }
    WriteLine(Opts->ScrollType == ScrollImage ? 0 : WrapPos, *image, *data);
    if (::IsIconic(HWindow))
        return;
    TClientDC dc(HWindow);
    UsePalette(dc);
    TPaneImage::TImageDC memory(dc, *image);
    dc.BitBlt(pane.left, pane.top, image->Width(), image->Height(), memory, 0, 0);
}

void TSpectrogram::DrawLineAt(int offset, TPaneImage* image, TSpectralData* data)
{
    if (!data || !image || Scale.Columns.empty())
        return;
    WriteLine(offset, *image, *data);
}

void TSpectrogram::ShowPaneBitmaps()
{
    if (!HWindow || ::IsIconic(HWindow))
        return;
    TClientDC dc(HWindow);
    UsePalette(dc);
    for (int pane = 0; pane < (TwoPanes() ? 2 : 1); ++pane)
        if (TPaneImage* image = Image(pane)) {
            const TRect rect = ImageRect(pane);
            TPaneImage::TImageDC memory(dc, *image);
            dc.BitBlt(rect.left, rect.top, image->Width(), image->Height(), memory, 0, 0);
        }
}
