// The spectrum view's frequency markers: arrows with their labels drawn over
// the curves, erased by overdrawing and invalidated where they stood.
#include "views/TSpectrumPlot.h"

#include <string>

#include "engine/TSpectralData.h"
#include "framework/TDC.h"
#include "views/TSpectralSource.h"
#include "views/TSpectrumControls.h"
#include "views/TViewHost.h"

namespace {

constexpr int ArrowHeight = 8;
constexpr int ArrowHalfWidth = 3;
constexpr int StemTop = 20;
// Space between the label's baseline and the stem's top.
constexpr int LabelRise = 19;

void DrawArrow(TDC& dc, int x, int y)
{
    dc.MoveTo(x, y);
    dc.LineTo(x - ArrowHalfWidth, y - ArrowHeight);
    dc.LineTo(x + ArrowHalfWidth, y - ArrowHeight);
    dc.LineTo(x, y);
    dc.MoveTo(x, y - ArrowHeight);
    dc.LineTo(x, y - StemTop);
}

void FrameBox(TDC& dc, const TRect& r)
{
    dc.MoveTo(r.left, r.top);
    dc.LineTo(r.right, r.top);
    dc.LineTo(r.right, r.bottom);
    dc.LineTo(r.left, r.bottom);
    dc.LineTo(r.left, r.top);
}

}  // namespace

void TSpectrumPlot::DrawMarkers(TDC& dc, TSpectralData* data, TPoint* tips, TRect* frames, const TRect& pane,
                                const TRect& update)
{
    if (!Data || !data || !MainWin || Scale.ColumnBins.empty() || int(Scale.ColumnBins.size()) < pane.Width())
        return;
    if (pane.right <= update.left || pane.left >= update.right || pane.bottom <= update.top
        || pane.top >= update.bottom)
        return;
    const TPlotDevice& device = Device();
    const int saved = dc.SaveDC();
    if (device.ClipsToPanes)
        dc.IntersectClipRect(pane);
    const TColor ink = device.Ink(dc, Opts->MarkerColor);
    dc.SelectObject(Gdi.Pen(ink));
    if (Font)
        dc.SelectObject(*Font);
    SyncScale();
    const MarkerSettings& markers = MainWin->GetMarkers();
    const bool held = markers.PeakHoldFlag && PeakHoldOn();
    const bool decibels = Scaling.AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    const TSpectralSource source(*data);
    for (int n = 0; n < MarkerSettings::Count; ++n) {
        tips[n] = TPoint(0, 0);
        frames[n] = TRect(0, 0, 0, 0);
        if (!markers.MarkerEnable[n])
            continue;
        // A marker beyond the engine's range is skipped rather than looked up.
        const int column = Scale.MarkerColumn(markers.MarkerFreq[n], source);
        if (column == TSpectrumScale::NoColumn || column >= pane.Width())
            continue;
        const int bin = data->GetIndex(markers.MarkerFreq[n]);
        const float value = held ? data->GetPeakHoldValue(bin) : data->GetDisplayValue(bin);
        const int h = Scale.ValueToHeight(value, pane.Height(), IsCoherencePane(pane));
        const int x = pane.left + column;
        const int y = pane.bottom - h - 1;
        DrawArrow(dc, x, y);
        if (device.Erasable)
            tips[n] = TPoint(x, y);
        if (markers.LabelType[n] == TSpectrumControls::NoLabel)
            continue;
        const std::string label =
            TSpectrumControls::MarkerLabel(markers.LabelType[n], markers.MarkerFreq[n], value, decibels,
                                           markers.CustomLabel[n]);
        const int top = y - FontHeight - LabelRise;
        const UINT oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        const TColor oldText = dc.SetTextColor(ink);
        const TColor oldBack = dc.SetBkColor(TColor(Opts->BackgroundColor));
        dc.TextOut(x, top, label.c_str());
        TRect box(0, 0, 0, 0);
        dc.DrawText(label.c_str(), int(label.size()), box, DT_CALCRECT);
        const int width = box.Width();
        const TRect frame(x - width / 2, top, x + width - width / 2, top + box.Height() - 1);
        FrameBox(dc, frame);
        frames[n] = frame;
        dc.SetTextColor(oldText);
        dc.SetBkColor(oldBack);
        dc.SetBkMode(oldMode);
        dc.SetTextAlign(oldAlign);
    }
    dc.RestoreDC(saved);
}

void TSpectrumPlot::EraseMarkers(TDC& dc, TPoint* tips, TRect* frames, const TRect& pane)
{
    if (!Device().Erasable || !MainWin || int(Scale.ColumnBins.size()) < pane.Width())
        return;
    const MarkerSettings& markers = MainWin->GetMarkers();
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(pane);
    dc.SelectObject(Gdi.Pen(TColor(Opts->BackgroundColor)));
    const TBrush& background = Gdi.Brush(TColor(Opts->BackgroundColor));
    for (int n = 0; n < MarkerSettings::Count; ++n) {
        if (!markers.MarkerEnable[n] || (tips[n].x == 0 && tips[n].y == 0))
            continue;
        DrawArrow(dc, tips[n].x, tips[n].y);
        if (markers.LabelType[n] != TSpectrumControls::NoLabel && !frames[n].IsEmpty())
            dc.FillRect(TRect(frames[n].left, frames[n].top, frames[n].right + 1, frames[n].bottom + 1), background);
    }
    dc.RestoreDC(saved);
}

void TSpectrumPlot::InvalidateMarkers(TPoint* tips, TRect* frames)
{
    if (!Device().Erasable || !MainWin)
        return;
    const MarkerSettings& markers = MainWin->GetMarkers();
    for (int n = 0; n < MarkerSettings::Count; ++n) {
        if (!markers.MarkerEnable[n])
            continue;
        InvalidateRect(TRect(tips[n].x - ArrowHalfWidth, tips[n].y - StemTop, tips[n].x + 4, tips[n].y + 1), false);
        if (!frames[n].IsEmpty()) {
            frames[n] = TRect(frames[n].left, frames[n].top, frames[n].right + 1, frames[n].bottom + 1);
            InvalidateRect(frames[n], false);
        }
    }
}
