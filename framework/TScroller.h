#pragma once
#include <windows.h>
#include "framework/TRect.h"

class TDC;
class TWindow;

// Scrolls a window's client area with the window's own scroll bars. Ranges
// and positions are in units of XUnit x YUnit pixels; thumb positions are read
// as 32-bit values, so ranges may exceed 65,535 units.
class TScroller {
public:
    TScroller(TWindow* window, int xUnit, int yUnit, long xRange, long yRange);
    virtual ~TScroller() = default;

    void SetUnits(int xUnit, int yUnit);
    void SetRange(long xRange, long yRange);
    // Page sizes from the window's client area.
    void SetPageSize();
    // Puts the ranges, pages and positions on the scroll bars.
    void SetSBarRange();
    virtual void ScrollTo(long x, long y);
    void ScrollBy(long dx, long dy) { ScrollTo(XPos + dx, YPos + dy); }
    virtual void HScroll(UINT code, int thumbPos);
    virtual void VScroll(UINT code, int thumbPos);
    // Shifts the context's origin by the scroll position while painting.
    void BeginView(TDC& dc, TRect& rect);
    void EndView() {}
    bool IsVisibleRect(long x, long y, long w, long h) const;

    TWindow* Window;
    int XUnit, YUnit;
    long XRange, YRange;
    long XPos = 0, YPos = 0;
    long XLine = 1, YLine = 1;
    long XPage = 1, YPage = 1;

private:
    long Clamp(long v, long range) const { return v < 0 ? 0 : (v > range ? range : v); }
    long ThumbPos(int bar) const;
    long NewPos(UINT code, long pos, long line, long page, long range, int bar) const;
};
