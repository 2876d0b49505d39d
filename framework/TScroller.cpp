#include "framework/TScroller.h"
#include "framework/TDC.h"
#include "framework/TWindow.h"

TScroller::TScroller(TWindow* window, int xUnit, int yUnit, long xRange, long yRange)
    : Window(window), XUnit(xUnit > 0 ? xUnit : 1), YUnit(yUnit > 0 ? yUnit : 1), XRange(xRange), YRange(yRange)
{
}

void TScroller::SetUnits(int xUnit, int yUnit)
{
    XUnit = xUnit > 0 ? xUnit : 1;
    YUnit = yUnit > 0 ? yUnit : 1;
    SetPageSize();
    SetSBarRange();
}

void TScroller::SetRange(long xRange, long yRange)
{
    XRange = xRange < 0 ? 0 : xRange;
    YRange = yRange < 0 ? 0 : yRange;
    XPos = Clamp(XPos, XRange);
    YPos = Clamp(YPos, YRange);
    SetSBarRange();
}

void TScroller::SetPageSize()
{
    if (!Window || !Window->GetHandle()) return;
    TRect r = Window->GetClientRect();
    XPage = r.Width() / XUnit > 0 ? r.Width() / XUnit : 1;
    YPage = r.Height() / YUnit > 0 ? r.Height() / YUnit : 1;
}

void TScroller::SetSBarRange()
{
    if (!Window || !Window->GetHandle()) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    // The range is of positions; the bar's maximum includes the last page.
    si.nMax = int(XRange + XPage - 1);
    si.nPage = UINT(XPage);
    si.nPos = int(XPos);
    ::SetScrollInfo(Window->GetHandle(), SB_HORZ, &si, TRUE);
    si.nMax = int(YRange + YPage - 1);
    si.nPage = UINT(YPage);
    si.nPos = int(YPos);
    ::SetScrollInfo(Window->GetHandle(), SB_VERT, &si, TRUE);
}

void TScroller::ScrollTo(long x, long y)
{
    x = Clamp(x, XRange);
    y = Clamp(y, YRange);
    if (x == XPos && y == YPos) return;
    long dx = (XPos - x) * XUnit, dy = (YPos - y) * YUnit;
    XPos = x;
    YPos = y;
    if (Window && Window->GetHandle()) {
        ::ScrollWindowEx(Window->GetHandle(), int(dx), int(dy), nullptr, nullptr, nullptr, nullptr,
                         SW_INVALIDATE | SW_ERASE);
        SetSBarRange();
        Window->UpdateWindow();
    }
}

long TScroller::ThumbPos(int bar) const
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(Window->GetHandle(), bar, &si);
    return si.nTrackPos;
}

long TScroller::NewPos(UINT code, long pos, long line, long page, long range, int bar) const
{
    switch (code) {
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return range;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return ThumbPos(bar);
    default: return pos;
    }
}

void TScroller::HScroll(UINT code, int)
{
    ScrollTo(NewPos(code, XPos, XLine, XPage, XRange, SB_HORZ), YPos);
}

void TScroller::VScroll(UINT code, int)
{
    ScrollTo(XPos, NewPos(code, YPos, YLine, YPage, YRange, SB_VERT));
}

void TScroller::BeginView(TDC& dc, TRect& rect)
{
    long ox = XPos * XUnit, oy = YPos * YUnit;
    dc.SetViewportOrg(TPoint(int(-ox), int(-oy)));
    rect.Offset(int(ox), int(oy));
}

bool TScroller::IsVisibleRect(long x, long y, long w, long h) const
{
    return x + w > XPos && x < XPos + XPage && y + h > YPos && y < YPos + YPage;
}
