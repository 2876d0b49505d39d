#pragma once
#include <cstdint>

// The time series view's visible range: the first and last frame shown
// across the graph area and the zoom and scroll steps that move it. Frames
// are signed 64-bit so that no step can wrap: every step that would leave
// the data keeps the range inside 0 .. length with its width.
class TSeriesRange {
public:
    // The scroll bar's notification codes (those of the platform).
    enum ScrollCode { LineLeft = 0, LineRight = 1, PageLeft = 2, PageRight = 3, Thumb = 4 };
    // The scroll bar of the wave data and the strip chart runs over 0 .. ThumbScale.
    static constexpr int ThumbScale = 10000;
    // Zoom boxes and zoom-in steps stop at this width in frames.
    static constexpr int64_t NarrowestZoom = 20;

    int64_t First = 0;
    int64_t Last = 100;

    int64_t Width() const { return Last - First; }
    bool ShowsAll(int64_t length) const { return First == 0 && Last == length; }

    // The range check of every layout: a range past the data, empty or
    // reversed shows the whole data (length is the index of the last frame);
    // a range wider than widest is cut to that width around its centre.
    void Fit(int64_t length, int64_t widest);
    // Moves the range into 0 .. length keeping its width, cutting it only
    // when it is wider than the data.
    void KeepInside(int64_t length);

    // The zoom-in box from first to last frame; false (range unchanged) when
    // it is narrower than NarrowestZoom.
    bool ZoomTo(int64_t first, int64_t last);
    // Half as wide around the same centre; nothing below NarrowestZoom frames.
    void ZoomIn2x();
    // Wider around the same centre: widest when that is under twice the
    // width, else half as wide again (1.5 times).
    void ZoomOut2x(int64_t widest, int64_t length);
    // The whole data, or widest frames around the centre when the data are
    // longer than that.
    void ZoomFull(int64_t widest, int64_t length);

    // A scroll-bar step: a tenth of the width per line, half per page, or
    // the thumb position on 0 .. ThumbScale. Other codes change nothing.
    void Scroll(int code, int thumb, int64_t length);
    // The thumb position that shows the range on 0 .. ThumbScale.
    int ThumbPosition(int64_t length) const;
    // The page step on the same scale: half the width.
    int PageStep(int64_t length) const;
    // Largest first frame that keeps the width inside the data.
    int64_t ScrollLimit(int64_t length) const;
};
