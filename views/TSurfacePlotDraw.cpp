// The surface's drawing: a new line into a pane image with the older ones
// hidden behind it and colours by height, and the painting of the images,
// axes, markers, colour scale, titles, labels and selection band.
#include "views/TSurfacePlot.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "framework/TDib.h"
#include "framework/TEdit.h"
#include "framework/TMemoryDC.h"
#include "framework/TPalette.h"
#include "framework/TScrollBar.h"
#include "framework/UiHelpers.h"
#include "resources/StringIds.h"
#include "views/MarkerSettings.h"
#include "views/TSpectralSource.h"
#include "views/TViewHost.h"

void TSurfacePlot::AddSpectrumLine(TBitmap* bitmap, TSpectralData* data, const TRect& pane)
{
    if (!bitmap || !data || Scale.Columns.empty() || !HWindow)
        return;
    if (Scaling.AmpScaleType == DisplaySettingsStruct::LinearAmplitude && Opts->PlotTop <= 0.0f)
        Opts->PlotTop = 1.0f;
    SyncScale();
    const int w = pane.Width(), h = pane.Height();
    const int scale = TSurfaceScale::HeightScale(h);
    if (scale <= 0)
        return;
    TClientDC window(HWindow);
    TMemoryDC memory(window);
    memory.SelectObject(*bitmap);
    if (Palette) {
        window.SelectObject(*Palette);
        window.RealizePalette();
        memory.SelectObject(*Palette);
        memory.RealizePalette();
    }
    // Every older line moves back: one column right and a step up.
    memory.BitBlt(1, -LinesPerStep, w, h, memory, 0, 0);
    FillSolid(memory, TRect(0, 0, 1, h), Opts->BackgroundColor);
    FillSolid(memory, TRect(0, h - LinesPerStep, w, h), Opts->BackgroundColor);

    const std::vector<TCurvePoint> outline = Scale.BuildOutline(TSpectralSource(*data), h, Opts->ColorMode == 0);
    if (outline.size() >= 3) {
        COLORREF pen = Opts->LineColor;
        if (Opts->ColorMode == 0)
            pen = Opts->BackgroundColor == RGB(255, 255, 255) ? RGB(0, 0, 0) : RGB(255, 255, 255);
        // The filled outline hides every older line behind the new one.
        memory.SelectObject(Gdi.Pen(pen));
        memory.SelectObject(Gdi.Brush(Opts->BackgroundColor));
        const int oldFill = ::SetPolyFillMode(memory, WINDING);
        static_assert(sizeof(TCurvePoint) == sizeof(TPoint));
        memory.Polygon(reinterpret_cast<const TPoint*>(outline.data()), int(outline.size()));
        ::SetPolyFillMode(memory, oldFill);
        if (Opts->ColorMode == 0) {
            // The pen as the image holds it, which on a palette display is its nearest entry.
            const COLORREF shown = ::GetNearestColor(memory, pen);
            TSurfaceScale::PaintByHeight(
                outline, h, scale, ColourCount, [&](int x, int y) { return memory.GetPixel(x, y) == shown; },
                [&](int x, int y, int index) { memory.SetPixel(x, y, Colours[size_t(index)]); });
        }
    }
    window.IntersectClipRect(pane);
    window.BitBlt(pane.left, pane.top, w, h, memory, 0, 0);
    window.SelectClipRgn(nullptr);
}

void TSurfacePlot::Paint(TDC& dc, bool erase, TRect& requested)
{
    if (!Data)
        return;
    TRect update = Device().Clip(requested);
    TPlotBase::Paint(dc, erase, update);
    if (Palette) {
        dc.SelectObject(*Palette);
        dc.RealizePalette();
    }
    DrawColourScale(dc, update);
    if (PaneMode == 2) {
        DrawDepthAxis(dc, PaneRect1, update);
        DrawDepthAxis(dc, PaneRect2, update);
        DrawFrequencyAxis(dc, PaneRect2, update);
        const struct {
            const TRect& Pane;
            TSpectralData* Source;
            TBitmap* Image;
        } panes[] = {{PaneRect1, Data, PaneBitmap.get()}, {PaneRect2, Data2, PaneBitmap2.get()}};
        for (const auto& p : panes) {
            DrawMarkers(dc, p.Pane, update);
            DrawPaneTitle(dc, p.Pane, update, p.Source ? p.Source->GetLabel() : "");
            DrawPaneImage(dc, p.Pane, p.Image);
        }
    } else {
        DrawPaneTitle(dc, GraphRect, update, Data->GetLabel());
        DrawDepthAxis(dc, GraphRect, update);
        DrawFrequencyAxis(dc, GraphRect, update);
        DrawMarkers(dc, GraphRect, update);
        DrawPaneImage(dc, GraphRect, PaneBitmap.get());
    }
    DrawSelectionBand(dc, update);
    PaintLogo(dc, LogoRect, update);
}

void TSurfacePlot::PaintGraph(TDC& dc, bool erase, TRect& update)
{
    TPlotBase::PaintGraph(dc, erase, update);
    if (!Device().WindowParts || !Opts->ShowToolbar || update.top > ButtonBarHeight)
        return;
    if (Font)
        BarFields.PaintLabels(dc, *Font);
}

void TSurfacePlot::DrawPaneTitle(TDC& dc, const TRect& pane, const TRect& update, const char* label)
{
    if (!ShowsTitle() || pane.top <= FontHeight || update.top >= pane.top)
        return;
    const int y = pane.top - FontHeight - 3;
    if (Scaling.SpectralDensityFlag == 1) {
        DrawText(dc, pane.right, y, Scaling.SpectralDensityType == 0 ? "PSD: Units^2/Hz" : "PSD: Units/sqrt(Hz)",
                 TA_RIGHT | TA_TOP);
        DrawText(dc, pane.left, y, label, TA_LEFT | TA_TOP);
    } else {
        DrawText(dc, pane.left + pane.Width() / 2, y, label, TA_CENTER | TA_TOP);
    }
}

void TSurfacePlot::DrawDepthAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (History.Empty() || update.left > pane.left)
        return;
    char caption[64];
    if (MainWin->GetRpmLinkFlag() == 1) {
        ShowTag = 1;
        std::snprintf(caption, sizeof caption, "RPM (1 line = %6.2f)", double(MainWin->GetRpmPerLine()));
    } else {
        std::snprintf(caption, sizeof caption, "%s", IDS_AXIS_TIME_TEXT);
    }
    DrawText(dc, 8, (pane.top + pane.bottom) / 2, caption, TA_CENTER | TA_TOP, &RotatedFont());
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (int y : {pane.bottom - 1, pane.top}) {
        dc.MoveTo(pane.left - 3, y);
        dc.LineTo(pane.left, y);
    }
    DrawText(dc, pane.left - 6, pane.bottom - 1 - FontHeight / 2, StartTimeText, TA_RIGHT | TA_TOP);
    DrawText(dc, pane.left - 6, pane.top - FontHeight / 2, EndTimeText, TA_RIGHT | TA_TOP);
}

void TSurfacePlot::DrawFrequencyAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (update.bottom <= pane.bottom)
        return;
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const TAxisLabel& tick : Scale.FreqTicks) {
        const int x = pane.left + tick.Position;
        dc.MoveTo(x, pane.bottom);
        dc.LineTo(x, pane.bottom + 3);
        if (tick.Text[0]) {
            char text[11] = {};
            std::memcpy(text, tick.Text, 10);
            DrawText(dc, x, pane.bottom + 3, text, TA_CENTER | TA_TOP);
        }
    }
    char title[160];
    const char* linkName = nullptr;
    const char* linkUnit = nullptr;
    if (MainWin->GetLinkAxis(linkName, linkUnit))
        std::snprintf(title, sizeof title, "%s %s", linkName, linkUnit);
    else
        std::snprintf(title, sizeof title, "%s %s", IDS_AXIS_FREQUENCY_TEXT, IDS_UNIT_HZ_TEXT);
    const TRect client = GetClientRect();
    const TPoint windowPlace((GraphRect.left + GraphRect.right) / 2, client.bottom - FontHeight - 2);
    const TPoint at = Device().AxisTitleAt(GraphRect, pane.bottom, FontHeight, windowPlace);
    DrawText(dc, at.x, at.y, title, TA_CENTER | TA_TOP);
}

void TSurfacePlot::DrawMarkers(TDC& dc, const TRect& pane, const TRect& update)
{
    if (update.bottom < pane.bottom)
        return;
    const MarkerSettings& markers = MainWin->GetMarkers();
    dc.SelectObject(Gdi.Pen(TColor(255, 0, 0)));
    for (int i = 0; i < MarkerSettings::Count; ++i) {
        if (!markers.MarkerEnable[i])
            continue;
        const int column = ColumnForFrequency(markers.MarkerFreq[i]);
        if (column < 0)
            continue;
        const int x = pane.left + column;
        const int b = pane.bottom;
        const TPoint head[] = {{x, b + 2}, {x - 2, b + 8}, {x + 2, b + 8}, {x, b + 2}};
        dc.Polyline(head, 4);
        dc.MoveTo(x, b + 8);
        dc.LineTo(x, b + 16);
    }
}

void TSurfacePlot::DrawPaneImage(TDC& dc, const TRect& pane, TBitmap* bitmap)
{
    if (!bitmap)
        return;
    if (Device().CopiesImages) {
        TMemoryDC memory(dc);
        memory.SelectObject(*bitmap);
        if (Palette)
            memory.SelectObject(*Palette);
        dc.BitBlt(pane.left, pane.top, pane.Width(), pane.Height(), memory, 0, 0);
        return;
    }
    const TDib image(HBITMAP(*bitmap), 24);
    if (!image.IsOK()) {
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int oldMode = dc.SetStretchBltMode(COLORONCOLOR);
    dc.StretchDIBits(pane, TRect(0, 0, image.Width(), image.Height()), image.GetBits(), image.GetInfo());
    dc.SetStretchBltMode(oldMode);
    dc.SelectObject(Gdi.Pen(TColor::Black));
    const TPoint frame[] = {{pane.left, pane.top}, {pane.right, pane.top}, {pane.right, pane.bottom},
                            {pane.left, pane.bottom}, {pane.left, pane.top}};
    dc.Polyline(frame, 5);
}

void TSurfacePlot::DrawColourScale(TDC& dc, const TRect& update)
{
    if (Opts->ColorMode == 1 || ColourCount <= 0)
        return;
    const TRect bar(GraphRect.right + ColourBarGap, GraphRect.top, GraphRect.right + ColourBarGap + ColourBarWidth,
                    GraphRect.bottom);
    if (!TRect(GraphRect.right, 0, GraphRect.right + RightMargin, 30000).Touches(update))
        return;
    const int height = bar.Height();
    // One fill per run of rows of one colour, from the bottom up.
    for (int k = 0; k < height;) {
        const int index = k * ColourCount / height;
        int end = k + 1;
        while (end < height && end * ColourCount / height == index)
            ++end;
        FillSolid(dc, TRect(bar.left, bar.bottom - end, bar.right, bar.bottom - k), Colours[size_t(index)]);
        k = end;
    }
    dc.SelectObject(Gdi.Pen(TColor::Black));
    const TPoint frame[] = {{bar.left - 1, bar.top - 1}, {bar.right, bar.top - 1}, {bar.right, bar.bottom},
                            {bar.left - 1, bar.bottom}, {bar.left - 1, bar.top - 1}};
    dc.Polyline(frame, 5);
    for (const TAxisLabel& tick : Scale.AmpTicks) {
        const int y = bar.top + tick.Position;
        dc.MoveTo(bar.right, y);
        dc.LineTo(bar.right + 2, y);
        char text[11] = {};
        std::memcpy(text, tick.Text, 10);
        DrawText(dc, bar.right + 4, y - FontHeight / 2 - 1, text, TA_LEFT | TA_TOP);
    }
    if (Data)
        DrawText(dc, GraphRect.right + RightMargin - FontHeight - 4, (GraphRect.top + GraphRect.bottom) / 2,
                 Data->GetAmplitudeUnitName(), TA_CENTER | TA_TOP, &RotatedFont());
}

void TSurfacePlot::InvertBands(TDC& dc, const TRect* bands)
{
    const TRect panes[] = {PaneMode == 2 ? PaneRect1 : GraphRect, PaneRect2};
    for (int i = 0; i < (PaneMode == 2 ? 2 : 1); ++i)
        if (!bands[i].IsEmpty())
            dc.InvertRect(TRect(panes[i].left, bands[i].top, panes[i].right, bands[i].bottom));
}

void TSurfacePlot::DrawSelectionBand(TDC& dc, const TRect& update)
{
    if (MainWin->GetRunState() != TViewHost::Stopped || !GraphRect.Touches(update) || !HasSelection())
        return;
    InvertBands(dc, SelRect);
    DrawnSelRect[0] = SelRect[0];
    DrawnSelRect[1] = SelRect[1];
}

void TSurfacePlot::UpdateReadout()
{
    if (History.Empty() || !HWindow)
        return;
    char start[20], end[20];
    auto label = [&](char* text, const THistoryRecord& r) {
        if (MainWin->GetRpmLinkFlag()) {
            if (r.Tag == 0.0f)
                text[0] = '\0';
            else
                std::snprintf(text, 20, "%6.2f", double(r.Tag));
            return;
        }
        // The time formatter's short form cut to hundredths: the full one
        // is wider than the margin beside the pane.
        const std::string t = FormatTime(r.Time, true, false);
        std::snprintf(text, 20, "%.*s", int(t.size()) - 1, t.c_str());
    };
    label(start, History[0]);
    label(end, History[std::max(History.Count() - LinesPerStep, 0)]);
    auto edge = [&](int y, int shift) {
        return TRect(GraphRect.left - LeftMargin - shift, y - FontHeight / 2 - 1, GraphRect.left - shift,
                     y + FontHeight / 2 + 1);
    };
    if (std::strcmp(start, StartTimeText) != 0) {
        std::strcpy(StartTimeText, start);
        InvalidateRect(edge(GraphRect.bottom, 0), true);
        if (PaneMode == 2)
            InvalidateRect(edge(PaneRect1.bottom, 2), true);
    }
    if (std::strcmp(end, EndTimeText) != 0) {
        std::strcpy(EndTimeText, end);
        InvalidateRect(edge(GraphRect.top, 0), true);
        if (PaneMode == 2)
            InvalidateRect(edge(PaneRect2.top, 2), true);
    }
    UpdateWindow();
}
