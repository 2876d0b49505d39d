#include "views/TSeriesTrace.h"

#include <algorithm>

#include "views/TSeriesReader.h"

namespace {

// The series of a trace with the rule that joins them.
struct TPair {
    const TSeriesReader& First;
    const TSeriesReader* Second;
    TSeriesTrace::TCombine Combine;
    const TSeriesScale& Scale;

    double Join(double a, double b) const
    {
        if (!Second || Combine == TSeriesTrace::FirstOnly)
            return a;
        return Combine == TSeriesTrace::Sum ? a + b : a - b;
    }
    // The axis value (linear) or level (dB) of one sample of each series.
    double Value(float a, float b) const
    {
        const uint16_t ca = First.Channel();
        const uint16_t cb = Second ? Second->Channel() : 0;
        if (Scale.AmpScaleType == TSeriesScale::DecibelAxis)
            return Join(Scale.Level(a, ca), Second ? Scale.Level(b, cb) : 0.0);
        return Join(Scale.AxisValue(a, ca), Second ? Scale.AxisValue(b, cb) : 0.0);
    }
    float Sample(const TSeriesReader* reader, uint32_t frame) const { return reader ? reader->Sample(frame) : 0.0f; }
    double SampleValue(uint32_t frame) const { return Value(First.Sample(frame), Sample(Second, frame)); }
    // The column's maximum and minimum over frames [from, to).
    void Extremes(uint32_t from, uint32_t to, double& max, double& min) const
    {
        float maxA, minA, maxB = 0.0f, minB = 0.0f;
        First.MinMax(from, to, maxA, minA);
        if (Second)
            Second->MinMax(from, to, maxB, minB);
        max = Value(maxA, maxB);
        min = Value(minA, minB);
    }
};

TCurvePoint PointAt(const TPaneRect& pane, int column, int height)
{
    return {pane.left + column, pane.bottom - height};
}

bool FitsPane(const TSeriesScale& scale, const TPaneRect& pane, size_t capacity)
{
    const size_t width = size_t(std::max(pane.Width(), 0));
    return width > 0 && scale.Columns.size() >= width && capacity >= width;
}

// The frames a column covers: from the frame of the column before (the one
// before its own for the first) up to its own.
struct TSpan {
    uint32_t From;
    uint32_t To;
};

TSpan ColumnSpan(int64_t previous, uint32_t frame)
{
    const int64_t from = std::max<int64_t>(previous, 0);
    const int64_t n = std::max<int64_t>(int64_t(frame) - previous, 1);
    return {uint32_t(from), uint32_t(std::min<int64_t>(from + n, UINT32_MAX))};
}

}  // namespace

bool TSeriesTrace::Build(const TSeriesReader& first, const TSeriesReader* second, TCombine combine,
                         const TSeriesScale& scale, const TPaneRect& pane, size_t capacity,
                         std::vector<TCurvePoint>& points)
{
    if (!FitsPane(scale, pane, capacity))
        return false;
    points.clear();
    const TPair pair{first, second, combine, scale};
    const int width = pane.Width();
    const int h = pane.Height();
    const auto& columns = scale.Columns;
    const bool minMax = int64_t(width) < int64_t(columns[size_t(width) - 1].Frame) - int64_t(columns[0].Frame);
    int64_t previous = -1;
    for (int i = 0; i < width; ++i) {
        const uint32_t frame = columns[size_t(i)].Frame;
        if (int64_t(frame) == previous && i != 0 && i != width - 1)
            continue;
        if (i == 0)
            previous = int64_t(frame) - 1;
        if (minMax) {
            if (points.size() + 2 > capacity)
                break;
            const TSpan span = ColumnSpan(previous, frame);
            double max, min;
            pair.Extremes(span.From, span.To, max, min);
            points.push_back(PointAt(pane, i, scale.Height(max, h)));
            points.push_back(PointAt(pane, i, scale.Height(min, h)));
        } else {
            if (points.size() + 1 > capacity)
                break;
            points.push_back(PointAt(pane, i, scale.Height(pair.SampleValue(frame), h)));
        }
        previous = frame;
    }
    return true;
}

bool TSeriesTrace::Scroll(const TSeriesReader& first, const TSeriesReader* second, TCombine combine,
                          const TSeriesScale& scale, const TPaneRect& pane, size_t capacity, uint32_t inputFrame,
                          uint32_t blockLength, TStripState& state, bool keepFrame,
                          std::vector<TCurvePoint>& points)
{
    const auto& columns = scale.Columns;
    if (columns.size() < 5 || !FitsPane(scale, pane, capacity) || capacity < 2 * size_t(pane.Width()))
        return false;
    int64_t fresh = int64_t(inputFrame) - state.LastFrame;
    if (fresh > int64_t(blockLength) || fresh < 0)
        fresh = blockLength;
    if (fresh == 0)
        fresh = 1;
    const int64_t perColumn = std::max<int64_t>(int64_t(columns[1].Frame) - int64_t(columns[0].Frame), 1);
    const int64_t k = fresh / perColumn;
    const int width = pane.Width();
    if (k < StripChartMinColumns || k > width)
        return false;
    if (!keepFrame)
        state.LastFrame = inputFrame;

    const TPair pair{first, second, combine, scale};
    const int h = pane.Height();
    const size_t count = 2 * size_t(width);
    // A chart that has not moved yet starts as a flat line at zero.
    if (points.size() != count) {
        const int zero = scale.Height(scale.AmpScaleType == TSeriesScale::DecibelAxis ? scale.PlotTop - scale.PlotRange
                                                                                     : 0.0,
                                      h);
        points.assign(count, TCurvePoint{});
        for (size_t i = 0; i < count; ++i)
            points[i] = PointAt(pane, int(i / 2), zero);
    }
    const size_t shift = size_t(2 * k) >= count ? count : size_t(2 * k);
    std::move(points.begin() + ptrdiff_t(shift), points.end(), points.begin());
    for (size_t i = 0; i + shift < count; ++i)
        points[i].x -= int32_t(k);

    // The new columns show the newest frames: the end of the analysis block.
    const int64_t newFrames = std::min<int64_t>(k * perColumn, blockLength);
    const int64_t offset = int64_t(blockLength) - newFrames - int64_t(columns[0].Frame);
    int64_t previous = -1;
    for (int i = 0; i < k; ++i) {
        const int64_t frame = int64_t(columns[size_t(i)].Frame) + offset;
        if (i == 0)
            previous = frame - 1;
        const TSpan span = ColumnSpan(previous, uint32_t(std::max<int64_t>(frame, 0)));
        double max, min;
        pair.Extremes(span.From, span.To, max, min);
        const size_t at = count - 2 * size_t(k) + 2 * size_t(i);
        points[at] = {pane.right - int32_t(k) + i, pane.bottom - scale.Height(max, h)};
        points[at + 1] = {pane.right - int32_t(k) + i, pane.bottom - scale.Height(min, h)};
        previous = frame;
    }
    return true;
}

bool TSeriesTrace::BuildXY(const TSeriesReader& first, const TSeriesReader& second, uint32_t frames,
                           const TSeriesScale& scale, const TPaneRect& pane, size_t capacity,
                           std::vector<TCurvePoint>& points)
{
    if (!first.HasData() || !second.HasData() || frames > capacity)
        return false;
    points.clear();
    const int w = pane.Width();
    const int h = pane.Height();
    // Both axes run linearly from -PlotTop to PlotTop.
    for (uint32_t i = 0; i < frames; ++i) {
        const int x = scale.LinearHeight(scale.AxisValue(first.Sample(i), first.Channel()), w);
        const int y = scale.LinearHeight(scale.AxisValue(second.Sample(i), second.Channel()), h);
        points.push_back({pane.left + x, pane.bottom - y});
    }
    return true;
}

std::vector<std::pair<int, int>> TSeriesTrace::Pieces(int count, int pieceSize)
{
    std::vector<std::pair<int, int>> pieces;
    if (count <= 0 || pieceSize < 2)
        return pieces;
    int start = 0;
    for (;;) {
        const int n = std::min(pieceSize, count - start);
        pieces.emplace_back(start, n);
        if (start + n >= count)
            break;
        start += n - 1;
    }
    return pieces;
}
