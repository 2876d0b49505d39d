// What lies under the spectrogram's cursor (time, frequency, amplitude,
// harmonics and sidebands), the selected time segment and the amplitude
// scale controls of its control bar.
#include "views/TSpectrogram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "views/TViewHost.h"

float TSpectrogram::GetXValue(const TPoint& point)
{
    if (!Data)
        return 0.0f;
    const TSpectrogramGeometry g = Geometry();
    const TPaneRect pane = AsPane(GetPaneRect(point));
    if (g.TimeAlongX())
        return GetRecordTime(g.TimeOffset(AsPane(GraphRect), pane, point.x, point.y));
    return GetColumnFrequency(g.Column(AsPane(GraphRect), pane, point.x, point.y));
}

float TSpectrogram::GetYValue(const TPoint& point)
{
    if (!Data)
        return 0.0f;
    const TSpectrogramGeometry g = Geometry();
    const TPaneRect pane = AsPane(GetPaneRect(point));
    if (g.TimeAlongX())
        return GetColumnFrequency(g.Column(AsPane(GraphRect), pane, point.x, point.y));
    return GetRecordTime(g.TimeOffset(AsPane(GraphRect), pane, point.x, point.y));
}

uint16_t TSpectrogram::GetCursorAxis()
{
    return Geometry().TimeAlongX() ? 1 : 0;
}

namespace {

// The frequency under a point, read along the frequency axis.
float FrequencyAt(TSpectrogram& view, const TPoint& point)
{
    return view.GetCursorAxis() == 1 ? view.GetYValue(point) : view.GetXValue(point);
}

// A point whose frequency coordinate is a column, the other its own.
TPoint OnColumn(uint16_t axis, int column, const TPoint& point)
{
    return axis == 1 ? TPoint(point.x, column) : TPoint(column, point.y);
}

}  // namespace

uint16_t TSpectrogram::GetHarmonicCount(const TPoint& point)
{
    if (!Data)
        return 0;
    const float f = FrequencyAt(*this, point);
    if (!(f > 0.0f))
        return 0;
    return uint16_t(std::min(std::trunc(Data->GetHighFrequency() / f), 65535.0f));
}

TPoint TSpectrogram::GetHarmonicOffset(int index, const TPoint& point)
{
    return OnColumn(GetCursorAxis(), FindColumn(index * FrequencyAt(*this, point)), point);
}

TPoint TSpectrogram::GetLowerSidebandOffset(int index, const TPoint& anchor, const TPoint& point)
{
    const float fa = FrequencyAt(*this, anchor);
    const float fp = FrequencyAt(*this, point);
    return OnColumn(GetCursorAxis(), FindColumn(fa + index * std::fabs(fp - fa)), point);
}

TPoint TSpectrogram::GetUpperSidebandOffset(int index, const TPoint& anchor, const TPoint& point)
{
    const float fa = FrequencyAt(*this, anchor);
    const float fp = FrequencyAt(*this, point);
    return OnColumn(GetCursorAxis(), FindColumn(fa - index * std::fabs(fp - fa)), point);
}

float TSpectrogram::GetPixelAmplitude(const TPoint& point)
{
    const TRect pane = GetPaneRect(point);
    TPaneImage* image = Image(PaneOf(point));
    if (!pane.Contains(point) || !image)
        return -999.9f;
    TPaneImage::TWriter pixels(*image);
    const COLORREF pixel = pixels.Get(point.x - pane.left, point.y - pane.top);
    int index = 0;
    if (Palette) {
        index = int(Palette->GetNearestPaletteIndex(pixel)) - PaletteFirstSlot;
    } else {
        TClientDC dc(HWindow);
        index = TAmplitudeScale::BandOfColour(pixel, Colours.data(), ColourCount,
                                              [&dc](uint32_t c) { return uint32_t(::GetNearestColor(dc, c)); });
    }
    if (index < 0 || index >= ColourCount)
        index = 0;
    SyncScale();
    return Scale.LevelOfIndex(index, ColourCount);
}

void TSpectrogram::SetSelection(const TRect& rect)
{
    SelectButton->HighlightOff();
    SelectMode = 0;
    PlayButton->SetUp();
    FilterButton->SetUp();
    SelRect[0] = SelRect[1] = TRect();
    if (!TwoPanes()) {
        SelRect[0] = rect;
    } else if (SelectAxis == 0) {
        SelRect[0] = rect & PaneRect1;
        SelRect[1] = rect & PaneRect2;
    } else {
        const int pane = PaneOf(rect.TopLeft());
        if (ImageRect(pane).Contains(rect.TopLeft()))
            SelRect[pane] = rect;
    }
    InvalidateRect(GraphRect, false);
}

void TSpectrogram::SelectAll()
{
    ClearSelection();
    SelectMode = 1;
    SelectButton->HighlightOn();
    SelectionRect = GraphRect;
    SetSelection(SelectionRect);
}

void TSpectrogram::GetSelectedSegment(float& start, float& end)
{
    start = end = 0.0f;
    const TRect selection = SelectionRect.Normalized();
    if (selection.IsEmpty())
        return;
    // Times, not tags, whatever the axis shows.
    ShowTag = 0;
    const TSpectrogramGeometry g = Geometry();
    const TRect reference = TwoPanes() && !g.TimeAlongX() ? GetPaneRect(selection.TopLeft()) : GraphRect;
    const TPaneRect r = AsPane(reference);
    const int first = g.TimeOffset(r, r, selection.left, selection.top);
    const int second = g.TimeOffset(r, r, selection.right, selection.bottom);
    const int older = std::max(first, second), newer = std::min(first, second);
    if (Opts->ScrollType == WrapImage) {
        // Lines are written away from the newest edge: the nearer is the older.
        start = GetRecordTime(newer);
        end = GetRecordTime(older);
        if (end < start)
            MessageBox("Spectrogram View: The selected time segment cannot cross the scroll boundary.  Please "
                       "reselect the time segment.",
                       "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
    } else {
        start = GetRecordTime(older);
        end = GetRecordTime(newer);
    }
    ShowTag = RpmTags() ? 1 : 0;
}

void TSpectrogram::CmSelect()
{
    ClearSelection();
    if (SelectButton->Grey)
        return;
    if (SelectButton->Highlight) {
        SelectButton->HighlightOff();
        SelectMode = 0;
        PlayButton->SetDown();
        FilterButton->SetDown();
    } else {
        SelectMode = 1;
        SelectButton->HighlightOn();
        SelectionRect = TRect();
    }
}

// A changed scale: the colour bar at once; the picture again from the file
// unless the analyser draws new lines anyway.
void TSpectrogram::RebuildAfterScaleChange()
{
    BuildAmplitudeTicks();
    InvalidateColourBar();
    if (MainWin->GetRunState() == TViewHost::Stopped || RpmTags()) {
        UpdateLayout();
        MainWin->RebuildSpectrogram(*this);
    }
}

void TSpectrogram::CmAutoScale()
{
    if (!Data || (TwoPanes() && !Data2) || History.Count() == 0)
        return;
    float largest, smallest;
    SyncScale();
    if (!History.LevelSpan(largest, smallest)
        || !Scale.Autoscale(largest, smallest, Opts->PlotTop, Opts->PlotRange))
        return;
    if (MainWin->GetRunState() == TViewHost::Running) {
        BuildAmplitudeTicks();
        InvalidateColourBar();
        Updating = 1;
        WriteAmplitudeFields(Scaling.AmpScaleType, Opts->PlotTop, Opts->PlotRange, true);
        Updating = 0;
        return;
    }
    UpdateLayout();
    MainWin->RebuildSpectrogram(*this);
}

void TSpectrogram::EvPlotTopChange()
{
    if (Updating)
        return;
    Opts->PlotTop = ReadPlotTop(Scaling.AmpScaleType);
    RebuildAfterScaleChange();
}

void TSpectrogram::EvPlotRangeChange()
{
    if (Updating || Scaling.AmpScaleType == DisplaySettingsStruct::LinearAmplitude)
        return;
    Opts->PlotRange = ReadPlotRange(Updating);
    RebuildAfterScaleChange();
}

void TSpectrogram::EvLButtonDblClk(UINT, const TPoint& point)
{
    ClearSelection();
    ShowTag = 0;
    if (GraphRect.Contains(point)) {
        const bool timeAlongX = Geometry().TimeAlongX();
        const float time = timeAlongX ? GetXValue(point) : GetYValue(point);
        if (MainWin->GetOpMode() == TViewHost::RealTime && MainWin->GetDdeClientLink()) {
            ShowTag = 1;
            MainWin->DdeLinkHook1(time);
            MainWin->DdeLinkHook2(timeAlongX ? GetYValue(point) : GetXValue(point));
        } else {
            MainWin->ReprocessSegment(time);
            MainWin->ZoomToSegment(time, 0.0f);
            GetParent()->SendMessage(WM_MDIACTIVATE, WPARAM(HWindow));
        }
    }
    ShowTag = RpmTags() ? 1 : 0;
}
