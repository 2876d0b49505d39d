// The Edit menu's state: the selected segment of the active view, the
// command enablers, and the steps every edit command shares.
#include "shell/TMainWin.h"

#include <cstring>

#include "engine/TWaveFile.h"
#include "framework/TClipboard.h"
#include "framework/TMDIClient.h"
#include "framework/UiHelpers.h"
#include "resources/StringIds.h"
#include "shell/Toolbar.h"
#include "views/TLinkClipboard.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

bool TMainWin::GetSelectedSegment(float& start, float& end)
{
    const TMDIClient* client = GetClientWindow();
    TWindow* active = client ? client->GetActiveMDIChild() : nullptr;
    // The views that select a time segment, in the order they are asked.
    if (active == TimeSeriesView()) {
        if (TimeSeriesView())
            TimeSeriesView()->GetSelectedSegment(start, end);
        return true;
    }
    for (TSurfacePlot* surface : SurfaceViews())
        if (surface && active == surface) {
            surface->GetSelectedSegment(start, end);
            return true;
        }
    for (TSpectrogram* view : SpectrogramViews())
        if (view && active == view) {
            view->GetSelectedSegment(start, end);
            return true;
        }
    return false;
}

// The rule every edit enabler shares: the item is enabled only while a view
// that can take the edit is active, by that view's own answer.
void TMainWin::EnableByActiveView(TCommandEnabler& ce, int (TPlotBase::*query)(), bool seriesNeedsWave)
{
    ce.Enable(false);
    const TMDIClient* client = GetClientWindow();
    TWindow* active = client ? client->GetActiveMDIChild() : nullptr;
    if (active == TimeSeriesView()) {
        if (TimeSeriesView() && ViewStatus.TimeSeries && (!seriesNeedsWave || WaveFile))
            ce.Enable((TimeSeriesView()->*query)() != 0);
    }
    for (TSpectrumPlot* spectrum : SpectrumViews())
        if (spectrum && active == spectrum && ViewStatus.SpectrumPlot)
            ce.Enable((spectrum->*query)() != 0);
    // A spectrogram's segment is always of the wave.
    for (TSpectrogram* view : SpectrogramViews())
        if (view && active == view && WaveFile)
            ce.Enable((view->*query)() != 0);
    for (TSurfacePlot* surface : SurfaceViews())
        if (surface && active == surface && (!seriesNeedsWave || WaveFile))
            ce.Enable((surface->*query)() != 0);
    for (TPhasePlot* phase : PhaseViews())
        if (phase && active == phase)
            ce.Enable((phase->*query)() != 0);
}

void TMainWin::CeEditCut(TCommandEnabler& ce)
{
    if (RunState != Stopped)
        StopAnalyzer();
    EnableByActiveView(ce, &TPlotBase::CanCut, true);
}

void TMainWin::CeEditCopy(TCommandEnabler& ce)
{
    EnableByActiveView(ce, &TPlotBase::CanCopy, true);
}

void TMainWin::CeEditGainAdjust(TCommandEnabler& ce)
{
    StopAnalyzer();
    EnableByActiveView(ce, &TPlotBase::CanCut, true);
}

// Wave audio on the clipboard; the clipboard is always closed again. An
// unopenable clipboard leaves the item as it is (false, nothing set).
bool TMainWin::ClipboardHoldsWave(TCommandEnabler& ce)
{
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return false;
    if (!TClipboard::IsClipboardFormatAvailable(CF_WAVE)) {
        ce.Enable(false);
        return false;
    }
    return true;
}

void TMainWin::CeEditPasteInsert(TCommandEnabler& ce)
{
    if (OpMode == RealTime) {
        ce.Enable(false);
        return;
    }
    if (ClipboardHoldsWave(ce))
        EnableByActiveView(ce, &TPlotBase::CanPaste, true);
}

void TMainWin::CeEditPasteOver(TCommandEnabler& ce)
{
    if (!WaveFile) {
        ce.Enable(false);
        return;
    }
    if (ClipboardHoldsWave(ce))
        EnableByActiveView(ce, &TPlotBase::CanPaste, true);
}

void TMainWin::CeEditFilter(TCommandEnabler& ce)
{
    EnableByActiveView(ce, &TPlotBase::CanFilter, false);
}

void TMainWin::CePlay(TCommandEnabler& ce)
{
    EnableByActiveView(ce, &TPlotBase::CanPlay, false);
}

void TMainWin::CeEditUndo(TCommandEnabler& ce)
{
    ce.Enable(WaveFile && WaveFile->IsUndoAvailable());
}

void TMainWin::CeEditSelectAll(TCommandEnabler& ce)
{
    StopAnalyzer();
    ce.Enable(WaveFile && (ViewStatus.TimeSeries || ViewStatus.SurfacePlot || ViewStatus.Spectrogram));
}

// Only a well-formed block in the format named "Link" can be linked to.
void TMainWin::CeEditPasteLink(TCommandEnabler& ce)
{
    TLinkDescription link;
    ce.Enable(OpMode == RealTime && TLinkClipboard::Read(HWindow, link));
}

bool TMainWin::ConfirmDiskEdit()
{
    if (FileIO.WaveFileMode != 1 || FileIO.MakeBackup != 0)
        return true;
    return MessageBox(LoadStr(IDS_NO_BACKUP_WARNING), Caption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void TMainWin::StopBeforeEdit()
{
    if (RunState != Stopped)
        StopAnalyzer();
}

void TMainWin::RefreshViewsAfterEdit(bool toolbar)
{
    if (toolbar && TransportToolbar)
        TransportToolbar->Invalidate(true);
    if (TimeSeriesView())
        TimeSeriesView()->UpdateLayout();
    for (TSpectrogram* view : SpectrogramViews())
        if (view)
            RebuildSpectrogram(*view);
}

bool TMainWin::RequireSegment(float start, float end)
{
    if (start != end)
        return true;
    MessageBox("You must first select a time segment.", Caption, MB_OK);
    return false;
}
