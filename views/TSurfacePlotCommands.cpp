// The surface's commands: the two context menus and the cursor copy, the
// bar's buttons, the top and range fields, autoscale and the enablers.
#include "views/TSurfacePlot.h"

#include <cstdio>

#include "engine/TSpectralData.h"
#include "framework/TClipboard.h"
#include "framework/TCommandEnabler.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/TPopupMenu.h"
#include "framework/ToolBtn.h"
#include "views/TViewHost.h"

namespace {

const TMenuRow ContextMenu[] = {
    {TSurfacePlot::MenuCut, "Cu&t"},
    {TSurfacePlot::MenuCopyWave, "&Copy As Wave"},
    {TSurfacePlot::MenuCopyBitmap, "Copy As &Bitmap"},
    {TSurfacePlot::MenuMute, "&Mute"},
    {},
    {TSurfacePlot::MenuFilter, "&Filter..."},
    {TSurfacePlot::MenuPlay, "P&lay"},
    {},
    {TSurfacePlot::MenuAutoscale, "&Autoscale 3-D Surface"},
    {},
    {TSurfacePlot::MenuTimeSeries, "Display Time Se&ries"},
    {TSurfacePlot::MenuAverageSpectrum, "Compute and Display &Average Spectrum"},
    {TSurfacePlot::MenuSpectrogram, "Compute and Display Spectro&gram"},
    {TSurfacePlot::MenuExpandSurface, "Expand 3-&D Surface"},
    {},
    {TSurfacePlot::MenuDtmf, "Perform DTM&F Analysis"},
    {},
    {TSurfacePlot::MenuProperties, "&Properties"},
    {TSurfacePlot::MenuHelp, "&Help"},
};

}  // namespace

std::unique_ptr<TPopupMenu> TSurfacePlot::BuildContextMenu() const
{
    return TViewMenu::Build(ContextMenu);
}

void TSurfacePlot::EvRButtonDown(UINT, const TPoint& point)
{
    ShowViewMenus(point, true);
}

void TSurfacePlot::EvRButtonUp(UINT, const TPoint&)
{
}

void TSurfacePlot::CopyCursorValues()
{
    const std::string text = TSurfaceScale::CursorText(XValue, YValue, ZValue, Opts->ColorMode != 1);
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    clipboard.SetText(text);
}

void TSurfacePlot::CeFileSelection(TCommandEnabler& ce)
{
    ce.Enable(MainWin->GetWaveData() != nullptr && HasSelection());
}

void TSurfacePlot::CeAlways(TCommandEnabler& ce)
{
    ce.Enable(true);
}

void TSurfacePlot::CmExpandSurface()
{
    float start, end;
    GetSelectedSegment(start, end);
    MainWin->SurfaceOfSegment(this, start, end);
}

void TSurfacePlot::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, MainWin->GetHelpPath(), HelpContext);
}

void TSurfacePlot::CmSelect()
{
    ClearSelection();
    if (SelectButton->Grey)
        return;
    if (SelectButton->Highlight) {
        SelectButton->HighlightOff();
        SelectMode = 0;
        PlayButton->SetDown();
        FilterButton->SetDown();
        return;
    }
    SelectMode = 1;
    SelectionRect = TRect();
    SelectButton->HighlightOn();
}

void TSurfacePlot::CmOptions()
{
    MainWin->EditViewOptions(*this);
}

// After a change of the amplitude axis: its labels and the colour scale,
// and while nothing runs the surface itself from the wave.
void TSurfacePlot::LayoutAndRecompute()
{
    BuildAmplitudeTicks();
    InvalidateRect(TRect(GraphRect.right, 0, GetClientRect().right, GetClientRect().bottom), true);
    UpdateWindow();
    if (MainWin->GetRunState() == TViewHost::Stopped || MainWin->GetDdeSeriesLink()) {
        UpdateLayout();
        MainWin->RecomputeSurface(*this);
    }
}

void TSurfacePlot::EvTopChange()
{
    if (Updating)
        return;
    Opts->PlotTop = ReadPlotTop(Scaling.AmpScaleType);
    LayoutAndRecompute();
}

void TSurfacePlot::EvRangeChange()
{
    if (Updating)
        return;
    if (Scaling.AmpScaleType != DisplaySettingsStruct::LinearAmplitude)
        Opts->PlotRange = ReadPlotRange(Updating);
    LayoutAndRecompute();
}

void TSurfacePlot::CmAutoscale()
{
    if (!Data || (PaneMode == 2 && !Data2) || History.Empty())
        return;
    float largest, smallest;
    if (!History.LevelSpan(largest, smallest))
        return;
    SyncScale();
    float top = Opts->PlotTop, range = Opts->PlotRange;
    if (!Scale.Autoscale(largest, smallest, top, range))
        return;
    Opts->PlotTop = top;
    Opts->PlotRange = range;
    if (MainWin->GetRunState() == TViewHost::Running) {
        BuildAmplitudeTicks();
        InvalidateRect(TRect(GraphRect.right, 0, GetClientRect().right, GetClientRect().bottom), true);
        UpdateWindow();
        Updating = 1;
        WriteAmplitudeFields(Scaling.AmpScaleType, Opts->PlotTop, Opts->PlotRange, false);
        Updating = 0;
        return;
    }
    UpdateLayout();
    MainWin->RecomputeSurface(*this);
}
