#pragma once
#include <cstdint>

// A rectangle in device pixels, right and bottom exclusive; laid out as the
// platform's RECT so the window code can pass it straight on.
struct TPaneRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool IsEmpty() const { return left >= right || top >= bottom; }
    bool operator==(const TPaneRect&) const = default;
};

// One screen point of a curve; laid out as the platform's POINT.
struct TCurvePoint {
    int32_t x;
    int32_t y;
    bool operator==(const TCurvePoint&) const = default;
};

// The page layout every view shares: one or two graph panes inside fixed
// margins, below the button strip and above the scroll bar's room.
class TPaneLayout {
public:
    int32_t PaneMode = 2;
    int32_t TopInset = 50;
    int32_t BottomInset = 30;
    int32_t LeftMargin = 20;
    int32_t RightMargin = 20;
    int32_t PaneGap = 20;

    TPaneRect GraphRect;
    TPaneRect PaneRect1;
    TPaneRect PaneRect2;

    // Recomputes the rectangles for a client area; a client too small for the
    // margins leaves them as they were.
    void Calculate(const TPaneRect& client, int32_t scrollBarHeight);
    // The pane holding a point (mode 1: the graph area); all zero for none.
    TPaneRect PaneAt(int32_t x, int32_t y) const;
};
