// The time series view's commands: the context menus and their enablers,
// the cursor copy, the bar's commands, help, the plot-top and order fields
// and the channel combo.
#include "views/TSeriesPlot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/TSettingsTable.h"
#include "framework/LimitScroll.h"
#include "framework/TClipboard.h"
#include "framework/TComboBoxNonSort.h"
#include "framework/TCommandEnabler.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/TMDIClient.h"
#include "framework/TPopupMenu.h"
#include "framework/TProfileFile.h"
#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "views/TViewHost.h"

namespace {

constexpr int FieldTextLimit = 20;
// Autoscale never spreads the dB axis over more than this.
constexpr float MaxAutoscaleRange = 200.0f;

const TMenuRow ContextMenu[] = {
    {TSeriesPlot::MenuCut, "Cu&t"},
    {TSeriesPlot::MenuCopyWave, "&Copy as Wave"},
    {TSeriesPlot::MenuCopyText, "Copy as &Text"},
    {TSeriesPlot::MenuCopyBitmap, "Copy as &Bitmap"},
    {TSeriesPlot::MenuMute, "&Mute"},
    {},
    {TSeriesPlot::MenuFilter, "&Filter..."},
    {TSeriesPlot::MenuPlay, "P&lay"},
    {},
    {TSeriesPlot::MenuAutoscale, "&Autoscale Display"},
    {},
    {TSeriesPlot::MenuAverageSpectrum, "Compute and Display &Average Spectrum"},
    {TSeriesPlot::MenuSpectrogram, "Compute and Display Spectro&gram"},
    {TSeriesPlot::MenuSurface, "Compute and Display 3-D S&urface"},
    {},
    {TSeriesPlot::MenuRt60, "Compute and Display RT-60"},
    {TSeriesPlot::MenuDtmf, "Perform DTM&F Analysis"},
    {TSeriesPlot::MenuRmsLevel, "Compute RMS Level"},
    {TSeriesPlot::MenuPsiTime, "Compute PSI Time"},
    {TSeriesPlot::MenuCrestFactor, "Compute Crest Factor"},
    {},
    {TSeriesPlot::MenuEnvelope, "Compute &Envelope using Hilbert Transform"},
    {TSeriesPlot::MenuSchroeder, "Compute &Schroeder Integration"},
    {},
    {TSeriesPlot::MenuViewData, "&View Data Values"},
    {},
    {TSeriesPlot::MenuProperties, "&Properties"},
    {TSeriesPlot::MenuHelp, "&Help"},
};

// "ShowPSITimeMenu" of section "SeriesOpts", read afresh each time.
bool ShowPsiTime(const char* iniPath)
{
    TProfileFile ini(iniPath);
    return TSettingsTable::ReadInt(ini, "SeriesOpts", "ShowPSITimeMenu", 0) == 1;
}

}  // namespace

std::unique_ptr<TPopupMenu> TSeriesPlot::BuildContextMenu() const
{
    const bool psiTime = ShowPsiTime(MainWin->GetIniPath());
    return TViewMenu::Build(ContextMenu, [psiTime](UINT id) { return id != MenuPsiTime || psiTime; });
}

void TSeriesPlot::EvRButtonDown(UINT, const TPoint& point)
{
    ShowViewMenus(point, true);
}

void TSeriesPlot::CopyCursorValues()
{
    const char* format = "Time=\t%5.4f\r\nLevel=\t%5.4f\r\n";
    const int length = std::snprintf(nullptr, 0, format, double(XValue), double(YValue));
    if (length < 0)
        return;
    std::string text(size_t(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, double(XValue), double(YValue));
    text.resize(size_t(length));
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    clipboard.SetText(text);
}

// ---- enablers ---------------------------------------------------------------------

// Edits and segment analyses work on a selection of the wave data.
void TSeriesPlot::CeFileSelection(TCommandEnabler& ce)
{
    ce.Enable(Source() == WaveSource && HasSelection());
}

// The view's values can be copied from a selection, or whole from the analysis blocks.
void TSeriesPlot::CeCopyText(TCommandEnabler& ce)
{
    ce.Enable(HasSelection() || Source() != WaveSource);
}

void TSeriesPlot::CeAlways(TCommandEnabler& ce)
{
    ce.Enable(true);
}

// ---- commands ---------------------------------------------------------------------

void TSeriesPlot::CmCopyText()
{
    MainWin->CopyDataToClipboard();
}

void TSeriesPlot::CmReverbSegment()
{
    MainWin->ComputeReverbOfSelection();
}

void TSeriesPlot::CmRmsLevel()
{
    MainWin->RmsLevelOfSegment();
}

void TSeriesPlot::CmCrestFactor()
{
    MainWin->CrestFactor();
}

void TSeriesPlot::CmPsiTime()
{
    MainWin->PsiTimeLevel();
}

void TSeriesPlot::CmEnvelope()
{
    MainWin->EnergyTimeCurve();
}

void TSeriesPlot::CmSchroeder()
{
    MainWin->SchroederIntegration();
}

void TSeriesPlot::CmOptions()
{
    MainWin->RunCommand(CM_TIMESERIESOPTIONS);
}

void TSeriesPlot::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, MainWin->GetHelpPath(), HelpContext);
}

// The amplitude axis fitted to the visible frames: the top of the channel the
// view shows, or of the pair it combines, and on the dB axis a range down to
// the lower bottom of the two, at most 200 dB.
void TSeriesPlot::CmAutoscale()
{
    const bool stereo = IsStereo();
    if (!MainWin->GetSeriesBlock(0) || (stereo && !MainWin->GetSeriesBlock(1)))
        return;
    const uint32_t first = uint32_t(Range.First), last = uint32_t(Range.Last);
    float leftTop = Opts->PlotTop, leftBottom = Opts->PlotTop - Opts->PlotRange;
    if (!MainWin->ComputeTimeSeriesAutoscale(0, first, last, leftTop, leftBottom))
        return;
    float rightTop = leftTop, rightBottom = leftBottom;
    if (stereo && !MainWin->ComputeTimeSeriesAutoscale(1, first, last, rightTop, rightBottom))
        return;
    float top = 0.0f;
    switch (Opts->PlotChannel) {
    case 0: top = leftTop; break;
    case 1: top = rightTop; break;
    case 5: top = leftTop + rightTop; break;
    case 2: case 3: case 4: case 6: case 7: top = std::max(leftTop, rightTop); break;
    default: break;
    }
    const float bottom = stereo ? std::min(leftBottom, rightBottom) : leftBottom;
    Opts->PlotTop = top;
    if (Opts->AmpScaleType == TSeriesScale::DecibelAxis)
        Opts->PlotRange = std::min(top - bottom, MaxAutoscaleRange);
    WritePlotTop();
    BuildAmplitudeTicks();
    UpdateLayout();
}

// ---- fields -----------------------------------------------------------------------

void TSeriesPlot::EvPlotTopChange()
{
    if (ControlGuard)
        return;
    char text[FieldTextLimit + 1] = {};
    PlotTopEdit->GetText(text, sizeof text);
    const double value = std::strtod(text, nullptr);
    const TPlotTopSpin spin = TSeriesScale::PlotTopSpin(Opts->AmpScaleType, value);
    PlotTopSpin->SetPrecision(spin.Decimals);
    PlotTopSpin->SetStep(spin.Step);
    PlotTopSpin->SetRange(spin.Maximum, spin.Minimum);
    Opts->PlotTop = float(value);
    BuildAmplitudeTicks();
    UpdateLayout();
}

void TSeriesPlot::EvChannelChange()
{
    if (ControlGuard)
        return;
    const int index = ChannelCombo->GetSelIndex();
    if (index < 0 || index == Opts->PlotChannel)
        return;
    Opts->PlotChannel = uint16_t(index);
    Invalidate(true);
    UpdateLayout();
}

void TSeriesPlot::EvOrderChange()
{
    if (ControlGuard)
        return;
    char text[FieldTextLimit + 1] = {};
    OrderEdit->GetText(text, sizeof text);
    Opts->OrderNumber = float(std::strtod(text, nullptr));
    MainWin->DdeLinkHook2(Opts->OrderNumber);
    UpdateLayout();
}

void TSeriesPlot::CmViewData()
{
    ToggleDataView(nullptr, TDataViewCells::TimeSeries, &Opts->AmpScaleType);
}
