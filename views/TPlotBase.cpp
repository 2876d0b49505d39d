#include "views/TPlotBase.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/TSettingsTable.h"
#include "engine/AnalysisSettingsStruct.h"
#include "engine/TSpectralData.h"

#include "framework/TBrush.h"
#include "framework/TClientDC.h"
#include "framework/TDC.h"
#include "framework/TMDIClient.h"
#include "framework/TMemoryDC.h"
#include "framework/TModule.h"
#include "framework/TProfileFile.h"
#include "framework/UiHelpers.h"
#include "resources/StringIds.h"
#include "views/TDataView.h"
#include "views/TPaneLayout.h"
#include "views/TViewHost.h"

DEFINE_RESPONSE_TABLE1(TPlotBase, TMDIChild)
    EV_WM_SIZE
    EV_WM_LBUTTONDOWN
    EV_WM_LBUTTONUP
    EV_WM_RBUTTONDOWN
    EV_WM_RBUTTONUP
    EV_WM_MOUSEMOVE
    EV_WM_SYSCOMMAND
    EV_CHILD_NOTIFY_ALL_CODES(TPlotBase::ScrollBarId, ScrollNotify)
    EV_COMMAND(TViewMenu::CopyBitmapId, CopyAsBitmap)
    EV_MESSAGE(TDataView::CloseRequest, EvDataViewClose)
END_RESPONSE_TABLE;

namespace {

TPaneRect ToPane(const TRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

TRect ToRect(const TPaneRect& r)
{
    return TRect(r.left, r.top, r.right, r.bottom);
}

// Line drawing that inverts the screen, so drawing twice removes it.
class TInvertingDC : public TClientDC {
public:
    explicit TInvertingDC(HWND window) : TClientDC(window), OldRop(SetROP2(R2_NOT)) {}
    ~TInvertingDC() override { SetROP2(OldRop); }

private:
    int OldRop;
};

class TClip {
public:
    TClip(TDC& dc, const TRect& rect) : Dc(dc) { dc.IntersectClipRect(rect); }
    ~TClip() { Dc.SelectClipRgn(nullptr); }

private:
    TDC& Dc;
};

}  // namespace

TPlotBase::TPlotBase(TMDIClient& parent, TViewHost* mainWin, const char* title)
    : TMDIChild(parent, title), MainWin(mainWin)
{
}

TPlotBase::~TPlotBase() = default;

HBRUSH TPlotBase::FaceBrush() const
{
    const TBrush* brush = MainWin ? MainWin->GetFaceBrush() : nullptr;
    return brush ? HBRUSH(*brush) : nullptr;
}

void TPlotBase::GetWindowClass(WNDCLASSA& wc)
{
    TMDIChild::GetWindowClass(wc);
    wc.style |= CS_DBLCLKS;
    wc.hCursor = nullptr;
    wc.hbrBackground = FaceBrush();
}

void TPlotBase::SetupWindow()
{
    TMDIChild::SetupWindow();
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    PlotCursor = ::LoadCursorA(instance, "PLOT_CURSOR");
    BlankCursor = ::LoadCursorA(instance, "BLANK_CURSOR");
    SelectionCursor = ::LoadCursorA(instance, "SELECTION_CURSOR");
    ArrowCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    Font = std::make_unique<TFont>("Arial", 15);
    FontHeight = 15;
    ::SetCursor(ArrowCursor);
    CreateReadoutBitmaps();
    LoadLogo();
}

void TPlotBase::CreateReadoutBitmaps()
{
    TClientDC screen(HWindow);
    XReadoutBitmap = std::make_unique<TBitmap>(screen, XReadoutSize.cx, XReadoutSize.cy);
    XReadoutSaveBitmap = std::make_unique<TBitmap>(screen, XReadoutSize.cx, XReadoutSize.cy);
    YReadoutBitmap = std::make_unique<TBitmap>(screen, YReadoutSize.cx, YReadoutSize.cy);
    YReadoutSaveBitmap = std::make_unique<TBitmap>(screen, YReadoutSize.cx, YReadoutSize.cy);
}

void TPlotBase::DeleteReadoutBitmaps()
{
    for (auto* b : {&XReadoutBitmap, &XReadoutSaveBitmap, &YReadoutBitmap, &YReadoutSaveBitmap})
        b->reset();
}

void TPlotBase::CalcPaneRects()
{
    RECT client;
    ::GetClientRect(HWindow, &client);
    TPaneLayout layout;
    layout.PaneMode = PaneMode;
    layout.TopInset = TopInset;
    layout.BottomInset = BottomInset;
    layout.LeftMargin = LeftMargin;
    layout.RightMargin = RightMargin;
    layout.PaneGap = PaneGap;
    layout.GraphRect = ToPane(GraphRect);
    layout.PaneRect1 = ToPane(PaneRect1);
    layout.PaneRect2 = ToPane(PaneRect2);
    layout.Calculate(ToPane(TRect(client)), GetScrollBarHeight());
    GraphRect = ToRect(layout.GraphRect);
    PaneRect1 = ToRect(layout.PaneRect1);
    PaneRect2 = ToRect(layout.PaneRect2);
}

void TPlotBase::PlaceScrollBar()
{
    ResetScrollRange();
    if (!ScrollBar) {
        ScrollBar = std::make_unique<TScrollBar>(this, ScrollBarId, GraphRect.left, GraphRect.bottom,
                                                 GraphRect.Width(), ScrollBarThickness, true);
        if (HWindow)
            ScrollBar->Create();
    } else if (ScrollBar->GetHandle()) {
        ScrollPos = ScrollBar->GetPosition();
        ScrollBar->MoveWindow(GraphRect.left, GraphRect.bottom, GraphRect.Width(), ScrollBarThickness, true);
    }
    if (ScrollBar->GetHandle()) {
        ScrollBar->SetRange(0, ScrollRange);
        if (!ScrollBarShown)
            ScrollBar->Show(SW_HIDE);
    }
    ScrollBar->LineMagnitude = 1;
    ScrollBar->PageMagnitude = (VisibleEnd - VisibleStart) / 2;
}

int TPlotBase::GetScrollBarHeight()
{
    return ScrollBarShown == 1 && Device().WindowParts ? ScrollBarThickness : 0;
}

void TPlotBase::ShowScrollBar()
{
    if (ScrollBarShown)
        return;
    ScrollBarShown = 1;
    if (ScrollBar && ScrollBar->GetHandle())
        ScrollBar->Show(SW_RESTORE);
    CalcPaneRects();
    PlaceScrollBar();
    InvalidateRect(GraphRect, true);
}

void TPlotBase::HideScrollBar()
{
    if (!ScrollBarShown)
        return;
    ScrollBarShown = 0;
    if (ScrollBar && ScrollBar->GetHandle())
        ScrollBar->Show(SW_HIDE);
    CalcPaneRects();
    PlaceScrollBar();
    InvalidateRect(GraphRect, true);
}

void TPlotBase::SetSelectionRect(const TPoint& point)
{
    if (SelectionRect.left == 0) {
        if (SelectAxis == 0) {
            const int x = std::clamp<int>(point.x, GraphRect.left, GraphRect.right);
            SelectionRect = TRect(x, GraphRect.top, x + 1, GraphRect.bottom);
        } else {
            const int y = std::clamp<int>(point.y, GraphRect.top, GraphRect.bottom);
            SelectionRect = TRect(GraphRect.left, y, GraphRect.right, y + 1);
        }
        return;
    }
    if (SelectAxis == 0)
        SelectionRect.right = point.x;
    else
        SelectionRect.bottom = point.y;
}

void TPlotBase::SetSelection(const TRect&)
{
    SelectMode = 0;
}

void TPlotBase::ResetVisibleRange()
{
    VisibleStart = 0;
    VisibleEnd = 100;
}

void TPlotBase::ResetScrollRange()
{
    ScrollRange = 100;
}

void TPlotBase::SetPaneMode(int mode)
{
    if (mode == 1 || mode == 2)
        PaneMode = mode;
}

void TPlotBase::ClearSelection()
{
    SelectionRect = TRect();
    SelectMode = 0;
}

void TPlotBase::UpdateBackgroundBrush()
{
    if (HWindow && MainWin)
        SetClassLong(GCLP_HBRBACKGROUND, LONG_PTR(FaceBrush()));
}

TRect TPlotBase::XReadoutBox(const TRect& pane, const TPoint& point) const
{
    const int w = XReadoutSize.cx, h = XReadoutSize.cy;
    return TRect(point.x - w / 2, pane.top - 1 - h, point.x + w / 2, pane.top - 1);
}

TRect TPlotBase::YReadoutBox(const TRect& pane, const TPoint& point) const
{
    const int w = YReadoutSize.cx, h = YReadoutSize.cy;
    return TRect(pane.left - 1 - w, point.y - h / 2, pane.left - 1, point.y + h / 2);
}

void TPlotBase::DrawReadout(TDC& dc, const TRect& box, const TBitmap& picture, const TBitmap& save, float value,
                            int format, const char* unit)
{
    char text[64];
    FormatAxisValue(text, value, format, unit);
    DrawReadoutText(dc, box, picture, save, text);
}

void TPlotBase::DrawReadoutText(TDC& dc, const TRect& box, const TBitmap& picture, const TBitmap& save,
                                const char* text)
{
    TMemoryDC memory(dc);
    memory.SelectObject(save);
    memory.BitBlt(0, 0, box.Width(), box.Height(), dc, box.left, box.top);
    memory.SelectObject(picture);
    memory.Rectangle(0, 0, box.Width(), box.Height());
    if (Font)
        memory.SelectObject(*Font);
    memory.SetTextAlign(TA_CENTER | TA_TOP);
    memory.TextOut(box.Width() / 2, 1, text);
    // The screen context inverts lines; the box itself is a plain copy.
    dc.BitBlt(box.left, box.top, box.Width(), box.Height(), memory, 0, 0);
}

void TPlotBase::EraseReadout(TDC& dc, const TRect& box, const TBitmap& save)
{
    TMemoryDC memory(dc);
    memory.SelectObject(save);
    dc.BitBlt(box.left, box.top, box.Width(), box.Height(), memory, 0, 0);
}

void TPlotBase::DrawXReadout(TDC& dc, const TRect& pane, const TPoint& point, float value)
{
    if (point.x == 0 || point.y == 0 || !XReadoutBitmap || !XReadoutSaveBitmap)
        return;
    char unit[10];
    std::memcpy(unit, XUnit, sizeof unit);
    unit[sizeof unit - 1] = '\0';
    if (MainWin && MainWin->GetRpmLinkFlag() && unit[0])
        unit[1] = '\0';
    DrawReadout(dc, XReadoutBox(pane, point), *XReadoutBitmap, *XReadoutSaveBitmap, value, XFormat, unit);
}

void TPlotBase::EraseXReadout(TDC& dc, const TRect& pane, const TPoint& point)
{
    if (point.x == 0 || point.y == 0 || !XReadoutBitmap || !XReadoutSaveBitmap)
        return;
    EraseReadout(dc, XReadoutBox(pane, point), *XReadoutSaveBitmap);
}

void TPlotBase::DrawYReadout(TDC& dc, const TRect& pane, const TPoint& point, float value)
{
    if (point.x == 0 || point.y == 0 || !YReadoutBitmap || !YReadoutSaveBitmap)
        return;
    char unit[10];
    std::memcpy(unit, YUnit, sizeof unit);
    unit[sizeof unit - 1] = '\0';
    DrawReadout(dc, YReadoutBox(pane, point), *YReadoutBitmap, *YReadoutSaveBitmap, value, YFormat, unit);
}

void TPlotBase::EraseYReadout(TDC& dc, const TRect& pane, const TPoint& point)
{
    if (point.x == 0 || point.y == 0 || !YReadoutBitmap || !YReadoutSaveBitmap)
        return;
    EraseReadout(dc, YReadoutBox(pane, point), *YReadoutSaveBitmap);
}

void TPlotBase::DrawLine(TDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

void TPlotBase::DrawText(TDC& dc, int x, int y, const char* text, UINT align, const TFont* font)
{
    if (!font)
        font = Font.get();
    if (font)
        dc.SelectObject(*font);
    const UINT oldAlign = dc.SetTextAlign(align);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    dc.TextOut(x, y, text);
    dc.SetBkMode(oldMode);
    dc.SetTextAlign(oldAlign);
}

const TFont& TPlotBase::RotatedFont()
{
    LOGFONTA lf{};
    lf.lfHeight = FontHeight;
    lf.lfEscapement = lf.lfOrientation = 900;
    std::strcpy(lf.lfFaceName, "Arial");
    return Gdi.Font(lf);
}

bool TPlotBase::ShowsTitle() const
{
    if (!Device().TitleOnSwitch)
        return true;
    TProfileFile ini(MainWin->GetIniPath());
    const std::string value = TSettingsTable::ReadText(ini, IDS_SECTION_FILEIO_TEXT, "PrintPlotTitle", "TRUE", 21);
    return _strnicmp(value.c_str(), "FALSE", 20) != 0;
}

void TPlotBase::SetCaptionFor(const char* name, const TSpectralData* data)
{
    char caption[128];
    if (MainWin->GetAnalysisSettings().IndependentScalingAndCalibration == 1)
        std::snprintf(caption, sizeof caption, "%s - %s", name, data->GetLabel());
    else
        std::snprintf(caption, sizeof caption, "%s", name);
    SetCaption(caption);
}

void TPlotBase::DrawCrosshair(TDC& dc, const TRect& pane, const TPoint& point)
{
    TClip clip(dc, pane);
    DrawLine(dc, pane.left, point.y, pane.right, point.y);
    DrawLine(dc, point.x, pane.top, point.x, pane.bottom);
}

void TPlotBase::DrawHarmonicCursors(TDC& dc, const TRect& pane, const TPoint& point)
{
    const int n = std::min<int>(GetHarmonicCount(point), 1000);
    if (n < 2)
        return;
    TClip clip(dc, pane);
    const uint16_t axis = GetCursorAxis();
    for (int i = 2; i <= n; ++i) {
        const TPoint offset = GetHarmonicOffset(i, point);
        if (axis == 0)
            DrawLine(dc, pane.left + offset.x, pane.top, pane.left + offset.x, pane.bottom);
        else if (axis == 1)
            DrawLine(dc, pane.left, pane.bottom - offset.y, pane.right, pane.bottom - offset.y);
    }
}

void TPlotBase::DrawSidebandCursors(TDC& dc, const TRect& pane, const TPoint& point)
{
    TClip clip(dc, pane);
    const uint16_t axis = GetCursorAxis();
    if (axis == 0) {
        DrawLine(dc, AnchorPoint.x, pane.top, AnchorPoint.x, pane.bottom);
        DrawLine(dc, pane.left, point.y, pane.right, point.y);
    } else {
        DrawLine(dc, pane.left, AnchorPoint.y, pane.right, AnchorPoint.y);
        DrawLine(dc, point.x, pane.top, point.x, pane.bottom);
    }
    for (int i = 1; i <= 12; ++i) {
        const TPoint lower = GetLowerSidebandOffset(i, AnchorPoint, point);
        const TPoint upper = GetUpperSidebandOffset(i, AnchorPoint, point);
        if (axis == 0) {
            DrawLine(dc, pane.left + lower.x, pane.top, pane.left + lower.x, pane.bottom);
            DrawLine(dc, pane.left + upper.x, pane.top, pane.left + upper.x, pane.bottom);
        } else {
            DrawLine(dc, pane.left, pane.bottom - lower.y, pane.right, pane.bottom - lower.y);
            DrawLine(dc, pane.left, pane.bottom - upper.y, pane.right, pane.bottom - upper.y);
        }
    }
}

void TPlotBase::DrawSelectionFrame(TDC& dc, const TRect& clip, const TRect& rect)
{
    TClip clipping(dc, clip);
    const TPoint outline[] = {{rect.left, rect.bottom}, {rect.left, rect.top}, {rect.right, rect.top},
                              {rect.right, rect.bottom}, {rect.left, rect.bottom}};
    dc.Polyline(outline, 5);
}

void TPlotBase::FormatAxisValue(char* text, float value, int format, const char* unit)
{
    static const char* const Fixed[] = {"%4.1f%s", "%4.2f%s", "%4.3f%s", "%4.4f%s", "%4.5f%s", "%4.6f%s"};
    const double v = value;
    if (format == 0) {
        std::sprintf(text, "%ld%s", long(v), unit);
    } else if (format >= 1 && format <= 6) {
        std::sprintf(text, Fixed[format - 1], v, unit);
    } else if (format == 100) {
        std::sprintf(text, "%4.1e%s", v, unit);
    } else if (format == 101) {
        const double m = v < 0 ? -v : v;
        const char* f = m < 1.0 ? "%4.3f%s" : m < 10.0 ? "%4.2f%s" : m < 100.0 ? "%4.1f%s" : "%4.0f%s";
        std::sprintf(text, f, v, unit);
    } else if (format == 201) {
        std::strcpy(text, FormatTime(value, true, false));
    } else {
        std::sprintf(text, "%4.3f%s", v, unit);
    }
}

void TPlotBase::Draw3DFrame(TDC& dc, const TRect& rect, int width)
{
    dc.SelectObject(Gdi.Pen(Device().FrameLight(), width));
    dc.MoveTo(rect.left, rect.bottom);
    dc.LineTo(rect.right, rect.bottom);
    dc.LineTo(rect.right, rect.top);
    dc.SelectObject(Gdi.Pen(Device().FrameDark(), width));
    dc.LineTo(rect.left, rect.top);
    dc.LineTo(rect.left, rect.bottom);
}

void TPlotBase::PaintFrame(TDC& dc, bool, TRect& update)
{
    const int width = Device().FrameWidth;
    const int scroll = GetScrollBarHeight();
    if (PaneMode == 1) {
        if (!GraphRect.Contains(update)) {
            TRect r = GraphRect;
            r.bottom += scroll;
            Draw3DFrame(dc, r.InflatedBy(1, 1), width);
        }
    } else if (PaneMode == 2) {
        if (!PaneRect1.Contains(update))
            Draw3DFrame(dc, PaneRect1.InflatedBy(1, 1), width);
        if (!PaneRect2.Contains(update)) {
            TRect r = PaneRect2;
            r.bottom += scroll;
            Draw3DFrame(dc, r.InflatedBy(1, 1), width);
        }
    }
}

void TPlotBase::PaintGraph(TDC& dc, bool, TRect& update)
{
    if (!Device().WindowParts)
        return;
    RECT client;
    ::GetClientRect(HWindow, &client);
    const TRect strip(0, 0, client.right, ButtonBarHeight);
    if (!strip.Touches(update))
        return;
    if (HBRUSH face = FaceBrush())
        dc.FillRect(strip, face);
    dc.SelectObject(Gdi.Pen(TColor::White));
    DrawLine(dc, strip.left, strip.top, strip.right, strip.top);
    dc.SelectObject(Gdi.Pen(TColor::Black));
    DrawLine(dc, strip.left, strip.bottom, strip.right, strip.bottom);
}

void TPlotBase::LoadLogo()
{
    if (!Logo) {
        HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
        Logo = std::make_unique<TBitmap>(instance, "SPLASH_BITMAP");
    }
    if (!Logo->IsValid()) {
        LogoRect = TRect();
        return;
    }
    // The right end of the button strip, scaled to the strip's height: clear
    // of the panes, so it never covers data.
    RECT client{};
    if (HWindow) ::GetClientRect(HWindow, &client);
    const int height = std::max(ButtonBarHeight - 2 * LogoInset, 1);
    const int width = Logo->Height() > 0 ? Logo->Width() * height / Logo->Height() : 0;
    LogoRect = TRect(client.right - LogoInset - width, LogoInset, client.right - LogoInset, LogoInset + height);
}

void TPlotBase::PaintLogo(TDC& dc, const TRect& logoRect, const TRect& update)
{
    if (!logoRect.Touches(update) || !Device().WindowParts || !MainWin
        || MainWin->GetRunState() != TViewHost::Stopped)
        return;
    TProfileFile ini(MainWin->GetIniPath());
    if (_strnicmp(TSettingsTable::ReadText(ini, "FileIO", "HideLogo", "FALSE", 21).c_str(), "TRUE", 20) == 0)
        return;
    if (!Logo || !Logo->IsValid())
        return;
    TMemoryDC memory(dc);
    memory.SelectObject(*Logo);
    const int oldMode = dc.SetStretchBltMode(COLORONCOLOR);
    dc.StretchBlt(logoRect, memory, TRect(0, 0, Logo->Width(), Logo->Height()));
    dc.SetStretchBltMode(oldMode);
}

float TPlotBase::GetXValue(const TPoint&) { return 0.0f; }
float TPlotBase::GetYValue(const TPoint&) { return 0.0f; }
uint16_t TPlotBase::GetHarmonicCount(const TPoint&) { return 0; }
TPoint TPlotBase::GetHarmonicOffset(int, const TPoint&) { return TPoint(0, 0); }
TPoint TPlotBase::GetLowerSidebandOffset(int, const TPoint&, const TPoint&) { return TPoint(0, 0); }
TPoint TPlotBase::GetUpperSidebandOffset(int, const TPoint&, const TPoint&) { return TPoint(0, 0); }
uint16_t TPlotBase::GetCursorAxis() { return 0; }
void TPlotBase::TrackCursor(const TPoint&) {}
void TPlotBase::BeginCursorDraw(TDC&) {}
void TPlotBase::EndCursorDraw(TDC&) {}
void TPlotBase::EvRButtonDown(UINT, const TPoint&) {}
void TPlotBase::EvRButtonUp(UINT, const TPoint&) {}
void TPlotBase::PreparePrintLayout(TDC&, TPrintOptions) {}

void TPlotBase::GetSelectedSegment(float& start, float& end)
{
    start = end = 0.0f;
}

void TPlotBase::Paint(TDC& dc, bool erase, TRect& update)
{
    TRect clip = Device().Clip(update);
    PaintFrame(dc, erase, clip);
    PaintGraph(dc, erase, clip);
}

const TPlotDevice& TPlotBase::Device() const
{
    return PrintMode ? TPlotDevice::Page : TPlotDevice::Screen;
}

TRect TPlotBase::GetPaneRect(const TPoint& point) const
{
    TPaneLayout layout;
    layout.PaneMode = PaneMode;
    layout.GraphRect = ToPane(GraphRect);
    layout.PaneRect1 = ToPane(PaneRect1);
    layout.PaneRect2 = ToPane(PaneRect2);
    return ToRect(layout.PaneAt(point.x, point.y));
}

TRect TPlotBase::PaneRectToScreen(const TRect& rect) const
{
    return ClientToScreenRect(HWindow, rect);
}

void TPlotBase::InvalidateLogo()
{
    if (HWindow)
        InvalidateRect(LogoRect, true);
}

void TPlotBase::ConfineTo(const TRect& pane)
{
    const TRect screen = PaneRectToScreen(pane);
    ::ClipCursor(&screen);
}

void TPlotBase::EvLButtonDown(UINT keys, const TPoint& point)
{
    Tracking = DeltaMode = HarmonicMode = SidebandMode = 0;
    LastPoint = TPoint(0, 0);
    ::ClipCursor(nullptr);
    DeleteReadoutBitmaps();
    CreateReadoutBitmaps();
    const TRect pane = GetPaneRect(point);
    const bool inside = pane.Contains(point);
    if (SelectMode) {
        if (!inside)
            return;
        SelectionRect = TRect();
        SetCapture();
        ConfineTo(pane);
        TInvertingDC dc(HWindow);
        BeginCursorDraw(dc);
        SetSelectionRect(point);
        DrawSelectionFrame(dc, GraphRect, SelectionRect);
        Tracking = 1;
        EndCursorDraw(dc);
        ::SetCursor(SelectionCursor);
        return;
    }
    if (!inside)
        return;
    Tracking = 1;
    const bool ctrl = keys & MK_CONTROL;
    const bool shift = keys & MK_SHIFT;
    DeltaMode = ctrl && !shift;
    HarmonicMode = shift && !ctrl;
    SidebandMode = ctrl && shift;
    ClearSelection();
    ::SetCursor(BlankCursor);
    SetCapture();
    ConfineTo(pane);
    TrackCursor(point);
    TInvertingDC dc(HWindow);
    BeginCursorDraw(dc);
    if (!SidebandMode)
        DrawCrosshair(dc, pane, point);
    if (HarmonicMode)
        DrawHarmonicCursors(dc, pane, point);
    XValue = GetXValue(point);
    YValue = GetYValue(point);
    if (DeltaMode || SidebandMode) {
        AnchorPoint = point;
        AnchorXValue = XValue;
        AnchorYValue = YValue;
        DrawXReadout(dc, pane, point, 0.0f);
        DrawYReadout(dc, pane, point, 0.0f);
    } else {
        DrawXReadout(dc, pane, point, XValue);
        DrawYReadout(dc, pane, point, YValue);
    }
    if (SidebandMode)
        DrawSidebandCursors(dc, pane, point);
    LastPoint = point;
    EndCursorDraw(dc);
}

void TPlotBase::EvMouseMove(UINT, const TPoint& point)
{
    const TRect pane = GetPaneRect(point);
    if (SelectMode && Tracking) {
        ::SetCursor(SelectionCursor);
        TInvertingDC dc(HWindow);
        BeginCursorDraw(dc);
        DrawSelectionFrame(dc, GraphRect, SelectionRect);
        SetSelectionRect(point);
        DrawSelectionFrame(dc, GraphRect, SelectionRect);
        EndCursorDraw(dc);
        return;
    }
    const bool inside = pane.Contains(point);
    if (inside && (DeltaMode || Tracking)) {
        ::SetCursor(BlankCursor);
        TrackCursor(point);
        TInvertingDC dc(HWindow);
        BeginCursorDraw(dc);
        if (!SidebandMode) {
            DrawCrosshair(dc, pane, LastPoint);
            DrawCrosshair(dc, pane, point);
        }
        if (HarmonicMode) {
            DrawHarmonicCursors(dc, pane, LastPoint);
            DrawHarmonicCursors(dc, pane, point);
        }
        if (SidebandMode) {
            DrawSidebandCursors(dc, pane, LastPoint);
            DrawSidebandCursors(dc, pane, point);
        }
        if (DeltaMode) {
            DrawLine(dc, AnchorPoint.x, AnchorPoint.y, LastPoint.x, LastPoint.y);
            DrawLine(dc, AnchorPoint.x, AnchorPoint.y, point.x, point.y);
        }
        EraseXReadout(dc, pane, LastPoint);
        EraseYReadout(dc, pane, LastPoint);
        const bool relative = DeltaMode || SidebandMode;
        XValue = GetXValue(point) - (relative ? AnchorXValue : 0.0f);
        DrawXReadout(dc, pane, point, XValue);
        YValue = GetYValue(point) - (relative ? AnchorYValue : 0.0f);
        DrawYReadout(dc, pane, point, YValue);
        LastPoint = point;
        EndCursorDraw(dc);
        return;
    }
    if (inside)
        ::SetCursor(SelectMode ? SelectionCursor : PlotCursor);
    else
        ::SetCursor(SelectMode ? SelectionCursor : ArrowCursor);
}

void TPlotBase::EvLButtonUp(UINT, const TPoint& point)
{
    const TRect pane = GetPaneRect(point);
    if (SelectMode) {
        TInvertingDC dc(HWindow);
        BeginCursorDraw(dc);
        DrawSelectionFrame(dc, GraphRect, SelectionRect);
        SetSelectionRect(point);
        SelectionRect = SelectionRect.Normalized();
        SetSelection(SelectionRect);
        Tracking = 0;
        ReleaseCapture();
        EndCursorDraw(dc);
        ::ClipCursor(nullptr);
        ::SetCursor(PlotCursor);
    } else if (pane.Contains(point) && Tracking) {
        {
            TInvertingDC dc(HWindow);
            BeginCursorDraw(dc);
            if (!SidebandMode)
                DrawCrosshair(dc, pane, LastPoint);
            EraseXReadout(dc, pane, LastPoint);
            EraseYReadout(dc, pane, LastPoint);
            if (HarmonicMode)
                DrawHarmonicCursors(dc, pane, LastPoint);
            if (SidebandMode)
                DrawSidebandCursors(dc, pane, LastPoint);
            if (DeltaMode)
                DrawLine(dc, AnchorPoint.x, AnchorPoint.y, LastPoint.x, LastPoint.y);
            ReleaseCapture();
            ::ClipCursor(nullptr);
            EndCursorDraw(dc);
        }
        ::SetCursor(PlotCursor);
        Tracking = 0;
        auto corner = [&](const TRect& p) {
            InvalidateRect(TRect(p.left - XReadoutSize.cx / 2, p.top - YReadoutSize.cy / 2, p.left - 1, p.top - 1),
                           true);
        };
        corner(PaneRect1);
        if (PaneMode == 2)
            corner(PaneRect2);
    }
    DeltaMode = HarmonicMode = SidebandMode = 0;
    InvalidateReadoutStrips(PaneRect1);
    if (PaneMode == 2)
        InvalidateReadoutStrips(PaneRect2);
}

void TPlotBase::InvalidateReadoutStrips(const TRect& p)
{
    const int w = XReadoutSize.cx, h = YReadoutSize.cy;
    InvalidateRect(TRect(p.left - w, p.top - h, p.left - 1, p.bottom + h), true);
    InvalidateRect(TRect(p.left - w, p.top - h - 1, p.right + w, p.top - 1), true);
    InvalidateRect(TRect(p.right + 1, p.top - h - 1, p.right + 200, p.bottom + h + 1), true);
}

void TPlotBase::ScrollNotify(UINT code)
{
    if (code > SB_THUMBPOSITION || !ScrollBar)
        return;
    const int width = VisibleEnd - VisibleStart;
    VisibleStart = ScrollBar->GetPosition();
    VisibleEnd = VisibleStart + width;
    UpdateLayout();
}

// The close box closes the view through its host, which closes its partner
// or family as the window kinds say.
void TPlotBase::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE && MainWin) {
        MainWin->ViewClosed(*this);
        return;
    }
    DefaultProcessing();
}

void TPlotBase::EvSize(UINT sizeType, const TSize& size)
{
    TWindow::EvSize(sizeType, size);
    UpdateLayout();
    LoadLogo();
    Invalidate(true);
}

void TPlotBase::UpdateLayout()
{
    // Colours may have changed with the layout; no context holds the
    // cached objects between messages.
    Gdi.Clear();
    LastUpdateTime = 0.0f;
    CalcPaneRects();
    PlaceScrollBar();
    ResetVisibleRange();
}

void TPlotBase::NewData(float)
{
    if (!HWindow)
        return;
    if (PaneMode == 1) {
        InvalidateRect(GraphRect, false);
    } else {
        InvalidateRect(PaneRect2, false);
        InvalidateRect(PaneRect1, false);
    }
    UpdateWindow();
}
