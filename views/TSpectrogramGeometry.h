#pragma once
#include <cstdint>

#include "views/TPaneLayout.h"

// Where things lie in a spectrogram for each of its four directions. The
// time axis counts offsets r from the image's newest edge (right, left,
// bottom or top for directions 0 to 3); the frequency axis counts columns p
// from the low-frequency end (bottom for 0 and 1, left for 2 and 3).
class TSpectrogramGeometry {
public:
    enum Direction : uint16_t { NewestRight = 0, NewestLeft = 1, NewestBottom = 2, NewestTop = 3 };

    // Directions beyond 3 count as 0.
    explicit TSpectrogramGeometry(uint16_t direction) : Dir(direction <= NewestTop ? direction : uint16_t(NewestRight)) {}

    uint16_t GetDirection() const { return Dir; }
    bool TimeAlongX() const { return Dir == NewestRight || Dir == NewestLeft; }

    // Pixels along the time axis (one history record each) and along the
    // frequency axis (one column each): the graph area's, or the upper
    // pane's across two panes.
    int TimeLength(const TPaneRect& graph, const TPaneRect& upper, int paneMode) const;
    int FrequencyLength(const TPaneRect& graph, const TPaneRect& upper, int paneMode) const;

    // The time offset and the column of a point: x against the graph area,
    // y against the pane holding the point.
    int TimeOffset(const TPaneRect& graph, const TPaneRect& pane, int x, int y) const;
    int Column(const TPaneRect& graph, const TPaneRect& pane, int x, int y) const;

    // The pixel of (r, p) in a width x height image, and in the window when
    // the image covers pane.
    TCurvePoint ImagePixel(int r, int p, int width, int height) const;
    TCurvePoint WindowPixel(int r, int p, const TPaneRect& pane) const;

    // How an image moves when a line comes: n pixels away from its newest edge.
    TCurvePoint ScrollOffset(int n) const;
    // Where the old image goes when its pane changes size: its extent along
    // the time axis and its newest edge stay, the frequency axis stretches.
    TPaneRect StretchTarget(int oldWidth, int oldHeight, int newWidth, int newHeight) const;

    // The write position of wrap mode after a line.
    static int NextWrapPosition(int position, int linesPerStep, int historyCount);

private:
    uint16_t Dir;
};
