#include "utilities/TPhaseScope.h"

#include <algorithm>
#include <cstdio>
#include "engine/AnalysisSettingsStruct.h"
#include "engine/TSeriesData.h"
#include "framework/TBrush.h"
#include "framework/TClientDC.h"
#include "framework/THtmlHelp.h"
#include "framework/TModule.h"
#include "framework/TPopupMenu.h"
#include "resources/CommandIds.h"
#include "utilities/TUtilityHost.h"
#include "views/TViewMenu.h"

namespace {

const TMenuRow ContextMenu[] = {
    {TPhaseScope::MenuOptions, "&Phase Scope Display Options..."},
    {},
    {TPhaseScope::MenuHelp, "&Help"},
};

TPhaseScopeTrace::Rect ToTraceRect(const TRect& r)
{
    return {int32_t(r.left), int32_t(r.top), int32_t(r.right), int32_t(r.bottom)};
}

}  // namespace

DEFINE_RESPONSE_TABLE1(TPhaseScope, TPlotBase)
    EV_WM_SYSCOMMAND
    EV_WM_LBUTTONDBLCLK
    EV_COMMAND(TPhaseScope::MenuOptions, CmOptions)
    EV_COMMAND(TPhaseScope::MenuHelp, CmHelp)
END_RESPONSE_TABLE;

TPhaseScope::TPhaseScope(TMDIClient& parent, TUtilityHost& host, const char* caption)
    : TPlotBase(parent, &host, caption), Host(host)
{
    Attr.X = 200;
    Attr.Y = 200;
    Attr.W = 100;
    Attr.H = 60;
    ButtonBarHeight = 0;
    TopInset = BottomInset = LeftMargin = RightMargin = PaneGap = 10;
    XReadoutSize = TSize(112, 60);
    XFormat = 6;
    YFormat = 2;
    std::snprintf(XUnit, sizeof XUnit, "%s", " sec");
    PaneMode = 1;
}

TPhaseScope::~TPhaseScope() = default;

void TPhaseScope::GetWindowClass(WNDCLASSA& wc)
{
    TPlotBase::GetWindowClass(wc);
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(instance, "ICON_UTILITY");
}

void TPhaseScope::SetupWindow()
{
    SettingUp = true;
    TPlotBase::SetupWindow();
    AllocateBuffers();
    SettingUp = false;
}

// Trace buffers for the pane's width, blocks for the format.
void TPhaseScope::AllocateBuffers()
{
    Computed.clear();
    Shown.clear();
    const AnalysisSettingsStruct& settings = Host.GetAnalysisSettings();
    Capacity = TPhaseScopeTrace::Capacity(GraphRect.Width(), uint32_t(std::max<int32_t>(settings.FFTsize, 0)));
    Computed.reserve(size_t(Capacity));
    Shown.reserve(size_t(Capacity));
    LeftBlock = std::make_unique<TSeriesData>(TPhaseScopeTrace::BlockFrames, settings.Format, 1, 0);
    RightBlock = std::make_unique<TSeriesData>(TPhaseScopeTrace::BlockFrames, settings.Format, 1, 0);
    if (LeftBlock->Error || RightBlock->Error) {
        LeftBlock.reset();
        RightBlock.reset();
    }
}

void TPhaseScope::UpdateLayout()
{
    if (Closing) return;
    if (Host.GetAnalysisSettings().Format.NumChannels == 1) {
        Closing = true;
        MessageBox("The Phase Scope utility requires stereo operation.  It will now be shutdown", "Tonalyx",
                   MB_OK | MB_ICONINFORMATION);
        // Closed through the queue: this handler still runs on the window.
        Host.UtilityClosed(*this);
        return;
    }
    PaneMode = 1;
    TPlotBase::UpdateLayout();
    if (!HWindow) return;
    HideScrollBar();
    AllocateBuffers();
    if (!SettingUp) UpdateTrace();
    ClearSelection();
    // The graph is drawn over; only the strips around it are erased.
    const TRect client = GetClientRect();
    InvalidateRect(GraphRect, false);
    InvalidateRect(TRect(client.left, client.top, client.right, GraphRect.top), true);
    InvalidateRect(TRect(client.left, GraphRect.bottom, client.right, client.bottom), true);
    InvalidateRect(TRect(client.left, GraphRect.top, GraphRect.left, GraphRect.bottom), true);
    InvalidateRect(TRect(GraphRect.right, GraphRect.top, client.right, GraphRect.bottom), true);
    UpdateWindow();
}

bool TPhaseScope::AcquireBlock()
{
    return LeftBlock && RightBlock && Host.ReadSourceBlocks(0, *LeftBlock, RightBlock.get());
}

void TPhaseScope::ComputeTrace()
{
    const AnalysisSettingsStruct& settings = Host.GetAnalysisSettings();
    TPhaseScopeTrace::Compute(*LeftBlock, *RightBlock, Host.GetPhaseScopeOptions().DisplayFormat,
                              settings.Format.MaxValue, ToTraceRect(GraphRect), Capacity, Computed);
}

void TPhaseScope::UpdateTrace()
{
    if (!LeftBlock || !RightBlock || Capacity == 0 || !HWindow || IsIconic()) return;
    if (!AcquireBlock()) return;
    ComputeTrace();
    const PhaseScopeSettingsStruct& options = Host.GetPhaseScopeOptions();
    TClientDC dc(HWindow);
    const TRect clip = GetClientRect();
    DrawTrace(dc, GraphRect, clip, Shown, options.BackgroundColor);
    DrawGrid(dc, GraphRect, clip);
    DrawTrace(dc, GraphRect, clip, Computed, options.LineColor);
    Shown = Computed;
}

void TPhaseScope::DrawTrace(TDC& dc, const TRect& rect, const TRect& clip,
                            const std::vector<TPhaseScopeTrace::Point>& points, COLORREF colour)
{
    if (points.empty() || !rect.Touches(clip)) return;
    const TPlotDevice& device = Device();
    const int saved = dc.SaveDC();
    if (device.ClipsToPanes) dc.IntersectClipRect(rect);
    dc.SelectObject(Gdi.Pen(device.Ink(dc, colour), device.CurveWidth));
    // Pieces are not joined: the scope has always drawn them so.
    static_assert(sizeof(TPhaseScopeTrace::Point) == sizeof(POINT));
    const auto* all = reinterpret_cast<const POINT*>(points.data());
    for (size_t first = 0; first < points.size(); first += PolylinePiece)
        ::Polyline(dc, all + first, int(std::min<size_t>(PolylinePiece, points.size() - first)));
    dc.RestorePen();
    dc.RestoreDC(saved);
}

void TPhaseScope::DrawGrid(TDC& dc, const TRect& rect, const TRect& clip)
{
    if (!rect.Touches(clip)) return;
    const PhaseScopeSettingsStruct& options = Host.GetPhaseScopeOptions();
    const TPlotDevice& device = Device();
    const COLORREF colour = device.Ink(dc, options.GridColor);
    dc.SelectObject(Gdi.Pen(colour, 0));
    dc.SetTextColor(colour);
    const TRect c = GetClientRect();
    const int f = FontHeight;
    if (options.DisplayFormat == TPhaseScopeTrace::SoundStage) {
        DrawText(dc, c.left + c.Width() / 12, rect.top + c.Height() / 12 + f / 2, "Left", TA_LEFT | TA_TOP);
        DrawText(dc, c.Width() / 2, rect.top + f / 2 - 6, "Center", TA_CENTER | TA_TOP);
        DrawText(dc, c.right - c.Width() / 12, rect.top + c.Height() / 12 + f / 2, "Right", TA_RIGHT | TA_TOP);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Ellipse(rect.left + 10, rect.top + 16, rect.right - 10, rect.bottom - 16);
        dc.RestoreBrush();
    } else {
        const bool leftAcross = options.DisplayFormat == TPhaseScopeTrace::LeftVersusRight;
        DrawText(dc, c.left + 20, c.top + c.Height() / 2 - f, leftAcross ? "Left" : "Right", TA_LEFT | TA_TOP);
        DrawText(dc, c.Width() / 2, rect.top + f / 2 - 6, leftAcross ? "Right" : "Left", TA_CENTER | TA_TOP);
        const int x = rect.left + rect.Width() / 2, y = rect.top + rect.Height() / 2;
        DrawLine(dc, x, rect.top + 20, x, rect.bottom - 10);
        DrawLine(dc, rect.left + 10, y, rect.right - 10, y);
    }
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.RestoreFont();
    dc.RestorePen();
}

void TPhaseScope::FillBackground(TDC& dc)
{
    if (Device().FillsPanes) dc.FillRect(GraphRect, Gdi.Brush(Host.GetPhaseScopeOptions().BackgroundColor));
}

void TPhaseScope::Paint(TDC& dc, bool erase, TRect& update)
{
    if (Capacity == 0) return;
    TPlotBase::Paint(dc, erase, update);
    const TRect clip = Device().Clip(update);
    FillBackground(dc);
    DrawGrid(dc, GraphRect, clip);
    DrawTrace(dc, GraphRect, clip, Shown, Host.GetPhaseScopeOptions().LineColor);
}

void TPhaseScope::EvRButtonDown(UINT, const TPoint& point)
{
    if (!GetPaneRect(point).Contains(point)) return;
    std::unique_ptr<TPopupMenu> menu = TViewMenu::Build(ContextMenu);
    ShowContextMenu(point, *menu);
}

void TPhaseScope::EvLButtonDblClk(UINT, const TPoint&)
{
    CmOptions();
}

void TPhaseScope::CmOptions()
{
    Host.RunCommand(CM_PHASESCOPEOPTIONS);
}

void TPhaseScope::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.GetHelpPath(), HelpContext);
}

void TPhaseScope::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE) {
        Host.UtilityClosed(*this);
        return;
    }
    DefaultProcessing();
}
