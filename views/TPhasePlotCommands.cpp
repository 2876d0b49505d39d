// The phase view's commands: zoom, the Plot Top field, the context menus,
// and the copies of its values to the clipboard with their DDE link.
#include "views/TPhasePlot.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/TEngineHost.h"
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

void TPhasePlot::CmZoomIn()
{
    if (!PhaseData || ZoomInButton->Grey)
        return;
    if (ZoomInButton->Highlight) {
        CancelZoomSelection();
        return;
    }
    SelectAxis = 0;
    SelectMode = 1;
    ZoomInButton->HighlightOn();
}

void TPhasePlot::SetSelection(const TRect& rect)
{
    if (!PhaseData)
        return;
    const float a = ColumnFrequency(rect.left - GraphRect.left);
    const float b = ColumnFrequency(rect.right - GraphRect.left);
    // A band of seven bins or fewer leaves the zoom armed for another drag.
    if (!TPhaseScale::ZoomTo(PhaseData->GetIndex(a), PhaseData->GetIndex(b), VisibleStart, VisibleEnd))
        return;
    Opts->StartFreq = std::min(a, b);
    Opts->StopFreq = std::max(a, b);
    UpdateLayout();
    CancelZoomSelection();
}

void TPhasePlot::CmZoom2XIn()
{
    if (PhaseData && !Zoom2XInButton->Grey && TPhaseScale::ZoomIn2x(VisibleStart, VisibleEnd))
        ApplyVisibleBins();
}

void TPhasePlot::CmZoom2XOut()
{
    if (PhaseData && !Zoom2XOutButton->Grey
        && TPhaseScale::ZoomOut2x(VisibleStart, VisibleEnd, PhaseData->GetLowIndex(), PhaseData->GetHighIndex()))
        ApplyVisibleBins();
}

void TPhasePlot::CmZoomFull()
{
    if (PhaseData && !ZoomFullButton->Grey
        && TPhaseScale::ZoomFull(VisibleStart, VisibleEnd, PhaseData->GetLowIndex(), PhaseData->GetHighIndex()))
        ApplyVisibleBins();
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
    MainWin->RunCommand(CM_PHASEOPTIONS);
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

void TPhasePlot::EvRButtonDown(UINT, const TPoint& point)
{
    TPoint screen = point;
    ClientToScreen(screen);
    if (Tracking) {
        if (TWindow* client = GetParent())
            client->SendMessage(WM_MDIACTIVATE, WPARAM(HWindow));
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
    if (TWindow* client = GetParent())
        client->SendMessage(WM_MDIACTIVATE, WPARAM(HWindow));
    TPopupMenu menu;
    menu.AppendMenu(MF_STRING, MenuCopyText, "&Copy As Text");
    menu.AppendMenu(MF_STRING, MenuCopyBitmap, "Copy As &Bitmap");
    menu.AppendMenu(MF_STRING, MenuViewData, "&View Data Values");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, MenuProperties, "&Properties");
    menu.AppendMenu(MF_STRING, MenuHelp, "&Help");
    menu.TrackPopupMenu(0, screen, HWindow);
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
