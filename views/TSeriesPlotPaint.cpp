// The time series view's drawing: panes, titles, axes and grid, the
// position line, the selection, the tick and column tables and the layout
// of a printed page.
#include "views/TSeriesPlot.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/CalibrationStruct.h"
#include "engine/TSeriesData.h"
#include "framework/TClientDC.h"
#include "framework/TDC.h"
#include "framework/TEdit.h"
#include "framework/TFont.h"
#include "framework/ToolBtn.h"
#include "framework/UiHelpers.h"
#include "resources/StringIds.h"
#include "views/TSeriesReader.h"
#include "views/TSeriesTitles.h"
#include "views/TViewHost.h"

namespace {

// Tick marks stick out of the pane by this many pixels.
constexpr int TickLength = 3;

// Text in the context's current font and alignment.
void PutText(TDC& dc, int x, int y, const std::string& text)
{
    dc.TextOut(x, y, text.c_str(), int(text.size()));
}

// The tick's label, to its terminator or the field's end.
std::string LabelText(const TAxisLabel& label)
{
    return std::string(label.Text, strnlen(label.Text, sizeof label.Text));
}

}  // namespace

std::vector<TRect> TSeriesPlot::PanesInUse() const
{
    if (PaneMode == 2)
        return {PaneRect1, PaneRect2};
    return {GraphRect};
}

void TSeriesPlot::Paint(TDC& dc, bool erase, TRect& update)
{
    if (PointCapacity == 0 || !Font)
        return;
    TRect clip = Device().Clip(update);
    TPlotBase::Paint(dc, erase, clip);
    const bool both = PaneMode == 2;
    const std::vector<TRect> panes = PanesInUse();
    for (size_t i = 0; i < panes.size(); ++i) {
        const TRect& pane = panes[i];
        const int number = int(i) + 1;
        FillPane(dc, pane, clip);
        std::string title;
        if (MainWin->GetDdeSeriesLink() == 1) {
            char text[64];
            std::snprintf(text, sizeof text, "Order = %6.3f", double(Opts->OrderNumber));
            title = text;
        } else {
            title = TSeriesTitles::PaneTitle(Channel(), number, CalibrationOf(0), CalibrationOf(1));
        }
        DrawTitle(dc, pane, clip, title);
        DrawAmplitudeAxis(dc, pane, clip);
        // Two panes share the lower one's time axis.
        if (!both || number == 2)
            DrawTimeAxis(dc, pane, clip);
        DrawTimeGrid(dc, pane, clip);
        DrawAmplitudeGrid(dc, pane, clip);
        DrawTrace(dc, pane, clip, Trace[i], Opts->LineColor);
        if (!IsXY())
            DrawPositionMark(dc, pane, clip);
    }
    DrawSelection(dc, clip);
    PaintLogo(dc, LogoRect, clip);
}

void TSeriesPlot::PaintGraph(TDC& dc, bool erase, TRect& update)
{
    if (!Device().WindowParts || update.top >= ButtonBarHeight)
        return;
    TPlotBase::PaintGraph(dc, erase, update);
    if (!Opts->ShowToolbar || !Font)
        return;
    BarFields.PaintLabels(dc, *Font);
}

void TSeriesPlot::FillPane(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Device().FillsPanes || !pane.Touches(update))
        return;
    dc.FillRect(pane, Gdi.Brush(TColor(Opts->BackgroundColor)));
}

void TSeriesPlot::DrawTitle(TDC& dc, const TRect& pane, const TRect& update, const std::string& title)
{
    if (pane.top < update.top || !ShowsTitle())
        return;
    dc.SelectObject(*Font);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.SetBkMode(TRANSPARENT);
    PutText(dc, (pane.left + pane.right) / 2, pane.top - FontHeight - 3, title);
    dc.RestoreFont();
}

void TSeriesPlot::DrawAmplitudeAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (Scale.AmplitudeTicks.empty() || pane.left < update.left)
        return;
    // The unit of the pane's channel: the lower pane shows the right
    // channel, a single pane the right one only when it shows it alone.
    const bool right = PaneMode == 2 ? pane == PaneRect2 : Channel() == RightChannel;
    const bool decibels = Opts->AmpScaleType == TSeriesScale::DecibelAxis && !IsXY();
    const std::string unit = TSeriesTitles::UnitLabel(CalibrationOf(right ? 1 : 0), decibels);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(RotatedFont());
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    const TPlotDevice& device = Device();
    PutText(dc, device.UnitTitleX(dc, pane), (pane.top + pane.bottom) / 2 + 6, unit);
    dc.RestoreFont();
    dc.SelectObject(*Font);
    dc.SetTextAlign(TA_RIGHT | TA_TOP);
    const int gap = device.LabelGap;
    for (const TAxisLabel& tick : Scale.AmplitudeTicks) {
        const int y = pane.top + tick.Position;
        dc.MoveTo(pane.left, y);
        dc.LineTo(pane.left - TickLength, y);
        PutText(dc, pane.left - gap, y - FontHeight / 2, LabelText(tick));
    }
    dc.RestoreFont();
}

void TSeriesPlot::DrawTimeAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (Scale.TimeTicks.empty() || pane.bottom > update.bottom)
        return;
    const TPlotDevice& device = Device();
    const int below = pane.bottom + GetScrollBarHeight();
    dc.SelectObject(*Font);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.SetBkMode(TRANSPARENT);
    for (const TAxisLabel& tick : Scale.TimeTicks) {
        const int x = pane.left + tick.Position;
        dc.MoveTo(x, below);
        dc.LineTo(x, below + TickLength);
        PutText(dc, x, below + device.LabelDrop, LabelText(tick));
    }
    const TSeriesData* left = MainWin->GetSeriesBlock(0);
    const float span = left ? left->SamplesToTime(uint32_t(Range.Last)) - left->SamplesToTime(uint32_t(Range.First))
                            : 0.0f;
    const std::string title = TSeriesTitles::TimeAxisTitle(Channel(), Source(), span,
                                                            MainWin->GetDdeSeriesLink() == 1, CalibrationOf(0));
    const TRect client = GetClientRect();
    const TPoint at = device.AxisTitleAt(pane, below, FontHeight, TPoint(client.right / 2, client.bottom - FontHeight));
    PutText(dc, at.x, at.y, title);
    dc.RestoreFont();
}

void TSeriesPlot::DrawAmplitudeGrid(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Opts->GridYEnabled || Scale.AmplitudeTicks.empty() || !pane.Touches(update))
        return;
    dc.SelectObject(Gdi.Pen(Device().Grid(Opts->GridColor)));
    for (const TAxisLabel& tick : Scale.AmplitudeTicks) {
        dc.MoveTo(pane.left, pane.top + tick.Position);
        dc.LineTo(pane.right, pane.top + tick.Position);
    }
    dc.RestorePen();
}

void TSeriesPlot::DrawTimeGrid(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Opts->GridXEnabled || Scale.TimeTicks.empty() || !pane.Touches(update))
        return;
    dc.SelectObject(Gdi.Pen(Device().Grid(Opts->GridColor)));
    for (const TAxisLabel& tick : Scale.TimeTicks) {
        dc.MoveTo(pane.left + tick.Position, pane.top);
        dc.LineTo(pane.left + tick.Position, pane.bottom);
    }
    dc.RestorePen();
}

void TSeriesPlot::DrawPositionMark(TDC& dc, const TRect& pane, const TRect& update)
{
    if (Source() != WaveSource || IsXY() || !pane.Touches(update))
        return;
    // A part of the view painted again shows the line where the rest of it
    // stands; only a whole new drawing takes the current position.
    const float position = DrawnPosition != NoPosition ? DrawnPosition : MainWin->GetPositionTime();
    const int column = TimeToColumn(position);
    if (column < 0) {
        DrawnPosition = NoPosition;
        return;
    }
    const int x = pane.left + column;
    dc.InvertRect(TRect(x - 1, pane.top, x + 1, pane.bottom));
    DrawnPosition = position;
}

bool TSeriesPlot::InvertPosition(TDC& dc, float time)
{
    const int column = TimeToColumn(time);
    if (column < 0)
        return false;
    for (const TRect& pane : PanesInUse())
        dc.InvertRect(TRect(pane.left + column - 1, pane.top, pane.left + column + 1, pane.bottom));
    return true;
}

void TSeriesPlot::UpdatePositionMark()
{
    if (Source() != WaveSource || IsXY() || !HWindow)
        return;
    TClientDC dc(HWindow);
    if (DrawnPosition != NoPosition)
        InvertPosition(dc, DrawnPosition);
    DrawnPosition = NoPosition;
    const float position = MainWin->GetPositionTime();
    if (InvertPosition(dc, position))
        DrawnPosition = position;
}

void TSeriesPlot::ToggleMarks(TDC& dc)
{
    if (DrawnPosition != NoPosition)
        InvertPosition(dc, DrawnPosition);
    if (!DrawnSelection.IsEmpty())
        InvertColumns(dc, DrawnSelection.left, DrawnSelection.right);
}

void TSeriesPlot::InvertColumns(TDC& dc, int left, int right)
{
    for (const TRect& pane : PanesInUse())
        dc.InvertRect(TRect(left, pane.top, right, pane.bottom));
}

void TSeriesPlot::DrawSelection(TDC& dc, const TRect& update)
{
    if (Source() != WaveSource || IsXY() || !GraphRect.Touches(update) || SelectionRect.IsEmpty())
        return;
    InvertColumns(dc, SelectionRect.left, SelectionRect.right);
    DrawnSelection = SelectionRect;
}

void TSeriesPlot::ClearSelection()
{
    TPlotBase::ClearSelection();
    SetButtonUp(*PlayButton, false);
    SetButtonUp(*FilterButton, false);
    if (!DrawnSelection.IsEmpty() && !IsXY() && HWindow) {
        TClientDC dc(HWindow);
        InvertColumns(dc, DrawnSelection.left, DrawnSelection.right);
    }
    DrawnSelection = TRect();
}

void TSeriesPlot::BuildColumnTable()
{
    Scale.BuildColumns(GraphRect.Width(), StartOfRange(), EndOfRange(), Clock());
}

void TSeriesPlot::BuildTimeTicks()
{
    SyncScale();
    Scale.BuildTimeTicks(StartOfRange(), EndOfRange(), Source() != WaveSource, IsXY(), GraphRect.Width());
}

void TSeriesPlot::BuildAmplitudeTicks()
{
    SyncScale();
    Scale.BuildAmplitudeTicks(PaneMode == 2 ? PaneRect1.Height() : GraphRect.Height(), IsXY(), GraphRect.Height());
}

void TSeriesPlot::PreparePrintLayout(TDC& dc, TPrintOptions options)
{
    const int px = dc.GetDeviceCaps(LOGPIXELSX);
    const int py = dc.GetDeviceCaps(LOGPIXELSY);
    // Room inside the margins for the header box and titles above, the
    // amplitude labels to the left and the time labels below.
    const TRect page = TPlotDevice::PageArea(dc, options);
    GraphRect = TRect(page.left + int(px * 0.75), page.top + int(py * 1.2), page.right - int(px * 0.5),
                      page.bottom - int(py * 0.5));
    PaneRect1 = GraphRect;
    PaneRect2 = GraphRect;
    if (PaneMode == 2) {
        PaneRect1.bottom -= GraphRect.Height() / 2 + py / 2;
        PaneRect2.top = PaneRect2.bottom - PaneRect1.Height();
    }
    FitRange();
    BuildColumnTable();
    BuildTimeTicks();
    BuildAmplitudeTicks();
    AllocTraceBuffers();
    BuildTraces();
}
