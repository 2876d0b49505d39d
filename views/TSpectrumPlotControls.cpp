// The spectrum view's cursor queries and its control bar: zoom, graph type,
// the amplitude and rpm fields with their spins, scrolling and autoscale.
#include "views/TSpectrumPlot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/TSpectralData.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/ToolBtn.h"
#include "views/TSpectrumControls.h"
#include "views/TViewHost.h"

float TSpectrumPlot::GetXValue(const TPoint& point)
{
    if (!Data)
        return 0.0f;
    return Scale.FrequencyAtColumn(point.x - GraphRect.left) / Scale.CepstrumFactor;
}

float TSpectrumPlot::CurveValueAt(const TPoint& point, const TRect& pane) const
{
    TSpectralData* data = PaneMode == 2 && pane == PaneRect2 ? Data2 : Data;
    if (!data)
        return 0.0f;
    const int column = point.x - GraphRect.left;
    return data->RangeMaxValue(int(Scale.BinAtColumn(column - 1)), int(Scale.BinAtColumn(column)));
}

float TSpectrumPlot::GetYValue(const TPoint& point)
{
    const TRect pane = GetPaneRect(point);
    const int h = pane.Height();
    if (h <= 0 || !Data)
        return 0.0f;
    const bool decibels = Scaling.AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    float value;
    if (Opts->GrabCursorFlag) {
        value = CurveValueAt(point, pane);
    } else {
        const double fraction = double(pane.bottom - point.y) / h;
        if (IsCoherencePane(pane))
            value = float(fraction * 1.2);
        else if (decibels)
            value = float(Opts->PlotTop - Opts->PlotRange + fraction * Opts->PlotRange);
        else
            value = float(fraction * (Opts->PlotTop > 0 ? Opts->PlotTop : 1.0));
    }
    YFormat = decibels ? 2 : (value >= 0.01f ? 3 : 100);
    return value;
}

uint16_t TSpectrumPlot::GetHarmonicCount(const TPoint& point)
{
    const float f = GetXValue(point);
    if (f == 0.0f)
        return 0;
    return uint16_t(std::clamp<double>(Opts->StopFreq / f, 0.0, 65535.0));
}

TPoint TSpectrumPlot::GetHarmonicOffset(int index, const TPoint& point)
{
    return TPoint(Scale.ColumnOf(index * GetXValue(point) * Scale.CepstrumFactor), point.y);
}

TPoint TSpectrumPlot::GetLowerSidebandOffset(int index, const TPoint& anchor, const TPoint& point)
{
    const float fa = GetXValue(anchor), d = std::abs(GetXValue(point) - fa);
    return TPoint(Scale.ColumnOf((fa + index * d) * Scale.CepstrumFactor), point.y);
}

TPoint TSpectrumPlot::GetUpperSidebandOffset(int index, const TPoint& anchor, const TPoint& point)
{
    const float fa = GetXValue(anchor), d = std::abs(GetXValue(point) - fa);
    return TPoint(Scale.ColumnOf((fa - index * d) * Scale.CepstrumFactor), point.y);
}

void TSpectrumPlot::TrackCursor(const TPoint& point)
{
    if (!Data || !Opts->GrabCursorFlag)
        return;
    const TRect pane = GetPaneRect(point);
    if (pane.IsEmpty())
        return;
    SyncScale();
    const bool coherence = IsCoherencePane(pane);
    const int h = coherence || Scaling.AmpScaleType <= DisplaySettingsStruct::DecibelAmplitude
                      ? Scale.ValueToHeight(CurveValueAt(point, pane), pane.Height(), coherence)
                      : 0;
    TPoint screen(point.x, std::clamp<int>(pane.bottom - h, pane.top, pane.bottom));
    ClientToScreen(screen);
    ::SetCursorPos(screen.x, screen.y);
    MSG moved;
    ::PeekMessageA(&moved, HWindow, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
}

int TSpectrumPlot::SmallestZoomSpan() const
{
    return TSpectrumControls::SmallestZoomSpan;
}

void TSpectrumPlot::SetSelection(const TRect& rect)
{
    if (!Data)
        return;
    const int left = std::min(rect.left, rect.right) - GraphRect.left;
    const int right = std::max(rect.left, rect.right) - GraphRect.left;
    const float f1 = Scale.FrequencyAtColumn(left), f2 = Scale.FrequencyAtColumn(right);
    // A band of three bins or fewer leaves the zoom armed for another drag.
    if (!Zoom().ZoomTo(Data->GetIndex(f1), Data->GetIndex(f2), VisibleStart, VisibleEnd))
        return;
    Opts->StartFreq = f1;
    Opts->StopFreq = f2;
    UpdateLayout();
    CancelZoomSelection();
}

void TSpectrumPlot::SetPlotType(uint16_t type)
{
    Opts->PlotType = type;
    HighlightPlotType();
    UpdateLayout();
    NewData(0.0f);
    Invalidate(true);
}

void TSpectrumPlot::CmLineGraph() { SetPlotType(TSpectrumScale::LineGraph); }
void TSpectrumPlot::CmBarGraph() { SetPlotType(TSpectrumScale::BarGraph); }
void TSpectrumPlot::CmStepBarGraph() { SetPlotType(TSpectrumScale::StepBarGraph); }

void TSpectrumPlot::CmOptions()
{
    MainWin->EditViewOptions(*this);
}

void TSpectrumPlot::PlotTopChanged()
{
    if (Updating || LayoutBusy || !Data)
        return;
    char text[21] = {};
    PlotTopEdit->GetText(text, sizeof text);
    const float value = float(std::strtod(text, nullptr));
    const bool decibels = Scaling.AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    const auto spin = TSpectrumControls::PlotTopSpin(value, decibels);
    PlotTopSpin->SetPrecision(spin.Precision);
    PlotTopSpin->SetStep(spin.Step);
    PlotTopSpin->SetRange(spin.Maximum, spin.Minimum);
    Opts->PlotTop = value;
    SyncScale();
    BuildYLabels();
    RetraceOverlays();
    NewData(0.0f);
    Invalidate(true);
}

void TSpectrumPlot::PlotRangeChanged()
{
    if (Updating || LayoutBusy || !Data)
        return;
    if (Scaling.AmpScaleType == DisplaySettingsStruct::DecibelAmplitude) {
        const auto spin = TSpectrumControls::PlotRangeSpin();
        PlotRangeSpin->SetPrecision(spin.Precision);
        PlotRangeSpin->SetStep(spin.Step);
        PlotRangeSpin->SetRange(spin.Maximum, spin.Minimum);
        char text[21] = {};
        PlotRangeEdit->GetText(text, sizeof text);
        const float typed = float(std::strtod(text, nullptr));
        Opts->PlotRange = TSpectrumControls::ClampPlotRange(typed);
        if (typed < TSpectrumControls::MinPlotRange) {
            Updating = 1;
            PlotRangeEdit->SetText("0.1");
            Updating = 0;
        }
    }
    SyncScale();
    BuildYLabels();
    RetraceOverlays();
    NewData(0.0f);
    Invalidate(true);
}

void TSpectrumPlot::RpmChanged()
{
    if (Updating)
        return;
    char text[21] = {};
    RpmEdit->GetText(text, sizeof text);
    Opts->rpm = float(std::strtod(text, nullptr));
    MainWin->DdeLinkHook1(Opts->rpm);
    UpdateLayout();
}

void TSpectrumPlot::Autoscale()
{
    if (!Data || (PaneMode == 2 && !Data2))
        return;
    float top = Opts->PlotTop, bottom = Opts->PlotTop - Opts->PlotRange;
    if (!MainWin->ComputeSpectrumAutoscale(Data, VisibleStart, VisibleEnd, top, bottom))
        return;
    if (PaneMode == 2) {
        float top2 = top, bottom2 = bottom;
        if (!MainWin->ComputeSpectrumAutoscale(Data2, VisibleStart, VisibleEnd, top2, bottom2))
            return;
        top = std::max(top, top2);
        bottom = std::min(bottom, bottom2);
    }
    const bool decibels = Scaling.AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    TSpectrumControls::AutoscaleToRange(decibels, top, bottom, Opts->PlotTop, Opts->PlotRange);
    UpdateLayout();
}

void TSpectrumPlot::CmViewData()
{
    ToggleDataView(Data, TDataViewCells::Spectral);
}
