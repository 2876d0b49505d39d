// The THD+N versus frequency window's painting: panes, grids, axes, status line and curves.
#include "utilities/TTHDFreq.h"

#include <algorithm>
#include <memory>

#include "framework/TDC.h"
#include "views/TOverlayData.h"
#include "views/TViewHost.h"

namespace {

const char* const AxisTitles[] = {"THD+N %", "THD+N (A) %", "THD+N (B) %", "THD+N (C) %"};
const TColor Warning(200, 0, 0);

// A limit file of a pane, read at every paint; null when off or unusable.
std::unique_ptr<TOverlayData> LoadLimit(uint32_t enabled, const char* file)
{
    if (!enabled || !file[0]) return nullptr;
    auto limit = std::make_unique<TOverlayData>(file, 1, 0.0f, 0);
    return limit->Error ? nullptr : std::move(limit);
}

}  // namespace

const char* TTHDFreq::StatusText() const
{
    if (LevelTooLow)
        return "The signal is too low for accurate results (<-40dBfs). Check the cables and sound card gain.";
    if (Overload) return "The signal overloaded (clipped) the input. Adjust the sound card gain and restart";
    if (Running) return "THD+N vs Frequency measurement in progress. Press <Esc> to cancel.";
    if (Left.empty()) return "THD+N vs Frequency data not available. Press Start to begin.";
    return "";
}

TColor TTHDFreq::PenColour(COLORREF colour) const
{
    return PrintMode ? TColor::Black : TColor(colour);
}

void TTHDFreq::Paint(TDC& dc, bool erase, TRect& update)
{
    TPlotBase::Paint(dc, erase, update);
    const TRect clip = Device().Clip(update);
    if (PaneMode == 2) {
        PaintPane(dc, PaneRect1, clip, 0, false, true);
        PaintPane(dc, PaneRect2, clip, 1, true, false);
    } else {
        PaintPane(dc, GraphRect, clip, 0, true, true);
    }
    if (!Running) PaintLogo(dc, LogoRect, clip);
}

void TTHDFreq::PaintPane(TDC& dc, const TRect& pane, const TRect& update, int channel, bool frequencyAxis,
                         bool status)
{
    // The pane with its axis labels and title around it.
    const TRect reach(pane.left - LeftMargin, pane.top - TopInset + ButtonBarHeight, pane.right,
                      pane.bottom + BottomInset);
    if (!reach.Touches(update) && !(frequencyAxis && update.bottom >= pane.bottom)) return;
    const char* title = PaneMode == 1 ? Title : channel == 0 ? "THD+N vs Frequency - Left" : "THD+N vs Frequency - Right";
    PaintBackground(dc, pane);
    PaintTitle(dc, pane, title);
    PaintGrids(dc, pane);
    PaintAmplitudeAxis(dc, pane);
    if (frequencyAxis) PaintFrequencyAxis(dc, pane);
    if (status) PaintStatusMessage(dc, pane);
    const std::unique_ptr<TOverlayData> limit = channel == 0 ? LoadLimit(Opts.LimitEnableL, Opts.LimitFilenameL)
                                                             : LoadLimit(Opts.LimitEnableR, Opts.LimitFilenameR);
    if (limit) PaintLimitCurve(dc, pane, *limit);
    if (!Running) PaintCurve(dc, pane, channel == 0 ? Left : Right);
}

void TTHDFreq::PaintBackground(TDC& dc, const TRect& pane)
{
    if (Device().FillsPanes) dc.FillRect(pane, HBRUSH(Gdi.Brush(TColor(Opts.BackgroundColor))));
}

void TTHDFreq::PaintTitle(TDC& dc, const TRect& pane, const char* title)
{
    if (Device().TitleOnSwitch && !ShowsTitle()) return;
    DrawText(dc, (pane.right - pane.left) / 2 + LeftMargin, pane.top - FontHeight - 3, title, TA_CENTER | TA_TOP);
}

void TTHDFreq::PaintGrids(TDC& dc, const TRect& pane)
{
    dc.SelectObject(Gdi.Pen(PenColour(Opts.GridColor)));
    for (const auto& tick : FreqTicks)
        if (tick.Offset < pane.Width()) DrawLine(dc, pane.left + tick.Offset, pane.top, pane.left + tick.Offset, pane.bottom);
    for (const auto& tick : AmpTicks)
        if (tick.Offset < pane.Height())
            DrawLine(dc, pane.left, pane.bottom - tick.Offset, pane.right, pane.bottom - tick.Offset);
}

void TTHDFreq::PaintAmplitudeAxis(TDC& dc, const TRect& pane)
{
    DrawText(dc, 4, (pane.top + pane.bottom) / 2 + 6, AxisTitles[std::min<uint16_t>(Opts.StandardWeighting, 3)],
             TA_CENTER | TA_TOP, &RotatedFont());
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const auto& tick : AmpTicks) {
        if (tick.Offset >= pane.Height()) continue;
        const int y = pane.bottom - tick.Offset;
        DrawLine(dc, pane.left - 3, y, pane.left, y);
        if (!tick.Label.empty()) DrawText(dc, pane.left - 6, y - FontHeight / 2, tick.Label.c_str(), TA_RIGHT | TA_TOP);
    }
}

void TTHDFreq::PaintFrequencyAxis(TDC& dc, const TRect& pane)
{
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const auto& tick : FreqTicks) {
        if (tick.Offset >= pane.Width()) continue;
        const int x = pane.left + tick.Offset;
        DrawLine(dc, x, pane.bottom, x, pane.bottom + 3);
        if (!tick.Label.empty()) DrawText(dc, x, pane.bottom + 4, tick.Label.c_str(), TA_CENTER | TA_TOP);
    }
    const TRect client = GetClientRect();
    DrawText(dc, client.Width() / 2, client.bottom - FontHeight, "Frequency (Hz)", TA_CENTER | TA_TOP);
}

void TTHDFreq::PaintStatusMessage(TDC& dc, const TRect& pane)
{
    const char* text = StatusText();
    if (!text[0]) return;
    const bool warning = Overload || LevelTooLow;
    dc.SetTextColor(warning ? Warning : TColor::Black);
    dc.SetBkColor(TColor::White);
    dc.SetBkMode(OPAQUE);
    if (Font) dc.SelectObject(*Font);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.TextOut((pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2 - FontHeight, text);
    dc.SetTextColor(TColor::Black);
    dc.SetBkMode(TRANSPARENT);
}

void TTHDFreq::PaintLimitCurve(TDC& dc, const TRect& pane, const TOverlayData& limit)
{
    std::vector<TPoint> line;
    const int columns = std::min<int>(int(FreqScale.size()), pane.Width());
    for (int i = 0; i < columns; ++i) {
        const int y = ValueToY(limit.GetValue(FreqScale[size_t(i)]));
        line.emplace_back(pane.left + i, std::clamp(pane.bottom - y, pane.top, pane.bottom));
    }
    if (line.size() < 2) return;
    dc.SelectObject(Gdi.Pen(PenColour(Opts.LimitColor)));
    dc.Polyline(line.data(), int(line.size()));
}

void TTHDFreq::PaintCurve(TDC& dc, const TRect& pane, const std::vector<TThdPoint>& points)
{
    std::vector<TPoint> line;
    for (const TThdPoint& p : points)
        line.emplace_back(std::clamp(pane.left + FrequencyToX(p.Frequency), pane.left, pane.right),
                          std::clamp(pane.bottom - ValueToY(p.Thdn), pane.top, pane.bottom));
    if (line.size() < 2) return;
    dc.SelectObject(Gdi.Pen(PenColour(Opts.LineColor), Device().CurveWidth));
    dc.Polyline(line.data(), int(line.size()));
}
