#include "utilities/TAnalysisView.h"

#include <algorithm>
#include <cstdlib>
#include "base/TSettingsTable.h"
#include "engine/AnalysisSettingsStruct.h"
#include "framework/TBrush.h"
#include "framework/TClientDC.h"
#include "framework/TDC.h"
#include "framework/TFont.h"
#include "framework/TMDIClient.h"
#include "framework/TModule.h"
#include "framework/TProfileFile.h"
#include "framework/UiHelpers.h"
#include "views/TViewHost.h"

DEFINE_RESPONSE_TABLE1(TAnalysisView, TWindow)
    EV_WM_SYSCOMMAND
    EV_WM_SIZE
    EV_WM_DESTROY
END_RESPONSE_TABLE;

TAnalysisView::TAnalysisView(TMDIClient& parent, TViewHost& host, const char* caption,
                             TReadoutFormat::TMeasureKind kind)
    : TWindow(&parent, caption), Host(host), MeasureKind(kind)
{
    Attr.Style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    Attr.X = 300;
    Attr.Y = 200;
    Attr.W = 60;
    Attr.H = 42;
    TProfileFile ini(Host.GetIniPath());
    TimeSwitch = TSettingsTable::ReadInt(ini, "Special", "DisplayTimeInsteadOfSINAD", 0);
    TimeOffset = TSettingsTable::ReadFloat(ini, "Special", "DisplayTimeOffset", "0.0");
}

void TAnalysisView::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    wc.hIcon = ::LoadIconA(GetModule()->GetInstance(), "ICON_UTILITY");
    if (const TBrush* brush = Host.GetFaceBrush()) wc.hbrBackground = *brush;
}

void TAnalysisView::SetupWindow()
{
    TWindow::SetupWindow();
    if (MeasureKind == TReadoutFormat::SINAD && TimeSwitch == 1) SetCaption("Time");
}

int TAnalysisView::GetRowCount() const
{
    return TReadoutFormat::RowCount(MeasureKind, Host.GetAnalysisSettings().ChannelProcessing, TimeSwitch);
}

TReadoutFormat::TChannel TAnalysisView::Channel(int index) const
{
    return {Host.GetDisplayedResult(index), &Host.GetScaling(index), Host.IsChannelCalibrated(index)};
}

std::string TAnalysisView::RowText(int row) const
{
    const bool time = MeasureKind == TReadoutFormat::SINAD && TimeSwitch != 0;
    if (row == 0) {
        if (!Channel(0).Spectrum) return "0.0";
        if (time) return FormatTime(Host.GetCurrentTime() + TimeOffset, true, false);
        return TReadoutFormat::ValueText(MeasureKind, Channel(0), Host.GetNoiseFigure());
    }
    if (GetRowCount() < 2 || !Channel(1).Spectrum || MeasureKind == TReadoutFormat::NoiseFigure) return "0.0";
    if (time) return std::string();
    return TReadoutFormat::ValueText(MeasureKind, Channel(1), Host.GetNoiseFigure());
}

std::string TAnalysisView::WidestText() const
{
    if (MeasureKind == TReadoutFormat::SINAD && TimeSwitch != 0) return "-00:00:00.000";
    std::string widest = TReadoutFormat::WidestText(MeasureKind, Channel(0));
    if (GetRowCount() == 2) {
        const std::string second = TReadoutFormat::WidestText(MeasureKind, Channel(1));
        if (second.size() > widest.size()) widest = second;
    }
    return widest;
}

std::unique_ptr<TFont> TAnalysisView::FittedFont(TDC& dc, int height, const std::string& text, int width)
{
    auto font = std::make_unique<TFont>("Arial", height, 0, 0, 0, FW_NORMAL);
    dc.SelectObject(*font);
    const TSize extent = dc.GetTextExtent(text.c_str(), int(text.size()));
    TEXTMETRICA metrics{};
    dc.GetTextMetrics(metrics);
    dc.RestoreFont();
    // A character's width of margin each side, as the readouts always had.
    const int room = width - 2 * int(metrics.tmAveCharWidth);
    if (width > 0 && extent.cx > room && extent.cx > 0)
        font = std::make_unique<TFont>("Arial", height,
                                       std::max(1, int(metrics.tmAveCharWidth) * std::max(room, 1) / int(extent.cx)),
                                       0, 0, FW_NORMAL);
    return font;
}

int TAnalysisView::MinimumClientWidth(int clientHeight)
{
    const std::string text = WidestText();
    const TReadoutFormat::TMetrics m = TReadoutFormat::Metrics(0, clientHeight, GetRowCount(), text.size());
    if (!m.Draw) return TReadoutFormat::MinWidth;
    TClientDC dc(HWindow);
    const std::unique_ptr<TFont> font = FittedFont(dc, m.CharHeight, text, 0);
    dc.SelectObject(*font);
    const TSize extent = dc.GetTextExtent(text.c_str(), int(text.size()));
    TEXTMETRICA metrics{};
    dc.GetTextMetrics(metrics);
    dc.RestoreFont();
    return std::max(TReadoutFormat::MinWidth, int(extent.cx + 2 * metrics.tmAveCharWidth));
}

void TAnalysisView::Paint(TDC& dc, bool, TRect&)
{
    const int rows = GetRowCount();
    const std::string first = RowText(0);
    const std::string second = rows == 2 ? RowText(1) : std::string();
    const TRect client = GetClientRect();
    const std::string& longest = second.size() > first.size() ? second : first;
    const TReadoutFormat::TMetrics m = TReadoutFormat::Metrics(client.Width(), client.Height(), rows, longest.size());
    if (!m.Draw) return;
    // The font's own width: stretched digits or a cut value only when the
    // window is narrower than the text, then narrowed to fit.
    const std::unique_ptr<TFont> font = FittedFont(dc, m.CharHeight, longest, client.Width());
    dc.SelectObject(*font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_CENTER);
    dc.TextOut(client.Width() / 2, client.top + 2, first.c_str());
    if (rows == 2) dc.TextOut(client.Width() / 2, client.top + m.CharHeight, second.c_str());
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.RestoreFont();
}

void TAnalysisView::EvSize(UINT sizeType, const TSize& size)
{
    const TRect client = GetClientRect();
    const int minHeight = TReadoutFormat::MinRowHeight * GetRowCount();
    // As wide as the widest value needs in the font of the height it will have.
    const int minWidth = MinimumClientWidth(std::max(int(client.Height()), minHeight));
    if (sizeType == SIZE_MINIMIZED || (client.Width() >= minWidth && client.Height() >= minHeight)) {
        TWindow::EvSize(sizeType, size);
        Invalidate(true);
        return;
    }
    TRect window = GetWindowRect();
    TPoint origin(window.left, window.top);
    if (HWND parent = GetParentH()) ::ScreenToClient(parent, &origin);
    // The frame is added, so that the client itself reaches the minimum and
    // the move does not come back here short again.
    const int width = window.Width() + std::max(minWidth - client.Width(), 0);
    const int height = window.Height() + std::max(minHeight - client.Height(), 0);
    MoveWindow(origin.x, origin.y, width, height, true);
    Invalidate(true);
}

void TAnalysisView::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE) {
        Host.ReadoutClosed(TReadoutFormat::Row(MeasureKind).WindowType);
        return;
    }
    DefaultProcessing();
}

void TAnalysisView::EvDestroy()
{
    Host.ReadoutDestroyed(TReadoutFormat::Row(MeasureKind).WindowType);
    TWindow::EvDestroy();
}
