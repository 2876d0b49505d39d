// The views' right-button menus: the context menu and the cursor menu.
#include "views/TPlotBase.h"

#include "framework/TPopupMenu.h"

std::unique_ptr<TPopupMenu> TPlotBase::BuildContextMenu() const
{
    return nullptr;
}

void TPlotBase::CopyCursorValues()
{
}

void TPlotBase::ActivateView()
{
    if (TWindow* client = GetParent())
        client->SendMessage(WM_MDIACTIVATE, WPARAM(HWindow));
}

UINT TPlotBase::ShowCursorMenu(const TPoint& point, TViewMenu::TRows ownRows)
{
    TPoint screen = point;
    ClientToScreen(screen);
    std::unique_ptr<TPopupMenu> menu = TViewMenu::Build(TViewMenu::CursorRows);
    TViewMenu::Fill(*menu, ownRows);
    return UINT(menu->TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, screen, HWindow));
}

void TPlotBase::ShowContextMenu(const TPoint& point, TPopupMenu& menu)
{
    TPoint screen = point;
    ClientToScreen(screen);
    menu.TrackPopupMenu(0, screen, HWindow);
}

void TPlotBase::ShowViewMenus(const TPoint& point, bool activateOffPanes)
{
    if (activateOffPanes)
        ActivateView();
    const bool onPane = GetPaneRect(point).Contains(point);
    if (!Tracking && !onPane)
        return;
    if (!activateOffPanes)
        ActivateView();
    if (Tracking) {
        const UINT choice = ShowCursorMenu(point);
        if (choice == TViewMenu::CopyCursorId)
            CopyCursorValues();
        else if (choice == TViewMenu::CopyBitmapId)
            CopyAsBitmap();
        EvLButtonUp(0, point);
        return;
    }
    if (std::unique_ptr<TPopupMenu> menu = BuildContextMenu())
        ShowContextMenu(point, *menu);
}
