#pragma once
#include <cstdint>
#include <vector>

#include "engine/TSeriesData.h"

// The points of the stereo phase scope's trace: the two channels' samples
// against each other, auto-scaled to the larger peak of the two, as device
// coordinates inside a graph rectangle.
class TPhaseScopeTrace {
public:
    enum Format : uint16_t { SoundStage = 0, LeftVersusRight = 1, RightVersusLeft = 2 };
    static constexpr uint32_t BlockFrames = 1024;
    // Below this fraction of half scale a peak counts as silence.
    static constexpr double SilentPeak = 0.001;

    struct Point {
        int32_t X;
        int32_t Y;
        bool operator==(const Point&) const = default;
    };
    struct Rect {
        int32_t Left;
        int32_t Top;
        int32_t Right;
        int32_t Bottom;
    };

    // Points a trace buffer holds for a graph pane of this width.
    static int32_t Capacity(int32_t paneWidth, uint32_t fftSize);

    // The points of left against right (equal lengths) in rect, at most
    // capacity of them; none when a block holds more samples than that.
    // maxValue is the format's largest sample value.
    static void Compute(const TSeriesData& left, const TSeriesData& right, uint16_t format, int32_t maxValue,
                        const Rect& rect, int32_t capacity, std::vector<Point>& points);
};
