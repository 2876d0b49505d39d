// Zoom steps and scroll mapping over a spectral view's indexes.
#include "views/TFrequencyZoom.h"

#include <algorithm>

bool TFrequencyZoom::ZoomIn(int& start, int& end) const
{
    const int span = end - start;
    if (span <= SmallestSpan)
        return false;
    start += span / 4;
    end -= span / 4;
    return true;
}

bool TFrequencyZoom::ZoomOut(int& start, int& end) const
{
    const int span = end - start;
    if (span >= High - Low)
        return false;
    const int q = span / 4;
    start = std::max(start - q, Low);
    end = std::min(end + q, High);
    return true;
}

bool TFrequencyZoom::ZoomFull(int& start, int& end) const
{
    if (end - start >= High - Low)
        return false;
    start = Low;
    end = High;
    return true;
}

bool TFrequencyZoom::ZoomTo(int a, int b, int& start, int& end) const
{
    if (a > b)
        std::swap(a, b);
    if (b - a <= SmallestSpan)
        return false;
    start = a;
    end = b;
    return true;
}

bool TFrequencyZoom::Hold(int& start, int& end) const
{
    start = std::max(start, Low);
    end = std::min(end, High);
    if (start >= end) {
        start = Low;
        end = High;
    }
    return start == Low && end == High;
}

int TFrequencyZoom::ScrollRange(int start, int end) const
{
    return std::max((High - Low) - (end - start), 0);
}

void TFrequencyZoom::ScrollTo(int position, int& start, int& end) const
{
    const int span = end - start;
    start = Low + std::clamp(position, 0, ScrollRange(start, end));
    end = start + span;
}
