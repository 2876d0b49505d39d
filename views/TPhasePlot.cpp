// The phase view: construction, bar, layout, visible range, painting,
// cursor queries and the update throttle.
#include "views/TPhasePlot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/TChannelProcessing.h"
#include "engine/TSpectralData.h"
#include "framework/LimitScroll.h"
#include "framework/TDC.h"
#include "framework/TEdit.h"
#include "framework/TModule.h"
#include "framework/ToolBtn.h"
#include "resources/StringIds.h"
#include "views/MarkerSettings.h"
#include "views/TSpectralSource.h"
#include "views/TViewHost.h"

DEFINE_RESPONSE_TABLE1(TPhasePlot, TFrequencyPlot)
    EV_WM_SIZE
    EV_WM_LBUTTONDBLCLK
    EV_COMMAND(OptionsId, CmOptions)
    EV_EN_CHANGE(PlotTopId, PlotTopChanged)
    EV_COMMAND(MenuCopyText, CopyAsText)
    EV_COMMAND(MenuProperties, CmOptions)
    EV_COMMAND(MenuHelp, CmHelp)
    EV_COMMAND_ENABLE(MenuCopyText, CeCopy)
    EV_COMMAND(MenuViewData, CmViewData)
    EV_COMMAND_ENABLE(MenuViewData, CeDataView)
    EV_COMMAND_ENABLE(MenuProperties, CeCopy)
    EV_COMMAND_ENABLE(MenuHelp, CeCopy)
    EV_COMMAND_ENABLE(MenuCopyBitmap, CeCopy)
    EV_COMMAND_ENABLE(MenuCopyCursor, CeCopy)
END_RESPONSE_TABLE;

TPhasePlot::TPhasePlot(TMDIClient& parent, TViewHost* mainWin, const char* title, const TRect& placement,
                       ScalingStruct scaling, PhaseOpts* opts, TSpectralData* data, TSpectralData* data2)
    : TFrequencyPlot(parent, mainWin, title, opts->StartFreq, opts->StopFreq), ViewSettings(scaling), Opts(opts), PhaseData(data), PhaseData2(data2)
{
    Attr.X = placement.left;
    Attr.Y = placement.top;
    Attr.W = placement.right;
    Attr.H = placement.bottom;

    auto tool = [this](int id, const char* up, const char* down, const char* grey, const char* tip) {
        return std::make_unique<ToolBtn>(this, id, up, down, grey, 0, 0, 28, 28, tip);
    };
    OptionsButton = tool(OptionsId, "OptionsUp", "OptionsDn", nullptr, "Set additional phase display options");
    PlotTopEdit = std::make_unique<TEdit>(this, PlotTopId, "", 0, 0, 44, 20, 20);
    PlotTopSpin = std::make_unique<LimitScroll>(this, PlotTopSpinId, 0, 0, 12, 20, nullptr, PlotTopEdit.get(), 180.0f,
                                                -180.0f, 5.0f);

    ButtonBarHeight = 30;
    TopInset = 50;
    LeftMargin = 60;
    RightMargin = 40;
    // Room under the panes for the tick labels and the axis title below them.
    BottomInset = 36;
    PaneGap = 20;
    XReadoutSize.cx = 90;
    YReadoutSize.cx = 48;
    XFormat = 4;
    YFormat = 2;
    std::strcpy(XUnit, " Hz");
}

TPhasePlot::~TPhasePlot() = default;

void TPhasePlot::GetWindowClass(WNDCLASSA& wc)
{
    TPlotBase::GetWindowClass(wc);
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(instance, "ICON_PHASE");
}

void TPhasePlot::SyncScale()
{
    Scale.FreqScaleType = ViewSettings.FreqScaleType;
    Scale.PlotTop = Opts->PlotTop;
    Scale.PlotRange = Opts->PlotRange;
    Scale.StartFreq = Opts->StartFreq;
    Scale.StopFreq = Opts->StopFreq;
    Scale.LabelSpacing = Device().FrequencyLabelSpacing;
}

void TPhasePlot::SetCaptionFromData()
{
    if (!PhaseData)
        return;
    SetCaptionFor("Phase", PhaseData);
}

void TPhasePlot::SetupWindow()
{
    TPlotBase::SetupWindow();
    if (const TFont* font = MainWin->GetMainFont())
        PlotTopEdit->SendMessage(WM_SETFONT, WPARAM(HFONT(*font)), TRUE);
    char text[40];
    std::snprintf(text, sizeof text, "%3.1f", Opts->PlotTop);
    Updating = 1;
    PlotTopEdit->SetText(text);
    Updating = 0;
    SetFrequencyRange(Opts->StartFreq, Opts->StopFreq);
    SetCaptionFromData();
}

void TPhasePlot::EvSize(UINT sizeType, const TSize& size)
{
    TPlotBase::EvSize(sizeType, size);
    PlaceControls();
}


void TPhasePlot::PlaceControls()
{
    if (!Opts->ShowToolbar || !HWindow)
        return;
    const struct {
        ToolBtn* Button;
        int X;
    } places[] = {{ZoomInButton.get(), 2},    {Zoom2XInButton.get(), 32}, {Zoom2XOutButton.get(), 62},
                  {ZoomFullButton.get(), 92}, {OptionsButton.get(), 136}};
    for (const auto& p : places) {
        p.Button->MoveWindow(p.X, 1, 28, 28, false);
        p.Button->Invalidate(true);
    }
    if (Font)
        BarFields.Place(136 + 28 + 9, ButtonBarHeight / 2 - 10,
                        {{IDS_PLOT_TOP_LABEL_TEXT, PlotTopEdit.get(), {"-180.0"}, PlotTopSpin.get()}}, *Font);
    CancelZoomSelection();
    InvalidateRect(TRect(0, 0, GetClientRect().right, ButtonBarHeight), true);
}

void TPhasePlot::ShowButtonBar(int show)
{
    for (TWindow* w : std::initializer_list<TWindow*>{ZoomInButton.get(), ZoomFullButton.get(), Zoom2XInButton.get(),
                                                      Zoom2XOutButton.get(), OptionsButton.get(), PlotTopEdit.get(),
                                                      PlotTopSpin.get()})
        w->Show(show);
}

void TPhasePlot::ShowButtons()
{
    Opts->ShowToolbar = 1;
    ButtonBarHeight = 30;
    TopInset = 50;
    ShowButtonBar(SW_SHOW);
    PlaceControls();
}

void TPhasePlot::HideButtons()
{
    Opts->ShowToolbar = 0;
    ButtonBarHeight = 0;
    TopInset = 20;
    ShowButtonBar(SW_HIDE);
}

void TPhasePlot::UpdateBackgroundBrush()
{
    TPlotBase::UpdateBackgroundBrush();
    for (ToolBtn* b : {ZoomInButton.get(), ZoomFullButton.get(), Zoom2XInButton.get(), Zoom2XOutButton.get(),
                       OptionsButton.get()})
        b->LoadBitmaps();
}

void TPhasePlot::UpdateLayout()
{
    if (!HWindow)
        return;
    const AnalysisSettingsStruct& settings = MainWin->GetAnalysisSettings();
    const bool stereo = settings.Format.NumChannels == 2;
    PaneMode = stereo ? TChannelProcessing::Of(settings.ChannelProcessing).Panes : 1;
    if (settings.IndependentScalingAndCalibration == 1)
        PaneMode = 1;
    char text[24] = {};
    PlotTopEdit->GetText(text, sizeof text);
    if (float(std::strtod(text, nullptr)) != Opts->PlotTop) {
        std::snprintf(text, sizeof text, "%3.1f", Opts->PlotTop);
        Updating = 1;
        PlotTopEdit->SetText(text);
        Updating = 0;
    }
    // The bar's height goes into the panes' places.
    if (Opts->ShowToolbar)
        ShowButtons();
    else
        HideButtons();
    SyncScale();
    TPlotBase::UpdateLayout();
    CancelZoomSelection();
    const TRect client = GetClientRect();
    InvalidateRect(GraphRect, false);
    InvalidateRect(TRect(0, ButtonBarHeight + 1, client.right, GraphRect.top - 1), true);
    InvalidateRect(TRect(0, GraphRect.bottom + 1, client.right, client.bottom), true);
    InvalidateRect(TRect(client.left, ButtonBarHeight + 1, GraphRect.left - 1, client.bottom), true);
    InvalidateRect(TRect(GraphRect.right, client.top, client.right, client.bottom), true);
    SetCaptionFromData();
    LoadLogo();
}

void TPhasePlot::SetFrequencyRange(float start, float stop)
{
    if (PhaseData) {
        start = std::max(start, PhaseData->GetLowFrequency());
        stop = std::min(stop, PhaseData->GetHighFrequency());
        if (stop <= start) {
            start = PhaseData->GetLowFrequency();
            stop = PhaseData->GetHighFrequency();
        }
        VisibleStart = PhaseData->GetIndex(start);
        VisibleEnd = PhaseData->GetIndex(stop);
    }
    Opts->StartFreq = start;
    Opts->StopFreq = stop;
    UpdateLayout();
}

void TPhasePlot::SetViewSettings(ScalingStruct scaling)
{
    ViewSettings = scaling;
}

void TPhasePlot::SetData(TSpectralData* data, TSpectralData* data2)
{
    PhaseData = data;
    PhaseData2 = data2;
    DataViewSource(data);
}

void TPhasePlot::ResetVisibleRange()
{
    if (!PhaseData)
        return;
    ShowVisibleRange();
    BuildColumnMap();
    BuildXTicks();
    BuildYTicks();
}

void TPhasePlot::BuildColumnMap()
{
    if (!PhaseData)
        return;
    SyncScale();
    Scale.BuildColumns(GraphRect.Width(), TSpectralSource(*PhaseData));
}

void TPhasePlot::BuildXTicks()
{
    if (!PhaseData)
        return;
    SyncScale();
    Scale.BuildXTicks(GraphRect.Width());
}

void TPhasePlot::BuildYTicks()
{
    SyncScale();
    Scale.BuildYTicks((PaneMode == 2 ? PaneRect2 : PaneRect1).Height());
}

TSpectralData* TPhasePlot::PaneData(const TRect& pane) const
{
    return PaneMode == 2 && pane == PaneRect2 ? PhaseData2 : PhaseData;
}

float TPhasePlot::GetXValue(const TPoint& point)
{
    return PhaseData ? Scale.ColumnFrequency(point.x - GraphRect.left) : 0.0f;
}

float TPhasePlot::GetYValue(const TPoint& point)
{
    const TRect pane = GetPaneRect(point);
    if (!PhaseData || pane.IsEmpty())
        return 0.0f;
    YFormat = 2;
    SyncScale();
    if (!Opts->GrabCursorFlag)
        return Scale.PhaseAtRow(point.y, {pane.left, pane.top, pane.right, pane.bottom});
    const int column = point.x - GraphRect.left;
    if (column < 0 || column >= int(Scale.Columns.size()))
        return 0.0f;
    TSpectralData* data = PaneData(pane);
    return data ? data->GetPhase(int(Scale.Columns[size_t(column)].Bin)) : 0.0f;
}

uint16_t TPhasePlot::GetHarmonicCount(const TPoint& point)
{
    const float f = GetXValue(point);
    if (!PhaseData || !(f > 0.0f))
        return 0;
    return uint16_t(std::min<double>(PhaseData->GetHighFrequency() / f, 65535.0));
}

TPoint TPhasePlot::GetHarmonicOffset(int index, const TPoint& point)
{
    return TPoint(FrequencyToColumn(index * GetXValue(point)), point.y);
}

void TPhasePlot::TrackCursor(const TPoint& point)
{
    if (!Opts->GrabCursorFlag || !PhaseData)
        return;
    const TRect pane = GetPaneRect(point);
    const int column = point.x - GraphRect.left;
    TSpectralData* data = PaneData(pane);
    if (pane.IsEmpty() || !data || column < 0 || column >= int(Scale.Columns.size()))
        return;
    SyncScale();
    const int h = Scale.HeightOf(data->GetPhase(int(Scale.Columns[size_t(column)].Bin)), pane.Height());
    TPoint screen(point.x, std::clamp<int>(pane.bottom - h, pane.top, pane.bottom - 1));
    ClientToScreen(screen);
    ::SetCursorPos(screen.x, screen.y);
    MSG moved;
    ::PeekMessageA(&moved, HWindow, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
}

void TPhasePlot::NewData(float time)
{
    RefreshDataView();
    if (!TPhaseScale::Admit(time, Opts->IntervalFlag != 0, Opts->IntervalSecs, LastDrawTime))
        return;
    TPlotBase::NewData(time);
}

void TPhasePlot::Paint(TDC& dc, bool erase, TRect& update)
{
    if (!PhaseData)
        return;
    TRect clip = Device().Clip(update);
    TPlotBase::Paint(dc, erase, clip);
    if (PaneMode == 2) {
        PaintPane(dc, PaneRect1, clip, PhaseData, false);
        PaintPane(dc, PaneRect2, clip, PhaseData2, true);
    } else {
        PaintPane(dc, GraphRect, clip, PhaseData, true);
    }
    PaintLogo(dc, LogoRect, clip);
}

void TPhasePlot::PaintPane(TDC& dc, const TRect& pane, const TRect& update, TSpectralData* data, bool xAxis)
{
    PaintBackground(dc, pane, update);
    PaintYAxis(dc, pane, update);
    if (xAxis)
        PaintXAxis(dc, pane, update);
    PaintGrids(dc, pane, update);
    PaintTitle(dc, pane, update, data ? data->GetLabel() : "");
    PaintCurve(dc, pane, update, data);
    PaintMarkers(dc, pane, update, data);
}

void TPhasePlot::PaintBackground(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Device().FillsPanes || !pane.Touches(update))
        return;
    dc.FillRect(pane, Gdi.Brush(Opts->BackgroundColor));
}

void TPhasePlot::PaintYAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (update.left > pane.left)
        return;
    DrawText(dc, 4, (GraphRect.top + GraphRect.bottom) / 2 + 6, IDS_AXIS_PHASE_DEGREES_TEXT, TA_CENTER | TA_TOP,
             &RotatedFont());
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const TAxisLabel& tick : Scale.YTicks) {
        const int y = pane.top + tick.Position;
        dc.MoveTo(pane.left - 3, y);
        dc.LineTo(pane.left, y);
        if (tick.Text[0]) {
            char text[11] = {};
            std::memcpy(text, tick.Text, 10);
            DrawText(dc, pane.left - 6, y - FontHeight / 2, text, TA_RIGHT | TA_TOP);
        }
    }
}

void TPhasePlot::PaintXAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    const int y0 = pane.bottom + GetScrollBarHeight();
    if (update.bottom <= pane.bottom)
        return;
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const TAxisLabel& tick : Scale.XTicks) {
        const int x = pane.left + tick.Position;
        dc.MoveTo(x, y0);
        dc.LineTo(x, y0 + 3);
        if (tick.Text[0]) {
            char text[11] = {};
            std::memcpy(text, tick.Text, 10);
            DrawText(dc, x, y0 + 3, text, TA_CENTER | TA_TOP);
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
    DrawText(dc, client.right / 2, client.bottom, title, TA_CENTER | TA_BOTTOM);
}

void TPhasePlot::PaintGrids(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!pane.Touches(update))
        return;
    dc.SelectObject(Gdi.Pen(Device().Grid(Opts->GridColor)));
    if (Opts->GridXEnabled)
        for (const TAxisLabel& tick : Scale.XTicks) {
            dc.MoveTo(pane.left + tick.Position, pane.top);
            dc.LineTo(pane.left + tick.Position, pane.bottom);
        }
    if (Opts->GridYEnabled)
        for (const TAxisLabel& tick : Scale.YTicks) {
            dc.MoveTo(pane.left, pane.top + tick.Position);
            dc.LineTo(pane.right, pane.top + tick.Position);
        }
}

void TPhasePlot::PaintTitle(TDC& dc, const TRect& pane, const TRect& update, const char* label)
{
    if (!ShowsTitle() || update.top >= pane.top)
        return;
    DrawText(dc, GetClientRect().right / 2, pane.top - FontHeight - 3, label, TA_CENTER | TA_TOP);
}

void TPhasePlot::PaintCurve(TDC& dc, const TRect& pane, const TRect& update, TSpectralData* data)
{
    if (!data || !pane.Touches(update))
        return;
    if (Opts->PlotRange == 0.0f)
        Opts->PlotRange = 1.0f;
    SyncScale();
    const std::vector<TCurvePoint> curve = Scale.BuildCurve(TSpectralSource(*data), {pane.left, pane.top, pane.right, pane.bottom});
    if (curve.size() < 2)
        return;
    dc.SelectObject(Gdi.Pen(Device().Ink(dc, Opts->LineColor)));
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(TRect(pane.left, pane.top, pane.right + 1, pane.bottom + 1));
    static_assert(sizeof(TCurvePoint) == sizeof(TPoint));
    dc.Polyline(reinterpret_cast<const TPoint*>(curve.data()), int(curve.size()));
    dc.RestoreDC(saved);
}

void TPhasePlot::PaintMarkers(TDC& dc, const TRect& pane, const TRect& update, TSpectralData* data)
{
    if (!data || !pane.Touches(update))
        return;
    const MarkerSettings& markers = MainWin->GetMarkers();
    const TSpectralSource source(*data);
    SyncScale();
    dc.SelectObject(Gdi.Pen(Device().Ink(dc, Opts->MarkerColor)));
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(pane);
    for (int i = 0; i < MarkerSettings::Count; ++i) {
        if (!markers.MarkerEnable[i])
            continue;
        // A marker beyond the engine's range is skipped rather than looked up.
        const int column = Scale.MarkerColumn(markers.MarkerFreq[i], source);
        if (column == TPhaseScale::NoColumn)
            continue;
        const int x = pane.left + column;
        const int y = pane.bottom - Scale.HeightOf(data->GetPhase(data->GetIndex(markers.MarkerFreq[i])), pane.Height());
        const TPoint diamond[] = {{x, y - 6}, {x - 4, y}, {x, y + 6}, {x + 4, y}, {x, y - 6}};
        dc.Polyline(diamond, 5);
    }
    dc.RestoreDC(saved);
}

void TPhasePlot::PaintGraph(TDC& dc, bool erase, TRect& update)
{
    if (!Device().WindowParts || update.top > ButtonBarHeight)
        return;
    TPlotBase::PaintGraph(dc, erase, update);
    if (!Opts->ShowToolbar)
        return;
    if (Font)
        BarFields.PaintLabels(dc, *Font);
}
