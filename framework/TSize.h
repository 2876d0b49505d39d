#pragma once
#include <windows.h>

// A width and height; layout-compatible with SIZE.
class TSize : public SIZE {
public:
    TSize() { cx = 0; cy = 0; }
    TSize(int w, int h) { cx = w; cy = h; }
    TSize(const SIZE& s) { cx = s.cx; cy = s.cy; }

    bool operator==(const TSize& s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(const TSize& s) const { return !(*this == s); }
};
