#pragma once
#include <windows.h>
#include "framework/TPoint.h"
#include "framework/TSize.h"

// A rectangle whose right and bottom edges are exclusive, as the API's are;
// layout-compatible with RECT.
class TRect : public RECT {
public:
    TRect() { left = top = right = bottom = 0; }
    TRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    TRect(const RECT& r) { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }
    TRect(const TPoint& origin, const TSize& extent)
    {
        left = origin.x; top = origin.y; right = origin.x + extent.cx; bottom = origin.y + extent.cy;
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    TSize Size() const { return TSize(Width(), Height()); }
    TPoint TopLeft() const { return TPoint(left, top); }
    TPoint BottomRight() const { return TPoint(right, bottom); }
    bool IsEmpty() const { return left >= right || top >= bottom; }
    bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Left and top inclusive, right and bottom exclusive.
    bool Contains(const TPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool Contains(const TRect& r) const
    {
        return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
    }
    bool Touches(const TRect& r) const
    {
        return r.left < right && r.right > left && r.top < bottom && r.bottom > top;
    }

    TRect& Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; return *this; }
    TRect& Inflate(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; return *this; }
    TRect OffsetBy(int dx, int dy) const { TRect r(*this); return r.Offset(dx, dy); }
    TRect InflatedBy(int dx, int dy) const { TRect r(*this); return r.Inflate(dx, dy); }
    TRect Normalized() const
    {
        return TRect(left < right ? left : right, top < bottom ? top : bottom,
                     left < right ? right : left, top < bottom ? bottom : top);
    }
    // The overlap; empty (all zero) when the rectangles do not meet.
    TRect operator&(const TRect& r) const
    {
        TRect out;
        ::IntersectRect(&out, this, &r);
        return out;
    }
    TRect operator|(const TRect& r) const
    {
        TRect out;
        ::UnionRect(&out, this, &r);
        return out;
    }
    bool operator==(const TRect& r) const
    {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    bool operator!=(const TRect& r) const { return !(*this == r); }
};
