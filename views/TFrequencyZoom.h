#pragma once

// The visible part of a spectral view's indexes (bins or bands) and the
// steps that change it: zoom in by halves, out by halves, to the whole data,
// to a dragged band, and the horizontal scroll bar over it. Its positions
// count from the data's low index, so that the bar reaches both ends of the
// data whatever that index is and scrolling never changes the visible span.
struct TFrequencyZoom {
    // The data's first and last index.
    int Low = 0;
    int High = 0;
    // Zooming in stops at spans of this many indexes or fewer.
    int SmallestSpan = 3;

    // Each step answers whether it changed start..end; when it did not, both stay.
    bool ZoomIn(int& start, int& end) const;
    bool ZoomOut(int& start, int& end) const;
    bool ZoomFull(int& start, int& end) const;
    // A band dragged from index a to index b, in either direction.
    bool ZoomTo(int a, int b, int& start, int& end) const;

    // start..end held within the data, the whole of it when nothing is left;
    // answers whether the whole data shows.
    bool Hold(int& start, int& end) const;
    // The scroll bar: its upper end for a visible span, the position of a
    // visible start, and the range the bar shows at a position.
    int ScrollRange(int start, int end) const;
    int ScrollPosition(int start) const { return start - Low; }
    void ScrollTo(int position, int& start, int& end) const;
};
