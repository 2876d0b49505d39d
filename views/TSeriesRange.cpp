#include "views/TSeriesRange.h"

#include <algorithm>

void TSeriesRange::Fit(int64_t length, int64_t widest)
{
    length = std::max<int64_t>(length, 0);
    First = std::max<int64_t>(First, 0);
    if (Last > length)
        Last = length;
    if (First == 0 && Last == 0)
        Last = length;
    if (Last <= First) {
        First = 0;
        Last = length;
    }
    const int64_t w = Width();
    if (widest >= 0 && widest < w) {
        const int64_t centre = First + w / 2;
        First = centre - widest / 2;
        Last = centre + widest / 2;
    }
}

void TSeriesRange::KeepInside(int64_t length)
{
    length = std::max<int64_t>(length, 0);
    if (First < 0) {
        Last -= First;
        First = 0;
    }
    if (Last > length) {
        First = std::max<int64_t>(First - (Last - length), 0);
        Last = length;
    }
}

bool TSeriesRange::ZoomTo(int64_t first, int64_t last)
{
    if (last - first < NarrowestZoom)
        return false;
    First = first;
    Last = last;
    return true;
}

void TSeriesRange::ZoomIn2x()
{
    const int64_t w = Width();
    if (w < NarrowestZoom)
        return;
    First += w / 4;
    Last -= w / 4;
}

void TSeriesRange::ZoomOut2x(int64_t widest, int64_t length)
{
    const int64_t w = Width();
    if (widest < 2 * w) {
        const int64_t centre = First + w / 2;
        First = centre - widest / 2;
        Last = centre + widest / 2;
    } else {
        First -= w / 4;
        Last += w / 4;
    }
    KeepInside(length);
}

void TSeriesRange::ZoomFull(int64_t widest, int64_t length)
{
    if (widest > length) {
        First = 0;
        Last = length;
        return;
    }
    const int64_t centre = First + Width() / 2;
    First = centre - widest / 2;
    Last = centre + widest / 2;
    KeepInside(length);
}

void TSeriesRange::Scroll(int code, int thumb, int64_t length)
{
    const int64_t w = Width();
    switch (code) {
    case LineLeft: First -= w / 10; break;
    case LineRight: First += w / 10; break;
    case PageLeft: First -= w / 2; break;
    case PageRight: First += w / 2; break;
    case Thumb: First = int64_t(double(length - w) * thumb * (1.0 / ThumbScale) + 0.5); break;
    default: return;
    }
    Last = First + w;
    KeepInside(length);
}

int TSeriesRange::ThumbPosition(int64_t length) const
{
    const int64_t room = length - Width();
    if (length <= 0 || room <= 0)
        return 0;
    return int(std::clamp(double(ThumbScale) / double(room) * double(First) + 0.5, 0.0, double(ThumbScale)));
}

int TSeriesRange::PageStep(int64_t length) const
{
    if (length <= 0)
        return 0;
    return int(std::clamp<int64_t>(Width() / 2 * ThumbScale / length, 0, ThumbScale));
}

int64_t TSeriesRange::ScrollLimit(int64_t length) const
{
    return length > Width() ? length - Width() : 0;
}
