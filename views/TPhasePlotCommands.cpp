// The phase view's commands: zoom, the Plot Top field, the context menus,
// and the copies of its values to the clipboard with their DDE link.
#include "views/TPhasePlot.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "base/TEngineHost.h"
#include "engine/TSpectralData.h"
#include "framework/LimitScroll.h"
#include "framework/TClipboard.h"
#include "framework/TCommandEnabler.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/TPopupMenu.h"
#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "views/TLinkClipboard.h"
#include "views/TSpectralSource.h"
#include "views/TViewHost.h"

namespace {

const TMenuRow ContextMenu[] = {
    {TPhasePlot::MenuCopyText, "&Copy As Text"},
    {TPhasePlot::MenuCopyBitmap, "Copy As &Bitmap"},
    {TPhasePlot::MenuViewData, "&View Data Values"},
    {},
    {TPhasePlot::MenuProperties, "&Properties"},
    {TPhasePlot::MenuHelp, "&Help"},
};

}  // namespace

void TPhasePlot::SetSelection(const TRect& rect)
{
    if (!PhaseData)
        return;
    const float a = ColumnFrequency(rect.left - GraphRect.left);
    const float b = ColumnFrequency(rect.right - GraphRect.left);
    // A band of seven bins or fewer leaves the zoom armed for another drag.
    if (!Zoom().ZoomTo(PhaseData->GetIndex(a), PhaseData->GetIndex(b), VisibleStart, VisibleEnd))
        return;
    Opts->StartFreq = std::min(a, b);
    Opts->StopFreq = std::max(a, b);
    UpdateLayout();
    CancelZoomSelection();
}

void TPhasePlot::PlotTopChanged()
{
    if (Updating)
        return;
    char text[21] = {};
    PlotTopEdit->GetText(text, sizeof text);
    Opts->PlotTop = float(std::strtod(text, nullptr));
    PlotTopSpin->SetPrecision(1);
    BuildYTicks();
    Invalidate(true);
}

void TPhasePlot::CmOptions()
{
    MainWin->EditViewOptions(*this);
}

void TPhasePlot::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, MainWin->GetHelpPath(), HelpContext);
}

void TPhasePlot::CeCopy(TCommandEnabler& ce)
{
    ce.Enable(CanCopy() != 0);
}

void TPhasePlot::EvLButtonDblClk(UINT, const TPoint& point)
{
    if (!GraphRect.Contains(point))
        CmOptions();
}

void TPhasePlot::EvRButtonUp(UINT, const TPoint&)
{
}

std::unique_ptr<TPopupMenu> TPhasePlot::BuildContextMenu() const
{
    return TViewMenu::Build(ContextMenu);
}

void TPhasePlot::EvRButtonDown(UINT, const TPoint& point)
{
    ShowViewMenus(point, false);
}

void TPhasePlot::CopyCursorValues()
{
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    clipboard.SetText(TPhaseScale::CursorText(XValue, YValue));
}

void TPhasePlot::CopyAsText()
{
    if (!PhaseData)
        return;
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    TEngineWait wait;
    try {
        const TSpectralSource first(*PhaseData);
        const TSpectralSource second(PhaseData2 ? *PhaseData2 : *PhaseData);
        const std::string text = TPhaseScale::CopyText(PhaseData->GetLabel(), VisibleStart, VisibleEnd, first,
                                                       PhaseData2 ? &second : nullptr);
        if (!clipboard.SetText(text)) {
            MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    } catch (const std::bad_alloc&) {
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    TLinkClipboard::Put(clipboard, MainWin->GetDdeServiceName(), "Phase");
}

void TPhasePlot::CmViewData()
{
    ToggleDataView(PhaseData, TDataViewCells::Phase);
}
