#include "framework/TDC.h"
#include <cstring>
#include "framework/TBitmap.h"
#include "framework/TBrush.h"
#include "framework/TFont.h"
#include "framework/TPalette.h"
#include "framework/TPen.h"

TDC::~TDC()
{
    if (Handle) RestoreObjects();
}

namespace {
// Selects obj and keeps the first object it replaced, to put back later.
void SelectKeeping(HDC dc, HGDIOBJ obj, HGDIOBJ& orig)
{
    HGDIOBJ old = ::SelectObject(dc, obj);
    if (!orig) orig = old;
}

void Restore(HDC dc, HGDIOBJ& orig)
{
    if (orig) ::SelectObject(dc, orig);
    orig = nullptr;
}

int Length(const char* text, int length) { return length < 0 ? int(std::strlen(text)) : length; }
}

void TDC::SelectObject(const TPen& pen) { SelectKeeping(Handle, pen.GetHandle(), OrigPen); }
void TDC::SelectObject(const TBrush& brush) { SelectKeeping(Handle, brush.GetHandle(), OrigBrush); }
void TDC::SelectObject(const TFont& font) { SelectKeeping(Handle, font.GetHandle(), OrigFont); }
void TDC::SelectObject(const TBitmap& bitmap) { SelectKeeping(Handle, bitmap.GetHandle(), OrigBitmap); }

void TDC::SelectObject(const TPalette& palette, bool forceBackground)
{
    HPALETTE old = ::SelectPalette(Handle, palette, forceBackground);
    if (!OrigPalette) OrigPalette = old;
}

void TDC::SelectStockObject(int index)
{
    HGDIOBJ obj = ::GetStockObject(index);
    switch (::GetObjectType(obj)) {
    case OBJ_PEN: SelectKeeping(Handle, obj, OrigPen); break;
    case OBJ_BRUSH: SelectKeeping(Handle, obj, OrigBrush); break;
    case OBJ_FONT: SelectKeeping(Handle, obj, OrigFont); break;
    default: ::SelectObject(Handle, obj); break;
    }
}

void TDC::RestorePen() { Restore(Handle, OrigPen); }
void TDC::RestoreBrush() { Restore(Handle, OrigBrush); }
void TDC::RestoreFont() { Restore(Handle, OrigFont); }
void TDC::RestoreBitmap() { Restore(Handle, OrigBitmap); }

void TDC::RestorePalette()
{
    if (OrigPalette) ::SelectPalette(Handle, OrigPalette, FALSE);
    OrigPalette = nullptr;
}

void TDC::RestoreObjects()
{
    RestorePen();
    RestoreBrush();
    RestoreFont();
    RestoreBitmap();
    RestorePalette();
}

TPoint TDC::SetViewportOrg(const TPoint& p)
{
    TPoint old;
    ::SetViewportOrgEx(Handle, p.x, p.y, &old);
    return old;
}

TPoint TDC::SetWindowOrg(const TPoint& p)
{
    TPoint old;
    ::SetWindowOrgEx(Handle, p.x, p.y, &old);
    return old;
}

TPoint TDC::GetViewportOrg() const
{
    TPoint p;
    ::GetViewportOrgEx(Handle, &p);
    return p;
}

TSize TDC::SetViewportExt(const TSize& s)
{
    TSize old;
    ::SetViewportExtEx(Handle, s.cx, s.cy, &old);
    return old;
}

TSize TDC::SetWindowExt(const TSize& s)
{
    TSize old;
    ::SetWindowExtEx(Handle, s.cx, s.cy, &old);
    return old;
}

TSize TDC::GetTextExtent(const char* text, int length) const
{
    TSize size;
    ::GetTextExtentPoint32A(Handle, text, Length(text, length), &size);
    return size;
}

bool TDC::TextOut(int x, int y, const char* text, int length)
{
    return ::TextOutA(Handle, x, y, text, Length(text, length)) != FALSE;
}

bool TDC::ExtTextOut(int x, int y, UINT options, const TRect* rect, const char* text, int length)
{
    return ::ExtTextOutA(Handle, x, y, options, rect, text, UINT(Length(text, length)), nullptr) != FALSE;
}

int TDC::DrawText(const char* text, int length, TRect& rect, UINT format)
{
    return ::DrawTextA(Handle, text, length, &rect, format);
}
