#include "shell/StatusBar.h"

#include <cstdio>
#include <cstring>

#include "engine/TSmoothing.h"
#include "engine/TSoundInput.h"
#include "engine/TSpectralData.h"
#include "framework/TBitmap.h"
#include "framework/TClientDC.h"
#include "framework/TDC.h"
#include "framework/TFont.h"
#include "framework/TMemoryDC.h"
#include "framework/TScreenDC.h"
#include "framework/UiHelpers.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/TMainWin.h"

DEFINE_RESPONSE_TABLE1(StatusBar, TWindow)
    EV_WM_SIZE
    EV_WM_LBUTTONDOWN
    EV_WM_LBUTTONDBLCLK
END_RESPONSE_TABLE;

namespace {

const uint32_t Rates[] = {4000,  5512,  6000,  8000,  11025, 12000, 16000,  22050,  24000,  32000,
                          44100, 48000, 50000, 64000, 88200, 96000, 100000, 176400, 192000, 200000};
constexpr UINT RateCount = sizeof Rates / sizeof Rates[0];
// The bar offers the byte widths up to 24 bits.
constexpr uint16_t MaxOfferedWidth = 3;
const char* const ModeNames[] = {"Real Time", "Post Process", "Recorder"};

void DrawTextAt(TDC& dc, const TRect& pane, const char* text)
{
    ::TextOutA(dc, pane.left + 4, 4, text, int(std::strlen(text)));
}

}  // namespace

StatusBar::StatusBar(TWindow* parent, TMainWin* mainWin) : TWindow(parent, nullptr), MainWin(mainWin)
{
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    Gauge = std::make_unique<TGauge>(this, "%d%%", GaugeId, 0, 0, 0, 0, true, 0);
    Gauge->SetRange(0, 100);
}

void StatusBar::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    wc.style |= CS_DBLCLKS;
    wc.hbrBackground = *MainWin->GetFaceBrush();
}

void StatusBar::SetupWindow()
{
    TWindow::SetupWindow();
    EvSize(0, TSize(0, 0));
}

void StatusBar::EvSize(UINT sizeType, const TSize& size)
{
    TWindow::EvSize(sizeType, size);
    RECT client;
    ::GetClientRect(HWindow, &client);
    StatusPane = TRect(3, 3, 120, 20);
    ModePane = TRect(123, 3, 223, 20);
    RatePane = TRect(226, 3, 296, 20);
    BitsPane = TRect(299, 3, 349, 20);
    ChannelsPane = TRect(352, 3, 412, 20);
    FftPane = TRect(415, 3, 515, 20);
    WindowPane = TRect(518, 3, 590, 20);
    MeterPane = TRect(593, 3, client.right - 3, 20);
    if (Gauge->GetHandle()) {
        Gauge->SendMessage(WM_SETFONT, WPARAM(HFONT(*MainWin->GetMainFont())), TRUE);
        HideGauge();
        Gauge->MoveWindow(StatusPane.left, StatusPane.top, StatusPane.Width(), StatusPane.Height(), true);
    }
    Invalidate(true);
}

bool StatusBar::GaugeLocked() const
{
    return MainWin->MacroWindow() && MainWin->MacroRunning();
}

void StatusBar::ShowGauge()
{
    if (GaugeLocked())
        return;
    Gauge->SetValue(0);
    Gauge->Show(SW_SHOW);
}

void StatusBar::SetGaugeValue(int value)
{
    if (GaugeLocked() || value < 0 || value > 99 || value == Gauge->GetValue())
        return;
    Gauge->SetValue(value);
    Gauge->Invalidate(true);
    Gauge->UpdateWindow();
}

void StatusBar::HideGauge()
{
    if (GaugeLocked())
        return;
    Gauge->SetValue(0);
    Gauge->Show(SW_HIDE);
}

void StatusBar::RefreshPanes(int which)
{
    if (!HWindow)
        return;
    if (which == WholeBar) {
        Invalidate(true);
        UpdateWindow();
        return;
    }
    // The panes a run refreshes many times a second are drawn at once.
    if (which != MeterOnly)
        PaintNow(StatusPane);
    if (which == StatusAndMeter || which == MeterOnly)
        PaintMeterNow();
}

void StatusBar::DrawPaneFrame(TDC& dc, const TRect& pane)
{
    dc.SelectObject(Gdi.Pen(TColor(230, 230, 230)));
    dc.MoveTo(pane.left, pane.bottom);
    dc.LineTo(pane.right, pane.bottom);
    dc.LineTo(pane.right, pane.top);
    dc.SelectObject(Gdi.Pen(TColor(140, 140, 140)));
    dc.LineTo(pane.left, pane.top);
    dc.LineTo(pane.left, pane.bottom);
}

void StatusBar::Paint(TDC& dc, bool, TRect&)
{
    dc.SelectObject(Gdi.Pen(TColor::White));
    dc.MoveTo(0, 0);
    dc.LineTo(2000, 0);
    for (const TRect* pane : {&StatusPane, &MeterPane, &FftPane, &RatePane, &BitsPane, &ChannelsPane, &WindowPane,
                              &ModePane})
        DrawPaneFrame(dc, *pane);
    dc.SelectObject(*MainWin->GetMainFont());
    const UINT oldAlign = ::SetTextAlign(dc, TA_LEFT | TA_TOP);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    PaintStatus(dc);

    for (const TRect* pane : {&ModePane, &RatePane, &BitsPane, &ChannelsPane, &FftPane, &WindowPane})
        DrawTextAt(dc, *pane, TextOf(*pane).c_str());
    ::SetTextAlign(dc, oldAlign);
}

std::string StatusBar::TextOf(const TRect& pane) const
{
    char text[64] = {};
    const TWaveFormat& format = MainWin->GetAnalysisSettings().Format;
    if (pane == StatusPane) {
        const int state = MainWin->GetRunState();
        if (state == TMainWin::Stopped)
            return IDS_STATUS_STOPPED_TEXT;
        if (state != TMainWin::Running && state != TMainWin::Recording && state != TMainWin::Playback)
            return "";
        const TriggerSettings& trigger = MainWin->GetTrigger();
        if (!trigger.Enable)
            return MainWin->GetBlocksProcessed() == 0 && state == TMainWin::Running
                           && MainWin->GetOpMode() == TMainWin::RealTime
                       ? "Acquiring Data..."
                       : IDS_STATUS_RUNNING_TEXT;
        return trigger.Mode == TriggerSettings::RunOn && MainWin->GetTriggerCount() > 0 ? "Running"
                                                                                        : "Waiting for Trigger...";
    }
    if (pane == ModePane) {
        const int mode = MainWin->GetOpMode();
        return mode >= 1 && mode <= 3 ? ModeNames[mode - 1] : "";
    }
    if (pane == RatePane)
        std::snprintf(text, sizeof text, "%d Hz", int(format.SamplingRate));
    else if (pane == BitsPane)
        std::snprintf(text, sizeof text, "%d Bit", int(format.BytesPerSample) * 8);
    else if (pane == ChannelsPane)
        return format.NumChannels == 1 ? "Mono" : "Stereo";
    else if (pane == FftPane)
        std::snprintf(text, sizeof text, IDS_FFT_POINTS_TEXT, long(MainWin->GetAnalysisSettings().FFTsize));
    else if (pane == WindowPane)
        TSmoothing::GetWindowName(MainWin->GetAnalysisSettings().SmoothingWindow, text);
    return text;
}

void StatusBar::PaintStatus(TDC& dc)
{
    const std::string text = TextOf(StatusPane);
    const bool waiting = text == "Waiting for Trigger...";
    if (waiting)
        ::SetTextColor(dc, RGB(255, 0, 0));
    DrawTextAt(dc, StatusPane, text.c_str());
    ::SetTextColor(dc, RGB(0, 0, 0));
    if (MeterShows())
        PaintMeter(dc);
}

bool StatusBar::MeterShows() const
{
    const int state = MainWin->GetRunState();
    return state == TMainWin::Running || state == TMainWin::Recording || state == TMainWin::Playback;
}

// The meter pane as the bar's paint leaves it (its background, frame and
// levels), without drawing the other panes' frames and texts clipped away.
void StatusBar::PaintMeterNow()
{
    if (!::IsWindowVisible(HWindow))
        return;
    TClientDC dc(HWindow);
    const TRect& pane = MeterPane;
    ::IntersectClipRect(dc, pane.left, pane.top, pane.right, pane.bottom);
    dc.FillRect(pane, HBRUSH(::GetClassLongPtrA(HWindow, GCLP_HBRBACKGROUND)));
    DrawPaneFrame(dc, pane);
    if (MeterShows())
        PaintMeter(dc);
}

void StatusBar::PaintMeter(TDC& dc)
{
    const TRect& pane = MeterPane;
    if (MainWin->GetOverloadFlag() == 1) {
        dc.FillRect(TRect(pane.left + 1, pane.top + 1, pane.right, pane.bottom), Gdi.Brush(TColor::LtRed));
        ::SetTextColor(dc, RGB(255, 255, 255));
        DrawTextAt(dc, pane, "OVERLOAD!");
        ::SetTextColor(dc, RGB(0, 0, 0));
        return;
    }
    const int w = pane.Width();
    if (w <= 4)
        return;
    const int channels = MainWin->GetAnalysisSettings().Format.NumChannels;
    const int x0 = pane.left + 2, y0 = pane.top + 2;
    TMemoryDC row(dc);
    row.SelectObject(MeterRow(dc, w));
    auto bar = [&](int level, int firstColumn, int top, int rows) {
        const int n = int(w * level * 0.01);
        if (n > firstColumn)
            for (int r = 0; r <= rows; ++r)
                ::BitBlt(dc, x0 + firstColumn, top + r, n - firstColumn, 1, row, firstColumn, 0, SRCCOPY);
    };
    if (channels == 2) {
        const int h = (pane.Height() - 6) / 2;
        bar(MainWin->GetInputLevel(0), 0, y0, h - 1);
        bar(MainWin->GetInputLevel(1), 0, pane.top + h + 4, h - 1);
    } else {
        bar(MainWin->GetInputLevel(0), 1, y0, pane.Height() - 4);
    }
}

// The meter's full scale as one row of pixels, made once per width: a level
// shows the row's first columns, so a run's many meter paints copy pixels
// rather than set them one at a time.
const TBitmap& StatusBar::MeterRow(const TDC& dc, int width)
{
    if (MeterRowBitmap && MeterRowWidth == width)
        return *MeterRowBitmap;
    MeterRowBitmap = std::make_unique<TBitmap>(dc, width, 1);
    MeterRowWidth = width;
    TMemoryDC row(dc);
    row.SelectObject(*MeterRowBitmap);
    for (int i = 0; i < width; ++i) {
        const int v = int(i * 255.0 / width);
        COLORREF c = RGB(v, 255 - v / 3, 0);
        if (i >= 0.98 * width)
            c = RGB(255, 0, 0);
        if (i % 4 == 0)
            c = RGB(128, 128, 128);
        ::SetPixel(row, i, 0, c);
    }
    return *MeterRowBitmap;
}

int StatusBar::MenuItemHeight() const
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return 18;
    const TFont font(metrics.lfMenuFont);
    TScreenDC dc;
    dc.SelectObject(font);
    TEXTMETRICA tm{};
    const bool ok = dc.GetTextMetrics(tm);
    return ok ? tm.tmHeight + tm.tmExternalLeading + 4 : 18;
}

bool StatusBar::BuildPopup(const TPoint& point, HMENU menu, TRect& pane)
{
    const TWaveFormat& format = MainWin->GetAnalysisSettings().Format;
    const bool formats = MainWin->InputPort() && !(MainWin->GetOpMode() != TMainWin::RealTime && MainWin->Wave());
    auto item = [&](UINT id, const char* text, bool checked) {
        ::AppendMenuA(menu, MF_STRING | (checked ? MF_CHECKED : 0), id, text);
    };
    if (ModePane.Contains(point)) {
        pane = ModePane;
        item(RealTimeItem, "Real Time", MainWin->GetOpMode() == TMainWin::RealTime);
        item(RecorderItem, "Recorder", MainWin->GetOpMode() == TMainWin::Recorder);
        item(PostProcessItem, "Post Process", MainWin->GetOpMode() == TMainWin::PostProcess);
        return true;
    }
    if (FftPane.Contains(point)) {
        pane = FftPane;
        for (UINT i = 0; i < FftItemCount; ++i) {
            char text[16];
            const uint32_t size = TSpectralData::MinFFTSize << i;
            std::snprintf(text, sizeof text, "%u", size);
            item(FirstFftItem + i, text, MainWin->GetAnalysisSettings().FFTsize == size);
        }
        return true;
    }
    if (WindowPane.Contains(point)) {
        pane = WindowPane;
        // Every window type up to the uniform one; the Gaussian is not offered here.
        for (uint16_t type = 0; type <= TSmoothing::Uniform; ++type) {
            char name[TSmoothing::NameLength + 1];
            TSmoothing::GetWindowName(type, name);
            item(FirstWindowItem + type, name, MainWin->GetAnalysisSettings().SmoothingWindow == type);
        }
        return true;
    }
    if (!formats)
        return false;
    TSoundPort& port = *MainWin->InputPort();
    if (RatePane.Contains(point)) {
        pane = RatePane;
        for (UINT i = 0; i < RateCount; ++i) {
            if (!port.QueryFormat(Rates[i], format.BytesPerSample, format.NumChannels))
                continue;
            char text[24];
            std::snprintf(text, sizeof text, "%d Hz", int(Rates[i]));
            item(FirstRateItem + i, text, format.SamplingRate == Rates[i]);
        }
        return true;
    }
    if (BitsPane.Contains(point)) {
        pane = BitsPane;
        static const char* const Texts[MaxOfferedWidth] = {"8 Bit", "16 Bit", "24 Bit"};
        for (uint16_t bytes = 1; bytes <= MaxOfferedWidth; ++bytes)
            if (port.QueryFormat(format.SamplingRate, bytes, format.NumChannels))
                item(FirstWidthItem + bytes - 1, Texts[bytes - 1], format.BytesPerSample == bytes);
        return true;
    }
    if (ChannelsPane.Contains(point)) {
        pane = ChannelsPane;
        for (uint16_t channels = 1; channels <= 2; ++channels)
            if (port.QueryFormat(format.SamplingRate, format.BytesPerSample, channels))
                item(channels == 1 ? MonoItem : StereoItem, channels == 1 ? "Mono" : "Stereo",
                     format.NumChannels == channels);
        return true;
    }
    return false;
}

void StatusBar::EvLButtonDown(UINT, const TPoint& point)
{
    HMENU menu = ::CreatePopupMenu();
    TRect pane;
    if (BuildPopup(point, menu, pane) && ::GetMenuItemCount(menu) > 0) {
        TPoint corner(pane.left, pane.top);
        ClientToScreen(corner);
        const int height = ::GetMenuItemCount(menu) * MenuItemHeight() + 8;
        if (corner.y - height >= 0 && height < ::GetSystemMetrics(SM_CYSCREEN))
            corner.y -= height;
        ::TrackPopupMenu(menu, TPM_LEFTALIGN, corner.x, corner.y, 0, HWindow, nullptr);
    }
    ::DestroyMenu(menu);
}

void StatusBar::EvLButtonDblClk(UINT, const TPoint&)
{
    MainWin->PostMessage(WM_COMMAND, CM_SETTINGS);
}

void StatusBar::ChangeMode(UINT id)
{
    const bool wasRunning = MainWin->GetRunState() == TMainWin::Running;
    MainWin->StopAnalyzer();
    if (id == RealTimeItem)
        MainWin->CmModeRealTime();
    else if (id == RecorderItem)
        MainWin->CmModeRecorder();
    else
        MainWin->CmModePostProcess();
    if (wasRunning)
        MainWin->StartAnalyzer();
}

LRESULT StatusBar::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (hWndCtl)
        return TWindow::EvCommand(id, hWndCtl, notifyCode);
    const TWaveFormat format = MainWin->GetAnalysisSettings().Format;
    if (id >= RealTimeItem && id <= PostProcessItem)
        ChangeMode(id);
    else if (id >= FirstFftItem && id < FirstFftItem + FftItemCount)
        MainWin->SetFftSize(TSpectralData::MinFFTSize << (id - FirstFftItem));
    else if (id >= FirstRateItem && id < FirstRateItem + RateCount)
        MainWin->SetFormat(Rates[id - FirstRateItem], format.NumChannels, format.BytesPerSample);
    else if (id >= FirstWindowItem && id <= FirstWindowItem + UINT(TSmoothing::Uniform))
        MainWin->SetWindowType(uint16_t(id - FirstWindowItem));
    else if (id >= FirstWidthItem && id < FirstWidthItem + MaxOfferedWidth)
        MainWin->SetFormat(format.SamplingRate, format.NumChannels, uint16_t(id - FirstWidthItem + 1));
    else if (id == MonoItem || id == StereoItem)
        MainWin->SetFormat(format.SamplingRate, id == MonoItem ? 1 : 2, format.BytesPerSample);
    RefreshPanes(WholeBar);
    return 0;
}
