#include "views/TSpectrogramGeometry.h"

#include <algorithm>

int TSpectrogramGeometry::TimeLength(const TPaneRect& graph, const TPaneRect& upper, int paneMode) const
{
    if (TimeAlongX())
        return graph.Width();
    return paneMode == 2 ? upper.Height() : graph.Height();
}

int TSpectrogramGeometry::FrequencyLength(const TPaneRect& graph, const TPaneRect& upper, int paneMode) const
{
    if (!TimeAlongX())
        return graph.Width();
    return paneMode == 2 ? upper.Height() : graph.Height();
}

int TSpectrogramGeometry::TimeOffset(const TPaneRect& graph, const TPaneRect& pane, int x, int y) const
{
    switch (Dir) {
    case NewestRight: return graph.right - 1 - x;
    case NewestLeft: return x - graph.left;
    case NewestBottom: return pane.bottom - 1 - y;
    default: return y - pane.top;
    }
}

int TSpectrogramGeometry::Column(const TPaneRect& graph, const TPaneRect& pane, int x, int y) const
{
    return TimeAlongX() ? pane.bottom - 1 - y : x - graph.left;
}

TCurvePoint TSpectrogramGeometry::ImagePixel(int r, int p, int width, int height) const
{
    switch (Dir) {
    case NewestRight: return {width - 1 - r, height - 1 - p};
    case NewestLeft: return {r, height - 1 - p};
    case NewestBottom: return {p, height - 1 - r};
    default: return {p, r};
    }
}

TCurvePoint TSpectrogramGeometry::WindowPixel(int r, int p, const TPaneRect& pane) const
{
    const TCurvePoint at = ImagePixel(r, p, pane.Width(), pane.Height());
    return {pane.left + at.x, pane.top + at.y};
}

TCurvePoint TSpectrogramGeometry::ScrollOffset(int n) const
{
    switch (Dir) {
    case NewestRight: return {-n, 0};
    case NewestLeft: return {n, 0};
    case NewestBottom: return {0, -n};
    default: return {0, n};
    }
}

TPaneRect TSpectrogramGeometry::StretchTarget(int oldWidth, int oldHeight, int newWidth, int newHeight) const
{
    switch (Dir) {
    case NewestRight: return {newWidth - oldWidth, 0, newWidth, newHeight};
    case NewestLeft: return {0, 0, oldWidth, newHeight};
    case NewestBottom: return {0, newHeight - oldHeight, newWidth, newHeight};
    default: return {0, 0, newWidth, oldHeight};
    }
}

int TSpectrogramGeometry::NextWrapPosition(int position, int linesPerStep, int historyCount)
{
    position += linesPerStep;
    return position >= historyCount - linesPerStep ? 0 : position;
}
