#pragma once
#include "framework/TWindow.h"

// A child control. Controls of system classes are subclassed when created or
// bound, so their own tables see their messages; an owner-drawn control gets
// its parent's WM_DRAWITEM as ODADrawEntire, ODASelect or ODAFocus.
class TControl : public TWindow {
public:
    TControl(TWindow* parent, int id, const char* title, int x, int y, int w, int h, TModule* module = nullptr);
    // Binds to the item with this id of the parent dialog's template.
    TControl(TWindow* parent, int resourceId, TModule* module = nullptr);

    void DrawItem(DRAWITEMSTRUCT& dis) override;
    virtual void ODADrawEntire(DRAWITEMSTRUCT& dis);
    virtual void ODASelect(DRAWITEMSTRUCT& dis);
    virtual void ODAFocus(DRAWITEMSTRUCT& dis);

    void EvPaint();

    DECLARE_RESPONSE_TABLE(TControl);
};
