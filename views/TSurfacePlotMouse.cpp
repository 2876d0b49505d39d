// The surface's interaction: levels read back from the drawn colours, the
// cursor values and lines on the skewed surface, the frequency and level
// readouts, the palette, the intensity control, the selection of a time
// segment and the double click.
#include "views/TSurfacePlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "framework/TMDIClient.h"
#include "framework/TMemoryDC.h"
#include "framework/TPalette.h"
#include "framework/ToolBtn.h"
#include "views/TRampPalette.h"
#include "views/TViewHost.h"

namespace {

// A point at the cursor's row whose depth line runs through the front
// column of frequency: the cursor's own depth offset kept. x is 0 for none.
TPoint AtColumnOf(const TSurfaceScale& scale, float frequency, const TPoint& point, int cursorColumn)
{
    const int column = scale.ColumnForFrequency(frequency);
    if (column == TSurfaceScale::NoColumn)
        return TPoint(0, point.y);
    return TPoint(point.x + column - cursorColumn, point.y);
}

}  // namespace

int TSurfacePlot::BandAtPixel(const TPoint& point)
{
    const TRect pane = GetPaneRect(point);
    if (pane.IsEmpty() || !pane.Contains(point))
        return -1;
    TBitmap* image = PaneImage(pane);
    if (!image || !HWindow)
        return -1;
    TClientDC screen(HWindow);
    TMemoryDC memory(screen);
    memory.SelectObject(*image);
    if (Palette)
        memory.SelectObject(*Palette);
    const int x = point.x - pane.left;
    const COLORREF background = ::GetNearestColor(memory, Opts->BackgroundColor);
    const COLORREF colour = TSurfaceScale::ProbeColour(point.y - pane.top, pane.Height(), background,
                                                       MainWin->GetDdeClientLink() == 0,
                                                       [&](int y) { return uint32_t(memory.GetPixel(x, y)); });
    int index;
    if (Palette)
        index = int(Palette->GetNearestPaletteIndex(colour)) - FirstSlot;
    else
        index = TSurfaceScale::BandOfColour(colour, Colours.data(), ColourCount,
                                            [&](uint32_t c) { return uint32_t(::GetNearestColor(memory, c)); });
    return index < 0 || index >= ColourCount ? 0 : index;
}

float TSurfacePlot::LevelAtPixel(const TPoint& point)
{
    const int band = BandAtPixel(point);
    if (band < 0)
        return TSurfaceScale::NoLevel;
    SyncScale();
    return Scale.LevelOfIndex(band, ColourCount);
}

int TSurfacePlot::HeightOfLevel(float level)
{
    if (Scaling.AmpScaleType == DisplaySettingsStruct::LinearAmplitude && Opts->PlotTop <= 0.0f)
        Opts->PlotTop = 1.0f;
    SyncScale();
    return Scale.HeightOfLevel(level, (PaneMode == 2 ? PaneRect1 : GraphRect).Height());
}

float TSurfacePlot::GetXValue(const TPoint& point)
{
    if (!Data)
        return 0.0f;
    const TRect pane = GetPaneRect(point);
    const int h = HeightOfLevel(LevelAtPixel(point));
    return Scale.ColumnFrequency(Scale.FrontColumn(point.x, point.y, pane.left, pane.bottom, h));
}

float TSurfacePlot::GetYValue(const TPoint& point)
{
    if (History.Empty())
        return 0.0f;
    const TRect pane = GetPaneRect(point);
    const int h = HeightOfLevel(LevelAtPixel(point));
    return History.RowValue(TSurfaceScale::RecordAtRow(point.y, pane.bottom, h, History.Count()), ShowTag != 0);
}

uint16_t TSurfacePlot::GetHarmonicCount(const TPoint& point)
{
    const float f = GetXValue(point);
    if (!Data || !(f > 0.0f))
        return 0;
    return uint16_t(std::min<double>(Data->GetHighFrequency() / f, 65535.0));
}

TPoint TSurfacePlot::GetHarmonicOffset(int index, const TPoint& point)
{
    const TRect pane = GetPaneRect(point);
    const int h = HeightOfLevel(LevelAtPixel(point));
    const int column = Scale.FrontColumn(point.x, point.y, pane.left, pane.bottom, h);
    return AtColumnOf(Scale, index * Scale.ColumnFrequency(column), point, column);
}

TPoint TSurfacePlot::GetUpperSidebandOffset(int index, const TPoint& anchor, const TPoint& point)
{
    const TRect pane = GetPaneRect(anchor);
    const int h = HeightOfLevel(LevelAtPixel(anchor));
    const int column = Scale.FrontColumn(anchor.x, anchor.y, pane.left, pane.bottom, h);
    const float f0 = Scale.ColumnFrequency(column);
    const float d = std::fabs(GetXValue(point) - f0);
    return AtColumnOf(Scale, f0 + index * d, anchor, column);
}

TPoint TSurfacePlot::GetLowerSidebandOffset(int index, const TPoint& anchor, const TPoint& point)
{
    const TRect pane = GetPaneRect(anchor);
    const int h = HeightOfLevel(LevelAtPixel(anchor));
    const int column = Scale.FrontColumn(anchor.x, anchor.y, pane.left, pane.bottom, h);
    const float f0 = Scale.ColumnFrequency(column);
    const float d = std::fabs(GetXValue(point) - f0);
    return AtColumnOf(Scale, f0 - index * d, anchor, column);
}

void TSurfacePlot::DrawDepthLine(TDC& dc, const TRect& pane, int x, int y)
{
    DrawLine(dc, x - (pane.bottom - y) / LinesPerStep, pane.bottom, x + (y - pane.top) / LinesPerStep, pane.top);
}

void TSurfacePlot::DrawCrosshair(TDC& dc, const TRect& pane, const TPoint& point)
{
    dc.IntersectClipRect(pane);
    DrawLine(dc, pane.left, point.y, pane.right, point.y);
    DrawDepthLine(dc, pane, point.x, point.y);
    dc.SelectClipRgn(nullptr);
}

void TSurfacePlot::DrawHarmonicCursors(TDC& dc, const TRect& pane, const TPoint& point)
{
    const int n = std::min<int>(GetHarmonicCount(point), 1000);
    if (n < 2)
        return;
    dc.IntersectClipRect(pane);
    for (int i = 2; i <= n; ++i) {
        const TPoint p = GetHarmonicOffset(i, point);
        if (p.x)
            DrawDepthLine(dc, pane, p.x, p.y);
    }
    dc.SelectClipRgn(nullptr);
}

void TSurfacePlot::DrawSidebandCursors(TDC& dc, const TRect& pane, const TPoint& point)
{
    dc.IntersectClipRect(pane);
    DrawDepthLine(dc, pane, AnchorPoint.x, AnchorPoint.y);
    DrawLine(dc, pane.left, point.y, pane.right, point.y);
    for (int i = 1; i <= 12; ++i)
        for (const TPoint& p : {GetUpperSidebandOffset(i, AnchorPoint, point), GetLowerSidebandOffset(i, AnchorPoint, point)})
            if (p.x)
                DrawDepthLine(dc, pane, p.x, p.y);
    dc.SelectClipRgn(nullptr);
}

void TSurfacePlot::DrawXReadout(TDC& dc, const TRect& pane, const TPoint& point, float value)
{
    if (!XReadoutBitmap || !XReadoutSaveBitmap || point.x == 0)
        return;
    const int w = XReadoutSize.cx, h = XReadoutSize.cy;
    const int centre = std::clamp(point.x + (point.y - pane.top) / LinesPerStep, pane.left + w / 2, pane.right - w / 2);
    const TRect box(centre - w / 2, pane.top - 1 - h, centre + w / 2, pane.top - 1);
    char text[64] = " ";
    if (MainWin->GetDdeSeriesLink() != 1)
        FormatAxisValue(text, value, XFormat, XUnit);
    DrawReadoutText(dc, box, *XReadoutBitmap, *XReadoutSaveBitmap, text);
    XReadoutBoxDrawn = box;
}

void TSurfacePlot::EraseXReadout(TDC& dc, const TRect&, const TPoint& point)
{
    if (!XReadoutSaveBitmap || point.x == 0 || XReadoutBoxDrawn.IsEmpty())
        return;
    EraseReadout(dc, XReadoutBoxDrawn, *XReadoutSaveBitmap);
    XReadoutBoxDrawn = TRect();
}

void TSurfacePlot::BeginCursorDraw(TDC& dc)
{
    if (Palette) {
        dc.SelectObject(*Palette);
        dc.RealizePalette();
    }
}

void TSurfacePlot::EndCursorDraw(TDC& dc)
{
    if (Palette)
        dc.RestorePalette();
}

TRect TSurfacePlot::ReadoutBoxForLevel(float level) const
{
    TPoint at(GraphRect.right + 19, (GraphRect.top + GraphRect.bottom) / 2);
    if (!DeltaMode) {
        const TCurvePoint mark = Scale.LevelMark(level, {GraphRect.left, GraphRect.top, GraphRect.right, GraphRect.bottom});
        at = TPoint(mark.x, mark.y);
    }
    const int h = AmpReadoutSize.cy;
    return TRect(at.x, at.y - h / 2, at.x + AmpReadoutSize.cx, at.y - h / 2 + h);
}

void TSurfacePlot::ShowLevelReadout(TDC& dc, const TPoint& point)
{
    if (!AmpReadoutBitmap || !AmpReadoutSaveBitmap)
        return;
    SyncScale();
    const int band = BandAtPixel(point);
    float level = band < 0 ? TSurfaceScale::NoLevel : Scale.LevelOfIndex(band, ColourCount);
    char text[64];
    const TSurfaceScale::BarText kind = TSurfaceScale::ReadoutText(band, ColourCount);
    if (DeltaMode) {
        level -= ReferenceLevel;
        FormatAxisValue(text, level, 3, "");
    } else if (kind == TSurfaceScale::BarText::Over) {
        std::snprintf(text, sizeof text, "Over");
    } else if (kind == TSurfaceScale::BarText::Under) {
        std::snprintf(text, sizeof text, "Under");
    } else {
        FormatAxisValue(text, level, 3, "");
    }
    ZValue = level;
    ReadoutText = text;
    AmpReadoutBox = ReadoutBoxForLevel(level);
    DrawReadoutText(dc, AmpReadoutBox, *AmpReadoutBitmap, *AmpReadoutSaveBitmap, text);
    AmpReadoutShown = true;
}

void TSurfacePlot::EraseLevelReadout(TDC& dc)
{
    if (!AmpReadoutShown || !AmpReadoutSaveBitmap)
        return;
    EraseReadout(dc, AmpReadoutBox, *AmpReadoutSaveBitmap);
    AmpReadoutShown = false;
}

void TSurfacePlot::EvLButtonDown(UINT keys, const TPoint& point)
{
    TPlotBase::EvLButtonDown(keys, point);
    if (SelectMode || Opts->ColorMode == 1 || !Tracking)
        return;
    TClientDC dc(HWindow);
    BeginCursorDraw(dc);
    if (DeltaMode)
        ReferenceLevel = LevelAtPixel(point);
    ShowLevelReadout(dc, point);
    EndCursorDraw(dc);
}

void TSurfacePlot::EvMouseMove(UINT keys, const TPoint& point)
{
    TPlotBase::EvMouseMove(keys, point);
    if (!AmpReadoutShown || SelectMode || !GetPaneRect(point).Contains(point))
        return;
    TClientDC dc(HWindow);
    BeginCursorDraw(dc);
    EraseLevelReadout(dc);
    ShowLevelReadout(dc, point);
    EndCursorDraw(dc);
}

void TSurfacePlot::EvLButtonUp(UINT keys, const TPoint& point)
{
    TPlotBase::EvLButtonUp(keys, point);
    if (!AmpReadoutShown)
        return;
    {
        TClientDC dc(HWindow);
        EraseLevelReadout(dc);
    }
    const int w = AmpReadoutSize.cx, h = AmpReadoutSize.cy;
    InvalidateRect(TRect(PaneRect1.right, PaneRect1.top - h / 2, PaneRect1.right + w, PaneRect1.top), true);
    if (PaneMode == 2)
        InvalidateRect(TRect(PaneRect2.right, PaneRect2.top - h / 2, PaneRect2.right + w, PaneRect2.top), true);
}

void TSurfacePlot::RealizePalette()
{
    if (!Palette || !HWindow)
        return;
    TClientDC dc(HWindow);
    dc.SelectObject(*Palette);
    dc.RealizePalette();
}

bool TSurfacePlot::EvQueryNewPalette()
{
    if (!Palette)
        return false;
    RealizePalette();
    return true;
}

void TSurfacePlot::EvPaletteChanged(HWND)
{
    RealizePalette();
}

void TSurfacePlot::EvIntensity(UINT code)
{
    // Only a palette that the display honours can shift its colours.
    if (!TRampPalette::IsPaletteDisplay(HWindow) || !Palette) {
        Opts->Intensity = 0;
        return;
    }
    if (code != SB_LINEUP && code != SB_LINEDOWN)
        return;
    const int32_t intensity =
        TColourRamp::StepIntensity(int32_t(Opts->Intensity), code == SB_LINEUP ? 1 : -1, ColourCount);
    if (intensity == int32_t(Opts->Intensity))
        return;
    Opts->Intensity = uint32_t(intensity);
    BuildPalette();
    if (Palette) {
        RealizePalette();
        return;
    }
    InvalidateRect(TRect(GraphRect.right, GraphRect.top, GraphRect.right + RightMargin, GraphRect.bottom), true);
    UpdateWindow();
}

void TSurfacePlot::ClearSelection()
{
    if (DrawnSelRect[0].IsEmpty())
        return;
    SelectMode = 0;
    SelRect[0] = SelRect[1] = TRect();
    SelectionRect = TRect();
    PlayButton->SetDown();
    FilterButton->SetDown();
    if (HWindow) {
        TClientDC dc(HWindow);
        InvertBands(dc, DrawnSelRect);
    }
    DrawnSelRect[0] = DrawnSelRect[1] = TRect();
}

void TSurfacePlot::SetSelection(const TRect& rect)
{
    SelectMode = 0;
    SelectButton->HighlightOff();
    PlayButton->SetUp();
    FilterButton->SetUp();
    auto rows = [](const TRect& r, const TRect& pane) {
        return TRect(pane.left, std::clamp<int>(r.top, pane.top, pane.bottom),
                     pane.right, std::clamp<int>(r.bottom, pane.top, pane.bottom));
    };
    if (PaneMode == 2) {
        // The other pane shows the same rows of its own lines.
        const int shift = PaneRect2.top - PaneRect1.top;
        const bool upper = rect.top < PaneRect1.bottom;
        const TRect first = upper ? rect : rect.OffsetBy(0, -shift);
        SelRect[0] = rows(first, PaneRect1);
        SelRect[1] = rows(first.OffsetBy(0, shift), PaneRect2);
    } else {
        SelRect[0] = rows(rect, GraphRect);
        SelRect[1] = TRect();
    }
    if (HWindow) {
        TClientDC dc(HWindow);
        DrawSelectionBand(dc, GraphRect);
    }
}

void TSurfacePlot::SelectAll()
{
    ClearSelection();
    SelectMode = 1;
    SelectionRect = TRect();
    SelectButton->HighlightOn();
    SetSelection(GraphRect);
}

void TSurfacePlot::GetSelectedSegment(float& start, float& end)
{
    start = end = 0.0f;
    if (!HasSelection())
        return;
    ShowTag = 0;
    const TRect pane = PaneMode == 2 ? PaneRect1 : GraphRect;
    start = History.RowValue(pane.bottom - 1 - SelRect[0].top, false);
    end = History.RowValue(pane.bottom - 1 - SelRect[0].bottom, false);
    if (MainWin->GetDdeSeriesLink())
        ShowTag = 1;
}

void TSurfacePlot::UpdateToolButton()
{
    if (!MainWin->GetWaveData())
        return;
    SelectButton->HighlightOff();
    SelectButton->SetUp();
}


void TSurfacePlot::EvLButtonDblClk(UINT, const TPoint& point)
{
    ShowTag = 0;
    if (GraphRect.Contains(point)) {
        if (MainWin->GetOpMode() == TViewHost::RealTime && MainWin->GetDdeClientLink()) {
            ShowTag = 1;
            MainWin->DdeLinkHook1(GetYValue(point));
            MainWin->DdeLinkHook2(GetXValue(point));
        } else {
            const float t = GetYValue(point);
            MainWin->ReprocessSegment(t);
            MainWin->ZoomToSegment(t, 0.0f);
            if (TWindow* client = GetParent())
                client->SendMessage(WM_MDIACTIVATE, WPARAM(HWindow));
        }
    } else {
        CmOptions();
    }
    if (MainWin->GetDdeSeriesLink())
        ShowTag = 1;
}
