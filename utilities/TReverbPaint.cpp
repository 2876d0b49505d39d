// The reverberation window's painting: titles, the message, the bars, the
// decay curve and the waterfall, on the screen or a printed page.
#include "utilities/TReverb.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/TComboBoxNonSort.h"
#include "framework/TDC.h"
#include "framework/TPen.h"
#include "utilities/TReverbHost.h"

namespace {

const char* const RtNames[] = {"RT-10", "RT-20", "RT-30", "RT-40", "RT-50", "RT-60"};

LOGFONTA Arial(int height, int escapement)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfEscapement = lf.lfOrientation = escapement;
    std::strcpy(lf.lfFaceName, "Arial");
    return lf;
}

bool Overlaps(const TRect& a, const TRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

void TReverb::Paint(TDC& dc, bool erase, TRect& update)
{
    TPlotBase::Paint(dc, erase, update);
    const TRect clip = Device().Clip(update);
    PaintBackground(dc, clip);
    PaintTitle(dc, clip);
    PaintYAxisTitle(dc, clip);
    PaintXAxisTitle(dc, clip);
    switch (DisplayMode) {
    case TReverbLayout::RtBars:
        PaintRtBars(dc);
        break;
    case TReverbLayout::DecayCurve:
        PaintDecay(dc);
        if (ShowCutoffHint) PaintMessage(dc, clip);
        break;
    case TReverbLayout::Surface:
        PaintSurface(dc);
        break;
    default:
        PaintMessage(dc, clip);
        break;
    }
}

void TReverb::PaintBackground(TDC& dc, const TRect& update)
{
    if (!Overlaps(GraphRect, update) || !Device().FillsPanes) return;
    dc.FillRect(GraphRect, Gdi.Brush(TColor(Options().BackgroundColor)));
}

const char* TReverb::Title(std::string& buffer) const
{
    const std::string selector = SelectorCombo->GetHandle() ? SelectorCombo->GetText() : std::string();
    switch (DisplayMode) {
    case TReverbLayout::RtBars:
        buffer = selector + " Reverberation Time versus Frequency";
        return buffer.c_str();
    case TReverbLayout::DecayCurve:
        buffer = selector + " Reverberation Decay Plot";
        return buffer.c_str();
    case TReverbLayout::Surface:
        return "Reverberation 3-D Surface Plot";
    default:
        return nullptr;
    }
}

void TReverb::PaintTitle(TDC& dc, const TRect& update)
{
    std::string buffer;
    const char* title = Title(buffer);
    if (!title || update.top > GraphRect.top || !ShowsTitle()) return;
    DrawText(dc, GraphRect.Width() / 2 + GraphRect.left, GraphRect.top - FontHeight - 3, title, TA_CENTER | TA_TOP);
}

void TReverb::PaintXAxisTitle(TDC& dc, const TRect& update)
{
    if (update.bottom < GraphRect.bottom) return;
    const char* title = DisplayMode == TReverbLayout::DecayCurve ? "Time (seconds)"
                        : DisplayMode == TReverbLayout::RtBars || DisplayMode == TReverbLayout::Surface
                            ? "Frequency (Hz)"
                            : nullptr;
    if (!title) return;
    RECT client;
    ::GetClientRect(HWindow, &client);
    const int bottom = Device().WindowParts ? client.bottom : GraphRect.bottom + 2 * FontHeight + 24;
    const int x = Device().WindowParts ? (client.right - client.left) / 2 : GraphRect.left + GraphRect.Width() / 2;
    DrawText(dc, x, bottom - FontHeight, title, TA_CENTER | TA_TOP);
}

void TReverb::PaintYAxisTitle(TDC& dc, const TRect& update)
{
    if (update.left > GraphRect.left) return;
    const char* title = DisplayMode == TReverbLayout::RtBars       ? "Reverberation Time (seconds)"
                        : DisplayMode == TReverbLayout::DecayCurve ? "Amplitude (dB)"
                                                                    : nullptr;
    if (!title) return;
    DrawText(dc, Device().UnitTitleX(dc, GraphRect), GraphRect.top + GraphRect.Height() / 2 + 6, title,
             TA_CENTER | TA_TOP, &RotatedFont());
}

void TReverb::PaintMessage(TDC& dc, const TRect& update)
{
    if (!Overlaps(GraphRect, update)) return;
    const int x = GraphRect.left + GraphRect.Width() / 2;
    const int y = GraphRect.top + GraphRect.Height() / 2 - FontHeight;
    if (ShowCutoffHint) {
        dc.SelectObject(*Font);
        const UINT oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
        const int oldMode = dc.SetBkMode(OPAQUE);
        dc.TextOut(x, y, "Adjust decay cutoff point by right clicking on the trace and selecting "
                         "\"Set Decay Start Time\"");
        dc.SetBkMode(oldMode);
        dc.SetTextAlign(oldAlign);
        return;
    }
    DrawText(dc, x, y,
             Busy ? "Reverb measurement in progress. Press <Esc> to cancel."
                  : "Reverberation data not available.  Press Start to begin.",
             TA_CENTER | TA_TOP);
}

void TReverb::PaintFrequencyLabel(TDC& dc, int x, int entry, const char* text)
{
    DrawLine(dc, x, GraphRect.bottom, x, GraphRect.bottom + 3);
    DrawText(dc, x, GraphRect.bottom + (entry % 2 ? 16 : 2), text, TA_CENTER | TA_TOP);
}

void TReverb::PaintRtBars(TDC& dc)
{
    if (Table.BandCount <= 0) return;
    const ReverbSettings o = Options();
    XFormat = YFormat = 2;
    std::strcpy(XUnit, " Hz");
    std::strcpy(YUnit, " sec");
    const TReverbLayout::TGraph g = Graph();
    const int h = g.Height();
    const int n = TReverbLayout::TimeDivisions(o.DisplayedDecayTime);
    dc.SelectObject(Gdi.Pen(Device().Grid(o.GridColor), 0));
    for (int i = 0; i <= n; ++i) {
        const int y = g.Bottom - std::clamp(i * h / n, 0, h);
        DrawLine(dc, g.Left, y, g.Right, y);
        DrawText(dc, g.Left - 6, y - 6, TReverbLayout::TimeLabel(o.DisplayedDecayTime, i).c_str(), TA_RIGHT | TA_TOP);
    }
    dc.RestorePen();
    const int b = TReverbLayout::BarWidth(g, Table.BandCount);
    const TBrush& bar = Gdi.Brush(TColor(o.BarColor));
    for (int e = 0; e < Table.BandCount; ++e) {
        const int height =
            TReverbLayout::BarHeight(g, Table.ResultTime(e, o.DisplayedRTTime), o.DisplayedDecayTime);
        const int left = TReverbLayout::BarLeft(g, Table.BandCount, e);
        const TRect r(left, g.Bottom - height, std::min(left + b, g.Right - 1), g.Bottom);
        if (Device().FillsBars) dc.FillRect(r, bar);
        else dc.FrameRect(r, HBRUSH(::GetStockObject(BLACK_BRUSH)));
        const std::string label = e == Table.BandCount - 1 || Table.RowCount < 1
                                      ? std::string("Wide")
                                      : TReverbLayout::FrequencyLabel(Table.Rows[0].Frequency[e]);
        PaintFrequencyLabel(dc, left + b / 2, e, label.c_str());
    }
}

void TReverb::PaintDecay(TDC& dc)
{
    if (Table.BandCount <= 0 || Table.RowCount <= 0) return;
    XFormat = 3;
    YFormat = 2;
    std::strcpy(XUnit, " sec");
    std::strcpy(YUnit, " dB");
    ReverbSettings o = Options();
    const int band = std::clamp(o.DisplayedDecayBand, 0, Table.BandCount - 1);
    if (band != o.DisplayedDecayBand) {
        o.DisplayedDecayBand = band;
        StoreOptions(o);
    }
    const TReverbLayout::TGraph g = Graph();
    const int w = g.Width(), h = g.Height();
    dc.SelectObject(Gdi.Pen(Device().Grid(o.GridColor), 0));
    const int m = TReverbLayout::LevelDivisions(o.PlotRange);
    for (int i = 0; i <= m; ++i) {
        const int y = g.Bottom - std::clamp(i * h / m, 0, h);
        DrawLine(dc, g.Left, y, g.Right, y);
        char label[32];
        std::snprintf(label, sizeof label, "%6.1f", double(o.PlotTop - o.PlotRange) + 10.0 * i);
        DrawText(dc, g.Left - 6, y - 6, label, TA_RIGHT | TA_TOP);
    }
    const int n = TReverbLayout::TimeDivisions(o.DisplayedDecayTime);
    for (int i = 0; i <= n; ++i) {
        const int x = g.Left + std::clamp(i * w / n, 0, w);
        DrawLine(dc, x, g.Top, x, g.Bottom);
        DrawText(dc, x, g.Bottom + 2, TReverbLayout::TimeLabel(o.DisplayedDecayTime, i).c_str(), TA_CENTER | TA_TOP);
    }
    dc.RestorePen();
    dc.SelectObject(Gdi.Pen(Device().Ink(dc, o.DecayColor), 1));
    for (int p = 0; p < w; ++p) {
        const int row = TReverbLayout::DecayRow(p, w, o.DisplayedDecayTime, Table.HopTime);
        if (row >= Table.RowCount) break;
        const int y = TReverbLayout::LevelPixels(Table.Rows[row].Smoothed[band], o.PlotTop, o.PlotRange, h);
        if (p == 0) dc.MoveTo(g.Left, g.Bottom - y);
        dc.LineTo(g.Left + p, g.Bottom - y);
    }
    dc.RestorePen();
}

void TReverb::PaintSurface(TDC& dc)
{
    if (Table.BandCount <= 0 || Table.RowCount <= 0) return;
    const ReverbSettings o = Options();
    const TReverbLayout::TGraph g = Graph();
    const TReverbLayout::TSurface s =
        TReverbLayout::SurfaceGeometry(g, Table.BandCount, o.DisplayedDecayTime, Table.HopTime);
    if (Palette) {
        dc.SelectObject(*Palette, false);
        dc.RealizePalette();
    }
    dc.FillRect(GraphRect, HBRUSH(::GetStockObject(WHITE_BRUSH)));
    if (!s.Drawable) {
        if (Palette) dc.RestorePalette();
        return;
    }
    dc.SelectObject(Gdi.Pen(Device().Ink(dc, o.SurfaceColor), 1));
    dc.SelectObject(Gdi.Brush(TColor(o.BackgroundColor)));
    const int oldFill = ::SetPolyFillMode(dc, WINDING);
    const int last = Table.BandCount - 1;
    const int right = int(last * s.BandSpacing);
    TPoint p1, b1, bn;
    std::vector<TPoint> polygon;
    for (int k = 0; k < s.Lines; ++k) {
        const int x0 = g.Left + s.Lines - k, y0 = g.Top + s.Amplitude + 2 * k;
        const int row = int(k * s.RowsPerLine + 0.5);
        if (row >= Table.RowCount) break;
        polygon.assign(1, TPoint(x0, y0));
        for (int e = 0; e < last; ++e) {
            const double v = Table.Rows[row].Smoothed[e];
            const int a = std::clamp(int(s.Amplitude * (v - o.PlotTop + o.PlotRange) / o.PlotRange), 0, s.Amplitude);
            const int x = e == last - 1 ? x0 + right : x0 + int(e * s.BandSpacing);
            polygon.emplace_back(x, y0 - a);
        }
        polygon.emplace_back(x0 + right, y0);
        polygon.emplace_back(x0, y0);
        dc.Polygon(polygon.data(), int(polygon.size()));
        if (k == 0) {
            p1 = polygon[polygon.size() - 3];
            b1 = polygon[polygon.size() - 2];
        }
        bn = polygon[polygon.size() - 2];
    }
    ::SetPolyFillMode(dc, oldFill);
    dc.RestorePen();
    dc.RestoreBrush();
    XFormat = YFormat = 2;
    std::strcpy(XUnit, " Hz");
    std::strcpy(YUnit, " Sec");
    for (int e = 0; e < last; ++e) {
        const int x = int(g.Left + e * s.BandSpacing + s.BandSpacing / 2);
        PaintFrequencyLabel(dc, x, e, TReverbLayout::FrequencyLabel(Table.Rows[0].Frequency[e]).c_str());
    }
    const TFont& slanted = Gdi.Font(Arial(FontHeight - 2, int(std::atan(2.0) * 572.9)));
    DrawLine(dc, bn.x + 4, bn.y, bn.x + 8, bn.y);
    DrawLine(dc, bn.x + 8, bn.y, b1.x + 8, b1.y);
    DrawLine(dc, b1.x + 8, b1.y, b1.x + 4, b1.y);
    DrawText(dc, bn.x + (b1.x - bn.x) / 2 + 32, b1.y + (bn.y - b1.y) / 2, "Seconds", TA_CENTER | TA_TOP, &slanted);
    const TFont& small = Gdi.Font(Arial(FontHeight - 2, 0));
    const int n = TReverbLayout::TimeDivisions(o.DisplayedDecayTime);
    const double step = double(bn.y - b1.y) / n;
    for (int i = 0; i <= n; ++i) {
        const int d = int(i * step + 0.5);
        const TPoint at(b1.x - d / 2, b1.y + d);
        DrawLine(dc, at.x + 8, at.y, at.x + 4, at.y);
        if (i > 0)
            DrawText(dc, at.x + 6, at.y - 6, TReverbLayout::TimeLabel(o.DisplayedDecayTime, i).c_str(),
                     TA_LEFT | TA_TOP, &small);
    }
    DrawText(dc, g.Right - 15, b1.y - (b1.y - p1.y) / 2, "Amplitude (dB)", TA_CENTER | TA_TOP,
             &Gdi.Font(Arial(FontHeight - 2, 900)));
    DrawLine(dc, b1.x + 8, b1.y, b1.x + 8, p1.y);
    const int m = TReverbLayout::LevelDivisions(o.PlotRange);
    for (int i = 0; i <= m; ++i) {
        const int y = b1.y - int(double(i) * s.Amplitude / m + 0.5);
        DrawLine(dc, b1.x + 8, y, b1.x + 4, y);
        char label[32];
        std::snprintf(label, sizeof label, "%6.0f", double(o.PlotTop - o.PlotRange) + 10.0 * i);
        DrawText(dc, b1.x + 4, i == m ? y - 1 : y - 4, label, TA_LEFT | TA_TOP, &small);
    }
    if (Palette) dc.RestorePalette();
}
