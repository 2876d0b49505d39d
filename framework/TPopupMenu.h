#pragma once
#include "framework/TMenu.h"
#include "framework/TPoint.h"

// A new, empty popup menu owned by the object.
class TPopupMenu : public TMenu {
public:
    TPopupMenu() : TMenu(::CreatePopupMenu(), true) {}
    explicit TPopupMenu(HMENU handle, bool autoDelete = false) : TMenu(handle, autoDelete) {}

    // Shows the menu at a screen point. With TPM_RETURNCMD the chosen command
    // is returned (0 for none) and nothing is sent; otherwise the command goes
    // to the owner as WM_COMMAND and the result is non-zero on success.
    int TrackPopupMenu(UINT flags, const TPoint& screenPoint, HWND owner, const RECT* excludeRect = nullptr)
    {
        return ::TrackPopupMenu(Handle, flags, screenPoint.x, screenPoint.y, 0, owner, excludeRect);
    }
};
