#pragma once
#include "framework/TControl.h"

// A scroll-bar control. The parent's WM_HSCROLL / WM_VSCROLL for the bar is
// reflected to the bar's SB... handlers, which move the thumb and then tell
// the parent with WM_COMMAND (the bar's id, the scroll code as notification
// code, SB_ENDSCROLL included), so EV_CHILD_NOTIFY entries see every code.
// Thumb positions are read as 32-bit values.
class TScrollBar : public TControl {
public:
    TScrollBar(TWindow* parent, int id, int x, int y, int w, int h, bool isHScrollBar, TModule* module = nullptr);
    TScrollBar(TWindow* parent, int resourceId, TModule* module = nullptr) : TControl(parent, resourceId, module) {}

    const char* GetClassName() override { return "SCROLLBAR"; }
    void SetupWindow() override;
    void ReflectScroll(UINT code, UINT pos) override;

    void SetRange(int min, int max, bool redraw = true);
    void GetRange(int& min, int& max) const;
    int GetPosition() const;
    void SetPosition(int pos, bool redraw = true);

    virtual void SBLineUp();
    virtual void SBLineDown();
    virtual void SBPageUp();
    virtual void SBPageDown();
    virtual void SBThumbPosition(int thumbPos);
    virtual void SBThumbTrack(int thumbPos);
    virtual void SBTop();
    virtual void SBBottom();
    virtual void SBEndScroll();

    int LineMagnitude = 1;
    int PageMagnitude = 10;

protected:
    void NotifyParent(UINT code);

private:
    int TrackPos() const;
    int RangeMin = 0, RangeMax = 100;
};
