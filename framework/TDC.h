#pragma once
#include <windows.h>
#include <string>
#include "framework/TColor.h"
#include "framework/TPoint.h"
#include "framework/TRect.h"
#include "framework/TSize.h"

class TBitmap;
class TBrush;
class TFont;
class TPalette;
class TPen;

// A device context. A plain TDC borrows its HDC; the derived classes get and
// release theirs. Objects selected through the TDC are put back by the
// Restore calls or when the TDC goes.
class TDC {
public:
    explicit TDC(HDC hdc) : Handle(hdc) {}
    virtual ~TDC();
    TDC(const TDC&) = delete;
    TDC& operator=(const TDC&) = delete;

    HDC GetHDC() const { return Handle; }
    operator HDC() const { return Handle; }

    // Object selection.
    void SelectObject(const TPen& pen);
    void SelectObject(const TBrush& brush);
    void SelectObject(const TFont& font);
    void SelectObject(const TBitmap& bitmap);
    void SelectObject(const TPalette& palette, bool forceBackground = false);
    void SelectStockObject(int index);
    void RestorePen();
    void RestoreBrush();
    void RestoreFont();
    void RestoreBitmap();
    void RestorePalette();
    void RestoreObjects();
    UINT RealizePalette() { return ::RealizePalette(Handle); }
    int SaveDC() { return ::SaveDC(Handle); }
    bool RestoreDC(int saved = -1) { return ::RestoreDC(Handle, saved) != FALSE; }

    // Attributes.
    TColor SetTextColor(TColor c) { return ::SetTextColor(Handle, c); }
    TColor SetBkColor(TColor c) { return ::SetBkColor(Handle, c); }
    int SetBkMode(int mode) { return ::SetBkMode(Handle, mode); }
    UINT SetTextAlign(UINT flags) { return ::SetTextAlign(Handle, flags); }
    int SetROP2(int mode) { return ::SetROP2(Handle, mode); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(Handle, mode); }
    int SetMapMode(int mode) { return ::SetMapMode(Handle, mode); }
    TPoint SetViewportOrg(const TPoint& p);
    TPoint SetWindowOrg(const TPoint& p);
    TPoint GetViewportOrg() const;
    TSize SetViewportExt(const TSize& s);
    TSize SetWindowExt(const TSize& s);
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(Handle, index); }
    bool GetTextMetrics(TEXTMETRICA& tm) const { return ::GetTextMetricsA(Handle, &tm) != FALSE; }
    TSize GetTextExtent(const char* text, int length = -1) const;
    bool DPtoLP(TPoint* points, int count = 1) const { return ::DPtoLP(Handle, points, count) != FALSE; }
    bool LPtoDP(TPoint* points, int count = 1) const { return ::LPtoDP(Handle, points, count) != FALSE; }
    int IntersectClipRect(const TRect& r) { return ::IntersectClipRect(Handle, r.left, r.top, r.right, r.bottom); }
    int SelectClipRgn(HRGN region) { return ::SelectClipRgn(Handle, region); }
    int GetClipBox(TRect& r) const { return ::GetClipBox(Handle, &r); }

    // Drawing.
    bool MoveTo(int x, int y) { return ::MoveToEx(Handle, x, y, nullptr) != FALSE; }
    bool MoveTo(const TPoint& p) { return MoveTo(p.x, p.y); }
    bool LineTo(int x, int y) { return ::LineTo(Handle, x, y) != FALSE; }
    bool LineTo(const TPoint& p) { return LineTo(p.x, p.y); }
    bool Polyline(const TPoint* points, int count) { return ::Polyline(Handle, points, count) != FALSE; }
    bool Polygon(const TPoint* points, int count) { return ::Polygon(Handle, points, count) != FALSE; }
    bool Rectangle(int l, int t, int r, int b) { return ::Rectangle(Handle, l, t, r, b) != FALSE; }
    bool Rectangle(const TRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    bool Ellipse(int l, int t, int r, int b) { return ::Ellipse(Handle, l, t, r, b) != FALSE; }
    bool Ellipse(const TRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    bool Arc(const TRect& r, const TPoint& start, const TPoint& end)
    {
        return ::Arc(Handle, r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y) != FALSE;
    }
    bool FillRect(const TRect& r, HBRUSH brush) { return ::FillRect(Handle, &r, brush) != 0; }
    bool FrameRect(const TRect& r, HBRUSH brush) { return ::FrameRect(Handle, &r, brush) != 0; }
    bool InvertRect(const TRect& r) { return ::InvertRect(Handle, &r) != FALSE; }
    bool DrawFocusRect(const TRect& r) { return ::DrawFocusRect(Handle, &r) != FALSE; }
    bool PatBlt(const TRect& r, DWORD rop = PATCOPY) { return ::PatBlt(Handle, r.left, r.top, r.Width(), r.Height(), rop) != FALSE; }
    TColor SetPixel(int x, int y, TColor c) { return ::SetPixel(Handle, x, y, c); }
    TColor GetPixel(int x, int y) const { return ::GetPixel(Handle, x, y); }
    bool TextOut(int x, int y, const char* text, int length = -1);
    bool ExtTextOut(int x, int y, UINT options, const TRect* rect, const char* text, int length = -1);
    int DrawText(const char* text, int length, TRect& rect, UINT format);
    bool BitBlt(int x, int y, int w, int h, const TDC& src, int sx, int sy, DWORD rop = SRCCOPY)
    {
        return ::BitBlt(Handle, x, y, w, h, src.Handle, sx, sy, rop) != FALSE;
    }
    bool BitBlt(const TRect& dst, const TDC& src, const TPoint& srcOrigin, DWORD rop = SRCCOPY)
    {
        return BitBlt(dst.left, dst.top, dst.Width(), dst.Height(), src, srcOrigin.x, srcOrigin.y, rop);
    }
    bool StretchBlt(const TRect& dst, const TDC& src, const TRect& srcRect, DWORD rop = SRCCOPY)
    {
        return ::StretchBlt(Handle, dst.left, dst.top, dst.Width(), dst.Height(), src.Handle, srcRect.left, srcRect.top,
                            srcRect.Width(), srcRect.Height(), rop) != FALSE;
    }
    int StretchDIBits(const TRect& dst, const TRect& src, const void* bits, const BITMAPINFO& info,
                      UINT usage = DIB_RGB_COLORS, DWORD rop = SRCCOPY)
    {
        return ::StretchDIBits(Handle, dst.left, dst.top, dst.Width(), dst.Height(), src.left, src.top, src.Width(),
                               src.Height(), bits, &info, usage, rop);
    }
    int SetDIBitsToDevice(const TRect& dst, const TPoint& src, UINT startScan, UINT numScans, const void* bits,
                          const BITMAPINFO& info, UINT usage = DIB_RGB_COLORS)
    {
        return ::SetDIBitsToDevice(Handle, dst.left, dst.top, dst.Width(), dst.Height(), src.x, src.y, startScan,
                                   numScans, bits, &info, usage);
    }

    // Printing.
    int StartDoc(const DOCINFOA& info) { return ::StartDocA(Handle, &info); }
    int StartPage() { return ::StartPage(Handle); }
    int EndPage() { return ::EndPage(Handle); }
    int EndDoc() { return ::EndDoc(Handle); }
    int AbortDoc() { return ::AbortDoc(Handle); }
    int SetAbortProc(ABORTPROC proc) { return ::SetAbortProc(Handle, proc); }
    int Escape(int escape, int inSize = 0, const char* inData = nullptr, void* outData = nullptr)
    {
        return ::Escape(Handle, escape, inSize, inData, outData);
    }

protected:
    TDC() = default;
    void Init(HDC hdc) { Handle = hdc; }

    HDC Handle = nullptr;

private:
    HGDIOBJ OrigPen = nullptr, OrigBrush = nullptr, OrigFont = nullptr, OrigBitmap = nullptr;
    HPALETTE OrigPalette = nullptr;
};
