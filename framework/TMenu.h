#pragma once
#include <windows.h>
#include <string>
#include "framework/TResId.h"

// A menu handle; destroyed with the object only when the object owns it.
class TMenu {
public:
    TMenu(HMENU handle, bool autoDelete = false) : Handle(handle), ShouldDelete(autoDelete) {}
    TMenu(HINSTANCE instance, TResId id) : Handle(::LoadMenuA(instance, id)), ShouldDelete(true) {}
    virtual ~TMenu();
    TMenu(const TMenu&) = delete;
    TMenu& operator=(const TMenu&) = delete;

    operator HMENU() const { return Handle; }
    bool IsOK() const { return Handle != nullptr; }

    bool AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr)
    {
        return ::AppendMenuA(Handle, flags, idOrPopup, text) != FALSE;
    }
    bool InsertMenu(UINT item, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr)
    {
        return ::InsertMenuA(Handle, item, flags, idOrPopup, text) != FALSE;
    }
    bool ModifyMenu(UINT item, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr)
    {
        return ::ModifyMenuA(Handle, item, flags, idOrPopup, text) != FALSE;
    }
    bool DeleteMenu(UINT item, UINT flags) { return ::DeleteMenu(Handle, item, flags) != FALSE; }
    bool RemoveMenu(UINT item, UINT flags) { return ::RemoveMenu(Handle, item, flags) != FALSE; }
    // Returns the previous check state, -1 when the item does not exist.
    int CheckMenuItem(UINT item, UINT check) { return int(::CheckMenuItem(Handle, item, check)); }
    int EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(Handle, item, enable); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(Handle); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(Handle, pos); }
    UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(Handle, item, flags); }
    std::string GetMenuString(UINT item, UINT flags) const;
    HMENU GetSubMenu(int pos) const { return ::GetSubMenu(Handle, pos); }

protected:
    HMENU Handle;
    bool ShouldDelete;
};
