#include "views/TDataView.h"

#include <algorithm>
#include <cmath>
#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "framework/TDC.h"
#include "framework/TFont.h"
#include "framework/TModule.h"
#include "framework/TPen.h"
#include "framework/TScroller.h"
#include "views/TViewHost.h"

DEFINE_RESPONSE_TABLE1(TDataView, TWindow)
    EV_WM_SIZE
    EV_WM_VSCROLL
    EV_WM_HSCROLL
    EV_WM_SYSCOMMAND
END_RESPONSE_TABLE;

namespace {

using Cells = TDataViewCells;
constexpr int W = Cells::CellWidth;
constexpr int H = Cells::CellHeight;
// The series source that reads the wave rather than the analysis blocks.
constexpr uint32_t WaveSource = 0;

}  // namespace

TDataView::TDataView(TWindow* parent, TViewHost& host, const char* title, const TSpectralData* source,
                     TDataViewCells::Kind type, const uint16_t* seriesScale)
    : TWindow(parent, title), Host(host), Type(type), Source(source), SeriesScale(seriesScale)
{
    Attr.Style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL;
    if (parent && parent->GetHandle()) {
        const TRect frame = parent->GetWindowRect();
        Attr.X = frame.left + 100;
        Attr.Y = frame.top + 100;
    }
    Attr.W = Columns() * W + 26;
    Attr.H = 246;
    Rows = std::make_unique<TScroller>(this, W, H, 0, RowCount() + 1);
}

TDataView::~TDataView() = default;

void TDataView::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(instance, "ICON_UTILITY");
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
}

void TDataView::SetupWindow()
{
    TWindow::SetupWindow();
    UpdateCaption(Source);
}

int TDataView::Columns() const
{
    const AnalysisSettingsStruct& settings = Host.GetAnalysisSettings();
    if (Type == Cells::TimeSeries) return settings.Format.NumChannels == 2 ? 3 : 2;
    return Cells::SpectralColumns(settings.ChannelProcessing, settings.IndependentScalingAndCalibration != 0);
}

uint32_t TDataView::SeriesCount() const
{
    if (Host.GetSeriesSource() == WaveSource) {
        const TWaveData* wave = Host.GetWaveData();
        return wave ? wave->GetHighWaterMark() : 0;
    }
    const TSeriesData* left = Host.GetSeriesBlock(0);
    return left ? left->GetDecimatedLength() : 0;
}

long TDataView::RowCount() const
{
    if (Type == Cells::TimeSeries) {
        const bool missing = Host.GetSeriesSource() == WaveSource ? !Host.GetWaveData() : !Host.GetSeriesBlock(0);
        return missing ? MissingSeriesRows : long(SeriesCount()) + 1;
    }
    return Source ? long(Source->GetHighIndex()) + 2 - Source->GetLowIndex() : 0;
}

long TDataView::GetTopRow() const
{
    return Rows->YPos;
}

void TDataView::UpdateCaption(const TSpectralData* source)
{
    Source = source;
    if (!HWindow) return;
    const bool independent = Host.GetAnalysisSettings().IndependentScalingAndCalibration != 0;
    SetCaption(Cells::Caption(Type, independent, Source ? Source->GetLabel() : nullptr).c_str());
}

void TDataView::Refresh()
{
    if (!HWindow) return;
    TRect values = GetClientRect();
    values.left = W + 1;
    values.top = H + 1;
    InvalidateRect(values, true);
}

void TDataView::Paint(TDC& dc, bool, TRect& rect)
{
    if (!Painting) return;
    const int visible = int(GetClientRect().Height()) / H;
    Rows->SetRange(0, std::max(0L, RowCount() - visible));
    Rows->SetSBarRange();
    PaintGrid(dc);
    if (const TFont* font = Host.GetMainFont()) dc.SelectObject(*font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_RIGHT | TA_TOP);
    PaintValues(dc, rect);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.RestoreFont();
}

void TDataView::PaintGrid(TDC& dc)
{
    const TRect client = GetClientRect();
    TPen grey(TColor(128, 128, 128));
    dc.SelectObject(grey);
    for (int i = 0; i <= client.Height() / H; ++i) {
        dc.MoveTo(0, i * H);
        dc.LineTo(client.right, i * H);
    }
    for (int i = 0; i <= client.Width() / W; ++i) {
        dc.MoveTo(i * W, 0);
        dc.LineTo(i * W, client.bottom);
    }
    dc.RestorePen();
}

// Only the cells whose column the paint rectangle reaches.
void TDataView::Cell(TDC& dc, const TRect& rect, int row, int column, const std::string& text)
{
    const bool reached = column == 1 ? rect.left < W : rect.right > (column - 1) * W;
    if (reached && !text.empty())
        dc.TextOut(column * W - Cells::TextInset, row * H + Cells::TextInset, text.c_str(), int(text.size()));
}

void TDataView::PaintValues(TDC& dc, const TRect& rect)
{
    const int visible = int(GetClientRect().Height()) / H;
    if (Type == Cells::TimeSeries) PaintSeries(dc, rect, visible);
    else PaintSpectral(dc, rect, visible);
}

void TDataView::PaintSpectral(TDC& dc, const TRect& rect, int visible)
{
    if (!Source) return;
    const AnalysisSettingsStruct& settings = Host.GetAnalysisSettings();
    const bool rpm = Host.GetRpmLinkFlag() != 0;
    Cells::THeaderInput header;
    header.Type = Type;
    header.AmplitudeScale = Source->GetAmplitudeScale();
    header.ChannelProcessing = settings.ChannelProcessing;
    header.RpmAxis = rpm;
    const std::array<std::string, 3> titles = Cells::Header(header);
    const bool second = Cells::ShowsSecond(settings.ChannelProcessing, settings.IndependentScalingAndCalibration != 0);
    const TSpectralData* right = second ? Host.GetDisplayedResult(1) : nullptr;
    for (int c = 0; c < (right ? 3 : 2); ++c) Cell(dc, rect, 0, c + 1, titles[size_t(c)]);

    const uint16_t rightScale = Host.GetScaling(1).AmpScaleType;
    int index = Source->GetLowIndex() + int(Rows->YPos);
    for (int row = 1; row < visible && index <= Source->GetHighIndex(); ++row, ++index) {
        Cell(dc, rect, row, 1, Cells::FrequencyText(Source->GetFrequency(index)));
        if (Type == Cells::Phase) {
            Cell(dc, rect, row, 2, Cells::ValueText(Type, Source->GetPhase(index), 0));
            if (right) Cell(dc, rect, row, 3, Cells::ValueText(Type, right->GetPhase(index), 0));
        } else {
            Cell(dc, rect, row, 2, Cells::ValueText(Type, Source->GetDisplayValue(index), header.AmplitudeScale));
            if (right) Cell(dc, rect, row, 3, Cells::ValueText(Type, right->GetDisplayValue(index), rightScale));
        }
    }
}

void TDataView::PaintSeries(TDC& dc, const TRect& rect, int visible)
{
    const bool wave = Host.GetSeriesSource() == WaveSource;
    TWaveData* data = wave ? Host.GetWaveData() : nullptr;
    const TSeriesData* blocks[2] = {Host.GetSeriesBlock(0), Host.GetSeriesBlock(1)};
    if (wave ? !data : !blocks[0]) return;
    Cells::THeaderInput header;
    header.Type = Type;
    header.RpmAxis = Host.GetRpmLinkFlag() != 0;
    header.RightChannel = blocks[1] != nullptr;
    const std::array<std::string, 3> titles = Cells::Header(header);
    for (int c = 0; c < 3; ++c) Cell(dc, rect, 0, c + 1, titles[size_t(c)]);

    const CalibrationStruct& calibration = Host.GetCalibration();
    const CalibrationChannel* channels[2] = {&calibration.Left, &calibration.Right};
    const uint16_t scale = SeriesScale ? *SeriesScale : 0;
    const auto display = [&](int channel, float sample) {
        if (scale == 1) return LevelToDisplayUnits(channels[channel], std::fabs(sample));
        return Host.IsChannelCalibrated(channel) ? sample : sample * 100.0f;
    };
    const uint32_t count = SeriesCount();
    uint32_t index = uint32_t(Rows->YPos);
    for (int row = 1; row < visible && index < count; ++row, ++index) {
        const float seconds = wave ? data->FrameToTime(index) : blocks[0]->SamplesToTime(index);
        Cell(dc, rect, row, 1, Cells::TimeText(double(seconds) * 1000.0));
        for (int channel = 0; channel < (blocks[1] ? 2 : 1); ++channel) {
            const float sample =
                wave ? data->GetSample(index, uint16_t(channel), 1) : blocks[channel]->GetSample(index, 1);
            Cell(dc, rect, row, channel + 2, Cells::ValueText(Type, display(channel, sample), 0));
        }
    }
}

void TDataView::EvSize(UINT sizeType, const TSize& size)
{
    TWindow::EvSize(sizeType, size);
    Invalidate(true);
}

// Thumb tracking scrolls nothing until the thumb is let go.
void TDataView::Scroll(UINT code, UINT pos, bool vertical)
{
    if (code == SB_THUMBTRACK) return;
    Painting = false;
    if (vertical) Rows->VScroll(code, int(pos));
    else Rows->HScroll(code, int(pos));
    Painting = true;
    Invalidate(true);
}

void TDataView::EvVScroll(UINT code, UINT pos, HWND)
{
    Scroll(code, pos, true);
}

void TDataView::EvHScroll(UINT code, UINT pos, HWND)
{
    Scroll(code, pos, false);
}

void TDataView::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE) {
        if (TWindow* parent = GetParent()) parent->PostMessage(CloseRequest);
        return;
    }
    DefaultProcessing();
}
