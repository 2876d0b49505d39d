// The time series view's mouse: cursor readouts and the snap onto the
// trace, selecting a segment, the zoom box and buttons, the double click.
#include "views/TSeriesPlot.h"

#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"
#include "framework/TClientDC.h"
#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "views/TViewHost.h"

float TSeriesPlot::PixelToTime(int x) const
{
    return Scale.OffsetToTime(x - GraphRect.left);
}

int TSeriesPlot::TimeToColumn(float t) const
{
    return Scale.TimeToColumn(t);
}

float TSeriesPlot::GetXValue(const TPoint& point)
{
    if (IsXY()) {
        SyncScale();
        const TReadout r = Scale.XYCursorX(point.x, GraphRect.left, GraphRect.right);
        XFormat = r.Precision;
        return r.Value;
    }
    const float t = PixelToTime(point.x);
    return Source() == BlockSource ? t * 1000.0f : t;
}

float TSeriesPlot::GetYValue(const TPoint& point)
{
    const TRect pane = GetPaneRect(point);
    if (pane.IsEmpty())
        return 0.0f;
    SyncScale();
    const TReadout r = Scale.CursorY(point.y, pane.top, pane.bottom);
    YFormat = r.Precision;
    return r.Value;
}

void TSeriesPlot::TrackCursor(const TPoint& point)
{
    if (PointCapacity == 0 || !Opts->GrabCursorFlag)
        return;
    const float t = PixelToTime(point.x);
    const TRect pane = GetPaneRect(point);
    // The channel whose samples the pane's trace starts from.
    const bool lower = PaneMode == 2 && pane == PaneRect2;
    const uint16_t channel = lower || Channel() == RightChannel || Channel() == RightMinusLeft ? 1 : 0;
    float sample = 0.0f;
    if (Source() == WaveSource) {
        TWaveData* wave = MainWin->GetWaveData();
        if (!wave)
            return;
        sample = wave->GetSample(wave->TimeToFrame(t), channel, 1);
    } else {
        const TSeriesData* block = MainWin->GetSeriesBlock(channel);
        if (!block)
            return;
        sample = block->GetSample(block->TimeToSample(t), 1);
    }
    SyncScale();
    TPoint snapped(point.x, Scale.SampleRow(sample, channel, pane.top, pane.bottom));
    ::ClientToScreen(HWindow, &snapped);
    ::SetCursorPos(snapped.x, snapped.y);
    // The move just made comes back as a mouse message: take it out.
    MSG msg;
    ::PeekMessageA(&msg, HWindow, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
}

// ---- selection and zoom box -------------------------------------------------------

void TSeriesPlot::SetSelection(const TRect& rect)
{
    if (ZoomInButton->Highlight) {
        const TRect box = rect.Normalized();
        // A zoom box marks no segment.
        SelectionRect = TRect();
        if (!Range.ZoomTo(TimeToFrame(PixelToTime(box.left)), TimeToFrame(PixelToTime(box.right))))
            return;
        ZoomInButton->HighlightOff();
        SelectMode = 0;
        UpdateLayout();
    } else if (SelectButton->Highlight) {
        SelectButton->HighlightOff();
        SelectMode = 0;
        PlayButton->SetUp();
        FilterButton->SetUp();
        if (HWindow) {
            TClientDC dc(HWindow);
            DrawSelection(dc, GraphRect);
        }
    }
}

void TSeriesPlot::GetSelectedSegment(float& start, float& end)
{
    if (!HasSelection()) {
        start = end = 0.0f;
        return;
    }
    start = PixelToTime(SelectionRect.left);
    end = PixelToTime(SelectionRect.right);
}

void TSeriesPlot::CmSelect()
{
    if (SelectButton->Grey)
        return;
    ClearSelection();
    ZoomInButton->HighlightOff();
    if (SelectButton->Highlight) {
        SelectButton->HighlightOff();
        PlayButton->SetDown();
        FilterButton->SetDown();
        return;
    }
    SelectMode = 1;
    SelectionRect = TRect();
    SelectButton->HighlightOn();
}

void TSeriesPlot::CmZoomIn()
{
    if (ZoomInButton->Grey)
        return;
    ClearSelection();
    if (ZoomInButton->Highlight) {
        ZoomInButton->HighlightOff();
        return;
    }
    SelectButton->HighlightOff();
    SelectMode = 1;
    SelectionRect = TRect();
    ZoomInButton->HighlightOn();
}

void TSeriesPlot::SelectAll()
{
    ZoomInButton->HighlightOff();
    ClearSelection();
    SelectMode = 1;
    SelectButton->HighlightOn();
    SelectionRect = GraphRect;
    SetSelection(GraphRect);
}

// ---- time axis commands -----------------------------------------------------------

void TSeriesPlot::CmZoomIn2x()
{
    if (ZoomIn2xButton->Grey)
        return;
    ClearSelection();
    Range.ZoomIn2x();
    UpdateLayout();
}

void TSeriesPlot::CmZoomOut2x()
{
    if (ZoomOut2xButton->Grey)
        return;
    ClearSelection();
    Range.ZoomOut2x(TimeToFrame(Opts->MaxZoomOutTime), GetDataLength());
    UpdateLayout();
}

void TSeriesPlot::CmZoomFull()
{
    if (ZoomFullButton->Grey)
        return;
    ClearSelection();
    // Back from the analysis blocks to the wave they came from.
    if (HasWave() && MainWin->GetRunState() == TViewHost::Stopped)
        MainWin->SetSeriesSource(WaveSource);
    Range.ZoomFull(TimeToFrame(Opts->MaxZoomOutTime), GetDataLength());
    UpdateLayout();
}

void TSeriesPlot::EvLButtonDblClk(UINT, const TPoint& point)
{
    const bool inside = GraphRect.Contains(point);
    if (!inside) {
        MainWin->RunCommand(CM_TIMESERIESOPTIONS);
        return;
    }
    if (Source() != WaveSource || !HasWave())
        return;
    ClearSelection();
    const float t = PixelToTime(point.x);
    MainWin->SetPositionTime(t);
    UpdatePositionMark();
    MainWin->ReprocessSegment(t);
}
