// The time series view's traces: buffers, building per channel choice,
// drawing in joined pieces and the in-place update on new data.
#include "views/TSeriesPlot.h"

#include <algorithm>
#include <new>
#include <optional>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/TSeriesData.h"
#include "framework/TDC.h"
#include "views/TSeriesReader.h"
#include "views/TViewHost.h"

namespace {

// The wait cursor while the wave data are read; the previous one after.
class TWaitCursor {
public:
    TWaitCursor() : Previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { ::SetCursor(Previous); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR Previous;
};

TPaneRect ToPane(const TRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void TSeriesPlot::AllocTraceBuffers()
{
    const size_t capacity = IsXY() ? size_t(MainWin->GetAnalysisSettings().FFTsize)
                                   : size_t(std::max(GraphRect.Width(), 0)) * 20;
    PointCapacity = 0;
    try {
        for (int i = 0; i < 2; ++i) {
            Trace[i].clear();
            PreviousTrace[i].clear();
            Trace[i].reserve(capacity);
            PreviousTrace[i].reserve(capacity);
        }
        PointCapacity = capacity;
    } catch (const std::bad_alloc&) {
        for (int i = 0; i < 2; ++i) {
            std::vector<TCurvePoint>().swap(Trace[i]);
            std::vector<TCurvePoint>().swap(PreviousTrace[i]);
        }
    }
}

bool TSeriesPlot::BuildPane(int pane)
{
    if (PointCapacity == 0)
        return false;
    // A linear axis needs a top above zero; the setting keeps the repair.
    if (Opts->AmpScaleType == TSeriesScale::LinearAxis && !(Opts->PlotTop > 0.0f))
        Opts->PlotTop = 1.0f;
    SyncScale();
    const TPaneRect area = ToPane(PaneMode == 2 ? (pane == 0 ? PaneRect1 : PaneRect2) : GraphRect);
    std::vector<TCurvePoint>& points = Trace[pane];

    // The series of the pane: first and second channel and how they join.
    uint16_t first = 0;
    int second = -1;
    TSeriesTrace::TCombine combine = TSeriesTrace::FirstOnly;
    switch (Channel()) {
    case RightChannel: first = 1; break;
    case BothChannels: first = uint16_t(pane); break;
    case LeftMinusRight: second = 1; combine = TSeriesTrace::Difference; break;
    case RightMinusLeft: first = 1; second = 0; combine = TSeriesTrace::Difference; break;
    case LeftPlusRight: second = 1; combine = TSeriesTrace::Sum; break;
    case LeftVsRight: second = 1; break;
    case RightVsLeft: first = 1; second = 0; break;
    default: break;
    }
    if (IsXY()) {
        // X/Y plots are of the analysis blocks, whatever the view shows.
        const TSeriesData* block = MainWin->GetSeriesBlock(first);
        const TSeriesReader x(block, first, 0);
        const TSeriesReader y(MainWin->GetSeriesBlock(uint16_t(second)), uint16_t(second), 0);
        return TSeriesTrace::BuildXY(x, y, block ? block->GetDecimatedLength() : 0, Scale, area, PointCapacity, points);
    }
    const TSeriesReader a = Reader(first);
    const TSeriesReader b = second >= 0 ? Reader(uint16_t(second)) : TSeriesReader();
    const TSeriesReader* joined = second >= 0 ? &b : nullptr;
    if (!a.HasData() || (joined && !b.HasData()))
        return false;
    if (Source() == StripChartSource) {
        uint32_t inputFrame = 0;
        const TSeriesData* left = MainWin->GetSeriesBlock(0);
        if (!left || !MainWin->GetLastInputFrame(inputFrame) || MainWin->GetRunState() == TViewHost::Stopped)
            return false;
        // Both panes move by what the first one saw.
        const bool keepFrame = Channel() == BothChannels && pane == 0;
        return TSeriesTrace::Scroll(a, joined, combine, Scale, area, PointCapacity, inputFrame,
                                    left->GetDecimatedLength(), Strip, keepFrame, points);
    }
    std::optional<TWaitCursor> wait;
    if (Source() == WaveSource)
        wait.emplace();
    return TSeriesTrace::Build(a, joined, combine, Scale, area, PointCapacity, points);
}

void TSeriesPlot::BuildTraces()
{
    const int panes = PaneMode == 2 ? 2 : 1;
    for (int pane = 0; pane < panes; ++pane) {
        if (!BuildPane(pane))
            break;
        PreviousTrace[pane] = Trace[pane];
    }
}

void TSeriesPlot::UpdateTraces(TDC& dc)
{
    const int panes = PaneMode == 2 ? 2 : 1;
    const TRect everything(0, 0, 0x7FFF, 0x7FFF);
    // The inverted marks come off while the traces change under them.
    ToggleMarks(dc);
    for (int pane = 0; pane < panes; ++pane) {
        if (!BuildPane(pane))
            break;
        const TRect area = PaneMode == 2 ? (pane == 0 ? PaneRect1 : PaneRect2) : GraphRect;
        // What is on screen goes first, whole, then the grid it crossed.
        DrawTrace(dc, area, everything, PreviousTrace[pane], Opts->BackgroundColor);
        DrawTimeGrid(dc, area, everything);
        DrawAmplitudeGrid(dc, area, everything);
        DrawTrace(dc, area, everything, Trace[pane], Opts->LineColor);
        PreviousTrace[pane] = Trace[pane];
    }
    ToggleMarks(dc);
}

void TSeriesPlot::DrawTrace(TDC& dc, const TRect& pane, const TRect& update, const std::vector<TCurvePoint>& points,
                            COLORREF colour)
{
    if (points.empty() || !pane.Touches(update))
        return;
    static_assert(sizeof(TCurvePoint) == sizeof(POINT));
    const TPoint* p = reinterpret_cast<const TPoint*>(points.data());
    const TPlotDevice& device = Device();
    const int saved = dc.SaveDC();
    dc.SelectObject(Gdi.Pen(device.Ink(dc, colour), device.CurveWidth));
    if (device.ClipsToPanes)
        dc.IntersectClipRect(pane);
    for (const auto& [start, n] : TSeriesTrace::Pieces(int(points.size()), device.PolylinePiece))
        dc.Polyline(p + start, n);
    dc.RestorePen();
    dc.RestoreDC(saved);
}
