#pragma once
#include "framework/TWindow.h"

// The MDI client window of an MDI frame. Any window object whose parent is
// the client is created as an MDI child through it.
class TMDIClient : public TWindow {
public:
    explicit TMDIClient(TModule* module = nullptr);

    // Command ids from here on are the Window menu's list of children.
    static constexpr UINT FirstChildId = 0xFF00;

    bool IsMDIClient() const override { return true; }
    const char* GetClassName() override { return "MDICLIENT"; }

    // Builds a default child object; CreateChild creates its window too.
    virtual TWindow* InitChild();
    TWindow* CreateChild();
    TWindow* GetActiveMDIChild() const;
    void CascadeChildren() { ::SendMessageA(HWindow, WM_MDICASCADE, 0, 0); }
    void TileChildren(int how = MDITILE_VERTICAL) { ::SendMessageA(HWindow, WM_MDITILE, how, 0); }
    void ArrangeIcons() { ::SendMessageA(HWindow, WM_MDIICONARRANGE, 0, 0); }
    // Asks every child; destroys them all only when each agrees.
    bool CloseChildren();

protected:
    HWND PerformCreate() override;
};
