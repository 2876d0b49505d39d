#pragma once
#include <windows.h>

// A point in device or logical units; layout-compatible with POINT so it can
// be handed to the API directly.
class TPoint : public POINT {
public:
    TPoint() { x = 0; y = 0; }
    TPoint(int px, int py) { x = px; y = py; }
    TPoint(const POINT& p) { x = p.x; y = p.y; }

    TPoint OffsetBy(int dx, int dy) const { return TPoint(x + dx, y + dy); }
    TPoint operator+(const TPoint& p) const { return TPoint(x + p.x, y + p.y); }
    TPoint operator-(const TPoint& p) const { return TPoint(x - p.x, y - p.y); }
    bool operator==(const TPoint& p) const { return x == p.x && y == p.y; }
    bool operator!=(const TPoint& p) const { return !(*this == p); }
};
