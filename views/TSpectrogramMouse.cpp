// The spectrogram's mouse: the amplitude box beside the colour bar, the two
// context menus, the cursor copy, annotations, command dispatch and the
// edit capabilities the main window asks of the active view.
#include "views/TSpectrogram.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/TSettingsTable.h"
#include "engine/CalibrationStruct.h"
#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "framework/TClipboard.h"
#include "framework/TCommandEnabler.h"
#include "framework/THtmlHelp.h"
#include "framework/TPopupMenu.h"
#include "framework/TProfileFile.h"
#include "views/TViewHost.h"

namespace {

const TMenuRow EditMenu[] = {
    {TSpectrogram::CutSegmentId, "Cu&t"},
    {TSpectrogram::CopySegmentId, "&Copy as Wave"},
    {TSpectrogram::CopyBitmapId, "Copy As &Bitmap"},
    {TSpectrogram::MuteSegmentId, "&Mute"},
    {},
    {TSpectrogram::FilterSegmentId, "&Filter..."},
    {TSpectrogram::PlaySegmentId, "P&lay"},
    {},
    {TSpectrogram::AutoScaleMenuId, "&Autoscale Spectrogram"},
    {},
    {TSpectrogram::ShowSegmentSeriesId, "Display Time Se&ries"},
    {TSpectrogram::AverageSegmentId, "Compute and Display &Average Spectrum"},
    {TSpectrogram::ExpandSegmentId, "Expand Spectro&gram"},
    {TSpectrogram::SegmentSurfaceId, "Compute and Display 3-D S&urface"},
    {},
    {TSpectrogram::SegmentDtmfId, "Perform DTM&F Analysis"},
    {},
    {TSpectrogram::PropertiesId, "&Properties"},
    {TSpectrogram::HelpId, "&Help"},
};
// After the cursor menu's shared rows.
const TMenuRow CursorMenu[] = {{TSpectrogram::AnnotateId, "&Annotate"}};

}  // namespace

void TSpectrogram::CeEditSegment(TCommandEnabler& ce)
{
    ce.Enable(MainWin->GetWaveData() && HasSelection());
}

void TSpectrogram::CeAlways(TCommandEnabler& ce)
{
    ce.Enable(true);
}

void TSpectrogram::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, MainWin->GetHelpPath(), HelpContext);
}

void TSpectrogram::CmExpandSpectrogram()
{
    float start, end;
    GetSelectedSegment(start, end);
    MainWin->SpectrogramOfSegment(this, start, end);
}

void TSpectrogram::CmOptions() { MainWin->EditViewOptions(*this); }

void TSpectrogram::UpdateBackgroundBrush()
{
    TPlotBase::UpdateBackgroundBrush();
    for (ToolBtn* b : {SelectButton.get(), PlayButton.get(), FilterButton.get(), OptionsButton.get(),
                       AutoScaleButton.get()})
        b->LoadBitmaps();
}

TRect TSpectrogram::AmpReadoutBox(const TPoint& centre) const
{
    TRect box(centre.x, centre.y - AmpReadoutSize.cy / 2, centre.x + AmpReadoutSize.cx,
              centre.y - AmpReadoutSize.cy / 2 + AmpReadoutSize.cy);
    if (box.bottom > GraphRect.bottom)
        box.Offset(0, GraphRect.bottom - box.bottom);
    if (box.top < GraphRect.top)
        box.Offset(0, GraphRect.top - box.top);
    return box;
}

void TSpectrogram::DrawAmpReadout(TDC& dc, float value)
{
    if (!AmpReadoutBitmap || !AmpReadoutSaveBitmap)
        return;
    SyncScale();
    // In delta mode the box stands beside the middle of the bar.
    const TCurvePoint centre = DeltaMode ? TCurvePoint{GraphRect.right + 19, (GraphRect.top + GraphRect.bottom) / 2}
                                         : Scale.LevelMark(value, AsPane(GraphRect));
    const TRect box = AmpReadoutBox(TPoint(centre.x, centre.y));
    TMemoryDC memory(dc);
    memory.SelectObject(*AmpReadoutSaveBitmap);
    memory.BitBlt(0, 0, box.Width(), box.Height(), dc, box.left, box.top);
    memory.SelectObject(*AmpReadoutBitmap);
    memory.Rectangle(0, 0, box.Width(), box.Height());
    char text[64];
    FormatAxisValue(text, value, 2, "");
    if (Font)
        memory.SelectObject(*Font);
    memory.SetTextAlign(TA_CENTER | TA_TOP);
    memory.TextOut(box.Width() / 2, 1, text);
    dc.BitBlt(box.left, box.top, box.Width(), box.Height(), memory, 0, 0);
    AmpReadoutPos = box.TopLeft();
    AmpReadoutShown = true;
}

void TSpectrogram::EraseAmpReadout(TDC& dc)
{
    if (!AmpReadoutShown || !AmpReadoutSaveBitmap)
        return;
    TMemoryDC memory(dc);
    memory.SelectObject(*AmpReadoutSaveBitmap);
    dc.BitBlt(AmpReadoutPos.x, AmpReadoutPos.y, AmpReadoutSize.cx, AmpReadoutSize.cy, memory, 0, 0);
    AmpReadoutShown = false;
}

void TSpectrogram::EvLButtonDown(UINT keys, const TPoint& point)
{
    TPlotBase::EvLButtonDown(keys, point);
    if (SelectMode || !GetPaneRect(point).Contains(point))
        return;
    ZValue = GetPixelAmplitude(point);
    TClientDC dc(HWindow);
    if (DeltaMode) {
        AmpReference = ZValue;
        DrawAmpReadout(dc, 0.0f);
    } else {
        DrawAmpReadout(dc, ZValue);
    }
}

void TSpectrogram::EvMouseMove(UINT keys, const TPoint& point)
{
    TPlotBase::EvMouseMove(keys, point);
    if (SelectMode || !Tracking || !GetPaneRect(point).Contains(point))
        return;
    TClientDC dc(HWindow);
    EraseAmpReadout(dc);
    ZValue = GetPixelAmplitude(point) - (DeltaMode ? AmpReference : 0.0f);
    DrawAmpReadout(dc, ZValue);
}

void TSpectrogram::EvLButtonUp(UINT keys, const TPoint& point)
{
    const bool selecting = SelectMode != 0;
    TPlotBase::EvLButtonUp(keys, point);
    if (selecting || !AmpReadoutShown)
        return;
    TClientDC dc(HWindow);
    EraseAmpReadout(dc);
    for (const TRect* pane : {&PaneRect1, &PaneRect2}) {
        if (pane == &PaneRect2 && !TwoPanes())
            break;
        InvalidateRect(TRect(pane->left - XReadoutSize.cx, pane->top - YReadoutSize.cy / 2, pane->left,
                             pane->top + YReadoutSize.cy / 2),
                       true);
    }
}

void TSpectrogram::EvRButtonDown(UINT, const TPoint& point)
{
    if (!GetPaneRect(point).Contains(point))
        return;
    ActivateView();
    if (!Tracking)
        ShowContextMenu(point, *BuildContextMenu());
    else
        RunCursorMenu(point);
}

void TSpectrogram::EvRButtonUp(UINT, const TPoint&)
{
}

std::unique_ptr<TPopupMenu> TSpectrogram::BuildContextMenu() const
{
    return TViewMenu::Build(EditMenu);
}

void TSpectrogram::RunCursorMenu(const TPoint& point)
{
    const UINT choice = ShowCursorMenu(point, CursorMenu);
    if (choice == CopyCursorId) {
        CopyCursorValues();
    } else if (choice == CopyBitmapId) {
        CopyAsBitmap();
    } else if (choice == AnnotateId) {
        const bool frequencyAlongX = !Geometry().TimeAlongX();
        const float x = GetXValue(point), y = GetYValue(point);
        Annotate(GetPaneRect(point), point, frequencyAlongX ? x : y, frequencyAlongX ? y : x,
                 GetPixelAmplitude(point));
    }
}

void TSpectrogram::CopyCursorValues()
{
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    clipboard.SetText(TSpectrogramControls::CursorText(Opts->Direction, XValue, YValue, ZValue));
}

const TFont& TSpectrogram::AnnotationFont()
{
    LOGFONTA lf{};
    TProfileFile ini(MainWin->GetIniPath());
    lf.lfHeight = TSettingsTable::ReadInt(ini, "SpectrogramOpts", "SpecialAnnotationFontSize", 13);
    std::strcpy(lf.lfFaceName, "Arial");
    return Gdi.Font(lf);
}

void TSpectrogram::Annotate(const TRect& pane, const TPoint& point, float frequency, float time, float amplitude)
{
    TPaneImage* image = Image(PaneOf(point));
    if (!PaneBitmap || !image || !pane.Contains(point))
        return;
    const CalibrationStruct& calibration = MainWin->GetCalibration();
    const std::string unit = TSpectrogramControls::AnnotationUnit(
        Channel == 2 ? calibration.Right : calibration.Left, Data ? Data->GetAmplitudeUnitName() : "",
        Scaling.AmpScaleType);
    char frequencyText[40], timeText[40], amplitudeText[120], number[16];
    std::snprintf(frequencyText, sizeof frequencyText, "%6.2f Hz", double(frequency));
    std::snprintf(timeText, sizeof timeText, "%6.2f sec", double(time));
    std::snprintf(amplitudeText, sizeof amplitudeText, "%6.2f %s", double(amplitude), unit.c_str());
    std::snprintf(number, sizeof number, "#%d", ++AnnotationCount);
    const TColor colour(Opts->MaxCustomColor & 0xFFFFFF);
    // Once on the window and once into the picture, so that it scrolls with it.
    auto draw = [&](TDC& dc, const TPoint& at) {
        dc.SelectObject(Gdi.Pen(colour));
        dc.SelectStockObject(NULL_BRUSH);
        dc.Ellipse(at.x - 10, at.y - 10, at.x + 11, at.y + 11);
        const TColor oldColour = dc.SetTextColor(colour);
        const TFont& font = AnnotationFont();
        DrawText(dc, at.x + 13, at.y - 11, frequencyText, TA_LEFT | TA_TOP, &font);
        DrawText(dc, at.x + 13, at.y - 1, amplitudeText, TA_LEFT | TA_TOP, &font);
        DrawText(dc, at.x - 13, at.y - 11, number, TA_RIGHT | TA_TOP, &font);
        DrawText(dc, at.x - 13, at.y - 1, timeText, TA_RIGHT | TA_TOP, &font);
        dc.SetTextColor(oldColour);
    };
    TClientDC window(HWindow);
    UsePalette(window);
    window.IntersectClipRect(pane);
    draw(window, point);
    window.SelectClipRgn(nullptr);
    TPaneImage::TImageDC picture(window, *image);
    draw(picture, TPoint(point.x - pane.left, point.y - pane.top));
}
