// The single-value readouts as the main window opens, closes and feeds them.
#include "shell/TMainWin.h"

#include "framework/TMDIClient.h"
#include "resources/CommandIds.h"
#include "utilities/TAnalysisView.h"
#include "utilities/TReadoutFormat.h"

namespace {

bool IsReadoutType(TMainWin::ViewType type)
{
    return TReadoutFormat::KindOfWindowType(int(type)) != TReadoutFormat::KindCount;
}

}  // namespace

UINT TMainWin::ViewCommand(ViewType type) const
{
    if (type == ViewType::NoiseFigure) return NoiseFigureOrder == 7 ? CM_NOISEFIGURERIGHTLEFT : CM_NOISEFIGURELEFTRIGHT;
    const TWindowSlots::TKind* kind = TWindowSlots::KindOf(type);
    return kind ? kind->Command : 0;
}

void TMainWin::CloseReadouts()
{
    for (const TWindowSlots::TKind& kind : TWindowSlots::Kinds())
        if (IsReadoutType(kind.Type)) Windows.Close(kind.Type);
}

TAnalysisView* TMainWin::ReadoutWindow(ViewType type) const
{
    return IsReadoutType(type) ? Windows.View<TAnalysisView>(type) : nullptr;
}

void TMainWin::CmNoiseFigure(UINT id)
{
    const uint16_t order = id == CM_NOISEFIGURERIGHTLEFT ? 7 : 6;
    if (Windows.IsOpen(ViewType::NoiseFigure)) {
        Windows.Close(ViewType::NoiseFigure);
        SetMenuCheck(CM_NOISEFIGURELEFTRIGHT, false);
        SetMenuCheck(CM_NOISEFIGURERIGHTLEFT, false);
        if (id == 0 || order == NoiseFigureOrder) return;
    }
    if (id == 0) return;
    NoiseFigureOrder = order;
    CreateViewWindow(ViewType::NoiseFigure, IniPath);
}

void TMainWin::CeAlwaysEnabled(TCommandEnabler& ce)
{
    ce.Enable(true);
}

void TMainWin::RefreshReadouts()
{
    for (const TWindowSlots::TKind& kind : TWindowSlots::Kinds())
        if (TAnalysisView* view = ReadoutWindow(kind.Type); view && view->GetHandle()) view->Invalidate(true);
}

TSpectralData* TMainWin::GetDisplayedResult(int index) const
{
    return index == 0 ? static_cast<TSpectralData*>(DisplayPrimary) : static_cast<TSpectralData*>(DisplaySecondary);
}

void TMainWin::ReadoutClosed(int type)
{
    // Through the message queue: the readout is still inside its own handler.
    if (!HWindow) return;
    PostMessage(WM_COMMAND, ViewCommand(ViewType(type)));
}

void TMainWin::ReadoutDestroyed(int type)
{
    SaveUtilityPlacements(ViewType(type), IniPath);
}
