#include "views/TSurfaceScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/DisplaySettingsStruct.h"
#include "views/TLineSource.h"

namespace {

constexpr int MostAmplitudeTicks = 4096;

double LinearStep(double span)
{
    static const struct { double Bound, Step; } Table[] = {
        {0.0001, 0.00001}, {0.001, 0.0001}, {0.01, 0.001}, {0.1, 0.01}, {1, 0.1}, {10, 1}, {100, 10}, {1000, 100}};
    for (const auto& row : Table)
        if (span <= row.Bound)
            return row.Step;
    return 1000.0;
}

double DecibelStep(double span)
{
    static const struct { double Bound, Step; } Table[] = {
        {0.11, 0.01}, {1.01, 0.1}, {2.01, 0.2}, {5.01, 0.5}, {10.01, 1}, {20.01, 2}, {50.01, 5}};
    for (const auto& row : Table)
        if (span <= row.Bound)
            return row.Step;
    return 10.0;
}

const char* LinearFormat(double step)
{
    if (step < 0.0001) return "%3.1e";
    if (step < 0.001) return "%1.4f";
    if (step < 0.01) return "%1.3f";
    if (step < 0.1) return "%1.2f";
    if (step == 10.0) return "%3.2f";
    if (step == 100.0) return "%3.1f";
    if (step >= 1000.0) return "%3.0f";
    return "%3.2f";
}

}  // namespace

void TSurfaceScale::Range(const TLineSource& source, double& lo, double& hi) const
{
    const double low = source.LowFrequency();
    const double high = source.HighFrequency();
    lo = std::max<double>(StartFreq, low);
    hi = std::min<double>(StopFreq, high);
    if (UseFullSpan || !(lo < hi)) {
        lo = low;
        hi = high;
    }
}

int TSurfaceScale::ColumnCountFor(int width, int height) const
{
    return std::max(width - std::max(height, 0) / LinesPerStep, 0);
}

void TSurfaceScale::BuildColumns(int width, int height, const TLineSource& source)
{
    double lo, hi;
    Range(source, lo, hi);
    Columns = TFrequencyAxis::BuildColumns(
        ColumnCountFor(width, height), lo, hi, FreqScaleType != DisplaySettingsStruct::LinearFrequency,
        [&](double f) { return source.IndexOf(static_cast<float>(f)); }, source.HighIndex());
}

void TSurfaceScale::BuildFrequencyTicks(int width, const TLineSource& source)
{
    double lo, hi;
    Range(source, lo, hi);
    FreqTicks = TFrequencyAxis::BuildLabels(Columns, width, lo, hi,
                                            FreqScaleType != DisplaySettingsStruct::LinearFrequency);
    TFrequencyAxis::Thin(FreqTicks, 30, true);
}

void TSurfaceScale::BuildAmplitudeTicks(int height)
{
    AmpTicks.clear();
    const bool decibels = AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    const double span = decibels ? PlotRange : PlotTop;
    if (!(span > 0.0) || !std::isfinite(span) || !std::isfinite(PlotTop))
        return;
    const double step = decibels ? DecibelStep(span) : LinearStep(span);
    // A top of 0.00005 as a float is a hair below five steps: the bottom tick counts still.
    const int capacity = static_cast<int>(std::min(span / step + 1.0 + 1e-6, double(MostAmplitudeTicks)));
    const char* format = decibels ? "%3.1f" : LinearFormat(step);
    // Values from the tick number, so that many small steps do not drift.
    const double bottom = PlotTop - span - step * 1e-6;
    for (int i = 0; i < capacity; ++i) {
        const double v = PlotTop - i * step;
        if (v < bottom)
            break;
        TAxisLabel tick{};
        tick.Position = static_cast<int32_t>(i * step * height / span);
        TFrequencyAxis::SetText(tick, format, v);
        AmpTicks.push_back(tick);
    }
}

int TSurfaceScale::HeightOf(float value, int scale) const
{
    double h;
    if (AmpScaleType == DisplaySettingsStruct::DecibelAmplitude)
        h = scale * (double(value) - PlotTop + PlotRange) / PlotRange;
    else
        h = scale * double(value) / (PlotTop > 0.0f ? PlotTop : 1.0);
    if (!(h > 0.0))
        return 0;   // below the base, and NaN
    return h >= scale ? scale : static_cast<int>(h);
}

std::vector<TCurvePoint> TSurfaceScale::BuildOutline(const TLineSource& source, int height, bool everyColumn) const
{
    std::vector<TCurvePoint> points;
    const int scale = HeightScale(height);
    const int count = static_cast<int>(Columns.size());
    if (scale <= 0 || count <= 0)
        return points;
    points.reserve(2 * size_t(count) + 3);
    const bool bands = FreqScaleType == DisplaySettingsStruct::OctaveBands;
    const int base = height - 1;
    points.push_back({0, height + 1});
    int previousBin = -1;
    int previousColumn = 0;
    int previousHeight = 0;
    for (int j = 0; j + 1 < count; ++j) {
        const int bin = static_cast<int>(Columns[j].Bin);
        if (!everyColumn && previousBin >= 0 && bin == previousBin)
            continue;
        const int h = HeightOf(source.RangeMaxValue(previousBin, bin), scale);
        if (previousBin < 0)
            previousHeight = h;
        if (bands) {
            points.push_back({j, base - previousHeight});
            points.push_back({j, base - h});
        } else {
            const int run = j - previousColumn;
            points.push_back({j - run / 2, base - previousHeight});
        }
        previousHeight = h;
        previousBin = bin;
        previousColumn = j;
    }
    points.push_back({points.back().x, height + 1});
    points.push_back({0, height + 1});
    return points;
}

void TSurfaceScale::PaintByHeight(const std::vector<TCurvePoint>& outline, int height, int scale, int count,
                                  const std::function<bool(int x, int y)>& isPen,
                                  const std::function<void(int x, int y, int index)>& paint)
{
    if (scale <= 0 || count <= 0 || outline.size() < 2)
        return;
    const double factor = double(count) / scale;
    auto indexAt = [&](int y) { return std::clamp(static_cast<int>((height - y) * factor), 0, count - 1); };
    for (size_t v = 0; v + 2 < outline.size(); ++v) {
        const int x = outline[v].x;
        for (int y = std::max(outline[v].y, 0); y < height && isPen(x, y); ++y)
            paint(x, y, indexAt(y));
        for (int y = std::min(outline[v].y - 1, height - 1); y >= 0 && isPen(x, y); --y)
            paint(x, y, indexAt(y));
    }
}

uint32_t TSurfaceScale::ProbeColour(int y, int height, uint32_t background, bool probe,
                                    const std::function<uint32_t(int y)>& pixelAt)
{
    uint32_t colour = pixelAt(y);
    if (colour != background || !probe)
        return colour;
    for (int offset : {4, 3, -3, -4, 2, -2, 1, -1}) {
        const int row = y + offset;
        if (row < 0 || row >= height)
            continue;
        const uint32_t c = pixelAt(row);
        if (c != background)
            colour = c;
    }
    return colour;
}

int TSurfaceScale::BandOfColour(uint32_t colour, const uint32_t* colours, int count,
                                const std::function<uint32_t(uint32_t)>& nearest)
{
    const uint32_t shown = nearest(colour);
    for (int i = 0; i < count; ++i)
        if (nearest(colours[i]) == shown)
            return i;
    return 0;
}

float TSurfaceScale::LevelOfIndex(int index, int count) const
{
    if (count <= 0)
        return NoLevel;
    if (AmpScaleType == DisplaySettingsStruct::DecibelAmplitude)
        return float(double(index) * PlotRange / count + PlotTop - PlotRange);
    if (AmpScaleType == DisplaySettingsStruct::LinearAmplitude)
        return float(double(index) * PlotTop / count);
    return -999.0f;
}

int TSurfaceScale::HeightOfLevel(float level, int paneHeight) const
{
    const int largest = HeightScale(paneHeight);
    if (largest < 1)
        return 0;
    return HeightOf(level, largest);
}

int TSurfaceScale::FrontColumn(int x, int y, int left, int bottom, int height) const
{
    return height / LinesPerStep + x - (bottom - y) / LinesPerStep - left;
}

int TSurfaceScale::RecordAtRow(int y, int bottom, int height, int count)
{
    if (count <= 0)
        return 0;
    return std::clamp((bottom - 1 - y) - height, 0, count - 1);
}

TCurvePoint TSurfaceScale::LevelMark(float level, const TPaneRect& graph) const
{
    const double floor = AmpScaleType == DisplaySettingsStruct::DecibelAmplitude ? PlotTop - PlotRange : 0.0;
    const double span = PlotTop - floor;
    if (!(span > 0.0))
        return {graph.right, graph.top};
    const double l = std::clamp<double>(level, floor, PlotTop);
    return {graph.right + 19, graph.bottom - static_cast<int>(graph.Height() * (l - floor) / span)};
}

TSurfaceScale::BarText TSurfaceScale::ReadoutText(int band, int count)
{
    if (band >= count - 1)
        return BarText::Over;
    return band <= 0 ? BarText::Under : BarText::Value;
}

bool TSurfaceScale::Autoscale(float largest, float smallest, float& top, float& range) const
{
    const bool decibels = AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    double hi = largest, lo = smallest;
    double newTop, bottom;
    if (decibels) {
        hi = std::min(hi, 300.0);
        lo = std::max(lo, -300.0);
        const double span = hi - lo;
        if (!(span > 0.000001))
            return false;
        double step = 10.0;
        if (span > 10.0 && span <= 20.0) step = 5.0;
        else if (span > 1.0 && span <= 10.0) step = 1.0;
        else if (span > 0.1 && span <= 1.0) step = 0.1;
        else if (span <= 0.1) step = 0.01;
        newTop = std::trunc(hi / step) * step;
        bottom = std::trunc(lo / step) * step;
        if (hi > 0.0) newTop += step;
        if (lo < 0.0) bottom -= step;
        if (span < step / 4.0) {
            newTop += 4.0 * step;
            bottom += 4.0 * step;
        }
    } else {
        hi = std::min(hi, 1e9);
        lo = std::max(lo, 0.0);
        if (!(hi - lo > 0.000001))
            return false;
        const double unit = hi > 1e-8 ? std::pow(10.0, std::trunc(std::log10(hi))) : 1.0;
        newTop = std::trunc(hi / unit + 1.0) * unit;
        if (newTop <= 0.0000001)
            newTop = 1.0;
        bottom = double(PlotTop) - PlotRange;
    }
    double newRange = newTop - bottom;
    if (decibels) {
        if (newRange > 60.0) newRange -= 20.0;
        newTop = std::clamp(newTop, -300.0, 300.0);
        newRange = std::min(newRange, 100.0);
        if (newRange < 1.0) newRange = 10.0;
    }
    const bool changed = float(newTop) != PlotTop || (decibels && float(newRange) != PlotRange);
    if (!changed)
        return false;
    top = float(newTop);
    if (decibels)
        range = float(newRange);
    return true;
}

void TSurfaceScale::TopFieldStep(float value, float& step, int& decimals)
{
    static const struct { double Bound, Step; int Decimals; } Table[] = {
        {0.0001, 0.00001, 7}, {0.0011, 0.0001, 7}, {0.011, 0.001, 6}, {0.11, 0.01, 5},
        {1.1, 0.1, 4},        {11, 1, 3},           {110, 10, 2},       {1100, 100, 1}};
    for (const auto& row : Table)
        if (value <= row.Bound) {
            step = float(row.Step);
            decimals = row.Decimals;
            return;
        }
    step = 1000.0f;
    decimals = 1;
}

std::string TSurfaceScale::CursorText(float frequency, float time, float level, bool withLevel)
{
    // Three values of at most 48 characters each in "%5.4f".
    char text[192];
    if (withLevel)
        std::snprintf(text, sizeof text, "Freq=\t%5.4f\r\nTime=\t%5.4f\r\nAmp=\t%5.4f\r\n", double(frequency),
                      double(time), double(level));
    else
        std::snprintf(text, sizeof text, "Freq=\t%5.4f\r\nTime=\t%5.4f\r\n", double(frequency), double(time));
    return text;
}
