#include "framework/TScrollBar.h"

TScrollBar::TScrollBar(TWindow* parent, int id, int x, int y, int w, int h, bool isHScrollBar, TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module)
{
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isHScrollBar ? SBS_HORZ : SBS_VERT);
    if (isHScrollBar && h == 0) Attr.H = ::GetSystemMetrics(SM_CYHSCROLL);
    if (!isHScrollBar && w == 0) Attr.W = ::GetSystemMetrics(SM_CXVSCROLL);
}

void TScrollBar::SetupWindow()
{
    TControl::SetupWindow();
    if (FromResource) {
        GetRange(RangeMin, RangeMax);
    } else {
        SetRange(RangeMin, RangeMax, false);
    }
}

void TScrollBar::SetRange(int min, int max, bool redraw)
{
    RangeMin = min;
    RangeMax = max;
    if (HWindow) ::SetScrollRange(HWindow, SB_CTL, min, max, redraw);
}

void TScrollBar::GetRange(int& min, int& max) const
{
    if (HWindow) {
        ::GetScrollRange(HWindow, SB_CTL, &min, &max);
    } else {
        min = RangeMin;
        max = RangeMax;
    }
}

int TScrollBar::GetPosition() const { return ::GetScrollPos(HWindow, SB_CTL); }

void TScrollBar::SetPosition(int pos, bool redraw)
{
    int min, max;
    GetRange(min, max);
    if (pos < min) pos = min;
    if (pos > max) pos = max;
    if (pos != GetPosition()) ::SetScrollPos(HWindow, SB_CTL, pos, redraw);
}

int TScrollBar::TrackPos() const
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(HWindow, SB_CTL, &si);
    return si.nTrackPos;
}

void TScrollBar::ReflectScroll(UINT code, UINT)
{
    switch (code) {
    case SB_LINEUP: SBLineUp(); break;
    case SB_LINEDOWN: SBLineDown(); break;
    case SB_PAGEUP: SBPageUp(); break;
    case SB_PAGEDOWN: SBPageDown(); break;
    case SB_THUMBPOSITION: SBThumbPosition(TrackPos()); break;
    case SB_THUMBTRACK: SBThumbTrack(TrackPos()); break;
    case SB_TOP: SBTop(); break;
    case SB_BOTTOM: SBBottom(); break;
    case SB_ENDSCROLL: SBEndScroll(); break;
    }
}

void TScrollBar::NotifyParent(UINT code)
{
    if (HWND parent = ::GetParent(HWindow))
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(Attr.Id, code), reinterpret_cast<LPARAM>(HWindow));
}

void TScrollBar::SBLineUp() { SetPosition(GetPosition() - LineMagnitude); NotifyParent(SB_LINEUP); }
void TScrollBar::SBLineDown() { SetPosition(GetPosition() + LineMagnitude); NotifyParent(SB_LINEDOWN); }
void TScrollBar::SBPageUp() { SetPosition(GetPosition() - PageMagnitude); NotifyParent(SB_PAGEUP); }
void TScrollBar::SBPageDown() { SetPosition(GetPosition() + PageMagnitude); NotifyParent(SB_PAGEDOWN); }
void TScrollBar::SBThumbPosition(int thumbPos) { SetPosition(thumbPos); NotifyParent(SB_THUMBPOSITION); }
void TScrollBar::SBThumbTrack(int thumbPos) { SetPosition(thumbPos); NotifyParent(SB_THUMBTRACK); }

void TScrollBar::SBTop()
{
    int min, max;
    GetRange(min, max);
    SetPosition(min);
    NotifyParent(SB_TOP);
}

void TScrollBar::SBBottom()
{
    int min, max;
    GetRange(min, max);
    SetPosition(max);
    NotifyParent(SB_BOTTOM);
}

void TScrollBar::SBEndScroll() { NotifyParent(SB_ENDSCROLL); }
