// The surface's commands: the two context menus and the cursor copy, the
// bar's buttons, the top and range fields, autoscale and the enablers.
#include "views/TSurfacePlot.h"

#include <cstdio>
#include <cstdlib>

#include "engine/TSpectralData.h"
#include "framework/LimitScroll.h"
#include "framework/TClipboard.h"
#include "framework/TCommandEnabler.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/TPopupMenu.h"
#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "views/TViewHost.h"

namespace {

constexpr int FieldTextLimit = 20;

struct TMenuRow {
    int Id;   // 0: a separator
    const char* Text;
};

const TMenuRow ContextMenu[] = {
    {TSurfacePlot::MenuCut, "Cu&t"},
    {TSurfacePlot::MenuCopyWave, "&Copy As Wave"},
    {TSurfacePlot::MenuCopyBitmap, "Copy As &Bitmap"},
    {TSurfacePlot::MenuMute, "&Mute"},
    {0, nullptr},
    {TSurfacePlot::MenuFilter, "&Filter..."},
    {TSurfacePlot::MenuPlay, "P&lay"},
    {0, nullptr},
    {TSurfacePlot::MenuAutoscale, "&Autoscale 3-D Surface"},
    {0, nullptr},
    {TSurfacePlot::MenuTimeSeries, "Display Time Se&ries"},
    {TSurfacePlot::MenuAverageSpectrum, "Compute and Display &Average Spectrum"},
    {TSurfacePlot::MenuSpectrogram, "Compute and Display Spectro&gram"},
    {TSurfacePlot::MenuExpandSurface, "Expand 3-&D Surface"},
    {0, nullptr},
    {TSurfacePlot::MenuDtmf, "Perform DTM&F Analysis"},
    {0, nullptr},
    {TSurfacePlot::MenuProperties, "&Properties"},
    {TSurfacePlot::MenuHelp, "&Help"},
};

float FieldValue(const TEdit& edit)
{
    char text[FieldTextLimit + 1] = {};
    edit.GetText(text, sizeof text);
    return float(std::strtod(text, nullptr));
}

}  // namespace

std::unique_ptr<TPopupMenu> TSurfacePlot::BuildContextMenu() const
{
    auto menu = std::make_unique<TPopupMenu>();
    for (const TMenuRow& row : ContextMenu) {
        if (row.Id == 0)
            menu->AppendMenu(MF_SEPARATOR);
        else
            menu->AppendMenu(MF_STRING, UINT_PTR(row.Id), row.Text);
    }
    return menu;
}

void TSurfacePlot::EvRButtonDown(UINT, const TPoint& point)
{
    if (TWindow* client = GetParent())
        client->SendMessage(WM_MDIACTIVATE, WPARAM(HWindow));
    TPoint screen = point;
    ClientToScreen(screen);
    if (Tracking) {
        TPopupMenu menu;
        menu.AppendMenu(MF_STRING, MenuCopyCursor, "Copy measurement cursor Values to clipboard");
        menu.AppendMenu(MF_STRING, MenuCopyBitmap, "Copy to clipboard as Bitmap");
        if (menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, screen, HWindow) == MenuCopyCursor)
            CopyCursorValues();
        EvLButtonUp(0, point);
        return;
    }
    if (!GetPaneRect(point).Contains(point))
        return;
    BuildContextMenu()->TrackPopupMenu(0, screen, HWindow);
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

void TSurfacePlot::CmCut()
{
    MainWin->RunCommand(CM_EDITCUT);
}

void TSurfacePlot::CmCopyWave()
{
    MainWin->RunCommand(CM_EDITCOPY);
}

void TSurfacePlot::CmMute()
{
    MainWin->RunCommand(CM_EDITMUTE);
}

void TSurfacePlot::CmFilter()
{
    MainWin->RunCommand(CM_EDITFILTER);
}

void TSurfacePlot::CmPlay()
{
    MainWin->RunCommand(CM_PLAY);
}

void TSurfacePlot::CmTimeSeries()
{
    float start, end;
    GetSelectedSegment(start, end);
    MainWin->ZoomToSegment(start, end);
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

void TSurfacePlot::CmPlaySelection()
{
    if (!PlayButton->Grey)
        CmPlay();
}

void TSurfacePlot::CmFilterSelection()
{
    if (!FilterButton->Grey)
        CmFilter();
}

void TSurfacePlot::CmOptions()
{
    MainWin->RunCommand(CM_SURFACEOPTIONS);
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
    const float value = FieldValue(*PlotTopEdit);
    if (Scaling.AmpScaleType == DisplaySettingsStruct::LinearAmplitude) {
        float step;
        int decimals;
        TSurfaceScale::TopFieldStep(value, step, decimals);
        PlotTopSpin->SetPrecision(decimals);
        PlotTopSpin->SetStep(step);
        PlotTopSpin->SetRange(1000.0f, 0.00001f);
    } else {
        PlotTopSpin->SetPrecision(0);
        PlotTopSpin->SetStep(5.0f);
        PlotTopSpin->SetRange(300.0f, -300.0f);
    }
    Opts->PlotTop = value;
    LayoutAndRecompute();
}

void TSurfacePlot::EvRangeChange()
{
    if (Updating)
        return;
    if (Scaling.AmpScaleType != DisplaySettingsStruct::LinearAmplitude) {
        float value = FieldValue(*PlotRangeEdit);
        PlotRangeSpin->SetPrecision(0);
        PlotRangeSpin->SetStep(5.0f);
        PlotRangeSpin->SetRange(200.0f, 1.0f);
        if (value < 1.0f) {
            value = 1.0f;
            Updating = 1;
            PlotRangeEdit->SetText("1.0");
            Updating = 0;
        }
        Opts->PlotRange = value;
    }
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
        WriteAmplitudeFields();
        Updating = 0;
        return;
    }
    UpdateLayout();
    MainWin->RecomputeSurface(*this);
}
