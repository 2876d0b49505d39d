// Painting the spectrogram: pane titles, time and frequency axes, markers,
// the pane images, the selection and the control bar's labels.
#include "views/TSpectrogram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "framework/TDib.h"
#include "framework/TFont.h"
#include "resources/StringIds.h"
#include "views/MarkerSettings.h"
#include "views/TViewHost.h"

void TSpectrogram::PaintGraph(TDC& dc, bool erase, TRect& update)
{
    if (!Device().WindowParts || update.top > ButtonBarHeight)
        return;
    TPlotBase::PaintGraph(dc, erase, update);
    if (!Opts->ShowToolbar)
        return;
    IntensityBar->Show(Palette ? SW_SHOW : SW_HIDE);
    if (Font)
        BarFields.PaintLabels(dc, *Font);
}

void TSpectrogram::Paint(TDC& dc, bool erase, TRect& requested)
{
    if (!Data)
        return;
    TRect update = Device().Clip(requested);
    TPlotBase::Paint(dc, erase, update);
    DrawColourBar(dc, update);
    const bool timeAlongX = Geometry().TimeAlongX();
    if (!TwoPanes()) {
        DrawPaneTitle(dc, GraphRect, update, Data->GetLabel());
        DrawTimeAxis(dc, GraphRect, update);
        DrawFrequencyAxis(dc, GraphRect, update);
        DrawMarkers(dc, GraphRect, update);
        BlitPaneBitmap(dc, PaneBitmap.get(), GraphRect, update);
    } else {
        // The axis that runs along both panes is labelled under the lower one only.
        if (timeAlongX) {
            DrawFrequencyAxis(dc, PaneRect1, update);
            DrawFrequencyAxis(dc, PaneRect2, update);
            DrawTimeAxis(dc, PaneRect2, update);
        } else {
            DrawTimeAxis(dc, PaneRect1, update);
            DrawTimeAxis(dc, PaneRect2, update);
            DrawFrequencyAxis(dc, PaneRect2, update);
        }
        DrawMarkers(dc, PaneRect1, update);
        DrawMarkers(dc, PaneRect2, update);
        DrawPaneTitle(dc, PaneRect1, update, Data->GetLabel());
        BlitPaneBitmap(dc, PaneBitmap.get(), PaneRect1, update);
        DrawPaneTitle(dc, PaneRect2, update, Data2 ? Data2->GetLabel() : "");
        BlitPaneBitmap(dc, PaneBitmap2.get(), PaneRect2, update);
    }
    DrawSelection(dc, update);
    PaintLogo(dc, LogoRect, update);
}

void TSpectrogram::DrawPaneTitle(TDC& dc, const TRect& pane, const TRect& update, const char* label)
{
    if (!ShowsTitle() || update.top >= pane.top)
        return;
    const int y = pane.top - FontHeight - 3;
    if (Scaling.SpectralDensityFlag == 1) {
        DrawText(dc, pane.right, y, Scaling.SpectralDensityType == 0 ? "PSD: Units^2/Hz" : "PSD: Units/sqrt(Hz)",
                 TA_RIGHT | TA_TOP);
        DrawText(dc, pane.left, y, label, TA_LEFT | TA_TOP);
    } else {
        DrawText(dc, GetClientRect().right / 2, y, label, TA_CENTER | TA_TOP);
    }
}

void TSpectrogram::DrawTimeAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (History.Count() == 0)
        return;
    const TSpectrogramGeometry geometry = Geometry();
    const bool timeAlongX = geometry.TimeAlongX();
    if (timeAlongX ? update.bottom <= pane.bottom : update.left >= pane.left)
        return;
    const float span = GetHistoryMaxTime() - GetHistoryMinTime();
    TTimeDivision division = TSpectrogramScale::TimeDivision(span);
    const bool divisions = span > 0.0f && !MainWin->IsTriggerEnabled();
    char title[64];
    std::snprintf(title, sizeof title, "%s%s", IDS_AXIS_TIME_TEXT, divisions ? division.Suffix : "");
    if (RpmTags()) {
        std::snprintf(title, sizeof title, "RPM");
        division.Seconds = 100.0f;
        ShowTag = 1;
    }
    const TRect client = GetClientRect();
    if (timeAlongX)
        DrawText(dc, client.right / 2, client.bottom - FontHeight - 2, title, TA_CENTER | TA_TOP);
    else
        DrawText(dc, 8, (pane.top + pane.bottom) / 2, title, TA_CENTER | TA_TOP, &RotatedFont());

    dc.SelectObject(Gdi.Pen(TColor::Black));
    const TCurvePoint newest = geometry.WindowPixel(0, 0, AsPane(pane));
    const TCurvePoint oldest = geometry.WindowPixel(History.Count() - 1, 0, AsPane(pane));
    if (timeAlongX) {
        for (int x : {pane.left, pane.right - 1}) {
            dc.MoveTo(x, pane.bottom);
            dc.LineTo(x, pane.bottom + 6);
        }
        DrawText(dc, newest.x, pane.bottom + 9, StartTimeText, TA_CENTER | TA_TOP);
        DrawText(dc, oldest.x, pane.bottom + 9, EndTimeText, TA_CENTER | TA_TOP);
    } else {
        for (int y : {pane.top, pane.bottom - 1}) {
            dc.MoveTo(pane.left - 6, y);
            dc.LineTo(pane.left, y);
        }
        DrawText(dc, pane.left - 8, newest.y - FontHeight / 2, StartTimeText, TA_RIGHT | TA_TOP);
        DrawText(dc, pane.left - 8, oldest.y - FontHeight / 2, EndTimeText, TA_RIGHT | TA_TOP);
    }
    if (!divisions)
        return;
    // Divisions where lines are: records no line has reached have no time.
    const int length = std::min(timeAlongX ? pane.Width() : pane.Height(), History.FilledRows());
    double previous = std::trunc(GetRecordTime(0) / division.Seconds);
    for (int r = 1; r < length; ++r) {
        const double current = std::trunc(GetRecordTime(r) / division.Seconds);
        if (current == previous)
            continue;
        previous = current;
        const TCurvePoint at = geometry.WindowPixel(r, 0, AsPane(pane));
        if (timeAlongX) {
            dc.MoveTo(at.x, pane.bottom);
            dc.LineTo(at.x, pane.bottom + 6);
        } else {
            dc.MoveTo(pane.left - 6, at.y);
            dc.LineTo(pane.left, at.y);
        }
    }
}

void TSpectrogram::DrawFrequencyAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (Scale.FrequencyTicks.empty())
        return;
    const bool timeAlongX = Geometry().TimeAlongX();
    if (timeAlongX ? update.left >= pane.left : update.bottom <= pane.bottom)
        return;
    char title[160];
    const char* linkName = nullptr;
    const char* linkUnit = nullptr;
    if (MainWin->GetLinkAxis(linkName, linkUnit))
        std::snprintf(title, sizeof title, "%s %s", linkName, linkUnit);
    else
        std::snprintf(title, sizeof title, "%s %s", IDS_AXIS_FREQUENCY_TEXT, IDS_UNIT_HZ_TEXT);
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const TAxisLabel& tick : Scale.FrequencyTicks) {
        if (timeAlongX) {
            const int y = pane.bottom - 1 - tick.Position;
            dc.MoveTo(pane.left - 3, y);
            dc.LineTo(pane.left, y);
            DrawText(dc, pane.left - 4, y - FontHeight / 2, tick.Text, TA_RIGHT | TA_TOP);
        } else {
            const int x = pane.left + tick.Position;
            dc.MoveTo(x, pane.bottom);
            dc.LineTo(x, pane.bottom + 3);
            DrawText(dc, x, pane.bottom + 3, tick.Text, TA_CENTER | TA_TOP);
        }
    }
    const TRect client = GetClientRect();
    if (timeAlongX)
        DrawText(dc, 8, (pane.top + pane.bottom) / 2, title, TA_CENTER | TA_TOP, &RotatedFont());
    else
        DrawText(dc, client.right / 2, client.bottom - FontHeight - 2, title, TA_CENTER | TA_TOP);
}

void TSpectrogram::DrawMarkers(TDC& dc, const TRect& pane, const TRect&)
{
    const MarkerSettings& markers = MainWin->GetMarkers();
    const bool timeAlongX = Geometry().TimeAlongX();
    dc.SelectObject(Gdi.Pen(TColor(255, 0, 0)));
    for (int i = 0; i < MarkerSettings::Count; ++i) {
        if (!markers.MarkerEnable[i])
            continue;
        const int column = FindColumn(markers.MarkerFreq[i]);
        if (column == TSpectrogramScale::NoColumn)
            continue;
        if (timeAlongX) {
            const int y = pane.bottom - 1 - column;
            const int tip = pane.left - 2;
            dc.MoveTo(tip - 6, y - 2);
            dc.LineTo(tip, y);
            dc.LineTo(tip - 6, y + 2);
            dc.MoveTo(tip, y);
            dc.LineTo(pane.left - 16, y);
        } else {
            const int x = pane.left + column;
            const int tip = pane.bottom + 2;
            dc.MoveTo(x - 2, tip + 6);
            dc.LineTo(x, tip);
            dc.LineTo(x + 2, tip + 6);
            dc.MoveTo(x, tip);
            dc.LineTo(x, pane.bottom + 16);
        }
    }
}

void TSpectrogram::BlitPaneBitmap(TDC& dc, TPaneImage* image, const TRect& pane, const TRect& update)
{
    if (!image || !pane.Touches(update))
        return;
    if (Device().CopiesImages) {
        UsePalette(dc);
        TPaneImage::TImageDC memory(dc, *image);
        dc.BitBlt(pane.left, pane.top, image->Width(), image->Height(), memory, 0, 0);
        return;
    }
    // A printer takes the picture as device-independent pixels.
    const TDib dib(image->GetHandle(), 24);
    if (!dib.IsOK()) {
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int oldMode = dc.SetStretchBltMode(COLORONCOLOR);
    dc.StretchDIBits(pane, TRect(0, 0, dib.Width(), dib.Height()), dib.GetBits(), dib.GetInfo());
    dc.SetStretchBltMode(oldMode);
    dc.FrameRect(pane, Gdi.Brush(TColor::Black));
}

void TSpectrogram::InvertBands(TDC& dc, const TRect* bands)
{
    for (int pane = 0; pane < (TwoPanes() ? 2 : 1); ++pane)
        if (!bands[pane].IsEmpty())
            dc.InvertRect(bands[pane]);
}

void TSpectrogram::DrawSelection(TDC& dc, const TRect& update)
{
    if (MainWin->GetRunState() != TViewHost::Stopped || !GraphRect.Touches(update))
        return;
    if (SelRect[0].IsEmpty() && SelRect[1].IsEmpty())
        return;
    InvertBands(dc, SelRect);
    DrawnSelRect[0] = SelRect[0];
    DrawnSelRect[1] = SelRect[1];
}

void TSpectrogram::ClearSelection()
{
    if (HWindow && !(DrawnSelRect[0].IsEmpty() && DrawnSelRect[1].IsEmpty())) {
        TClientDC dc(HWindow);
        InvertBands(dc, DrawnSelRect);
    }
    SelRect[0] = SelRect[1] = DrawnSelRect[0] = DrawnSelRect[1] = TRect();
    TPlotBase::ClearSelection();
    // Greying repaints a button: every new line clears the selection.
    for (ToolBtn* button : {PlayButton.get(), FilterButton.get()})
        if (button->GetHandle() && !button->Grey)
            button->SetDown();
}
