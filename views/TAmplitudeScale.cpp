#include "views/TAmplitudeScale.h"

#include <algorithm>
#include <cmath>

#include "engine/DisplaySettingsStruct.h"
#include "views/TAmplitudeSteps.h"

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

}  // namespace

void TAmplitudeScale::BuildAmplitudeTicks(int height)
{
    AmpTicks.clear();
    const bool decibels = AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    const double span = decibels ? PlotRange : PlotTop;
    if (!(span > 0.0) || !std::isfinite(span) || !std::isfinite(PlotTop))
        return;
    const double step = decibels ? TAmplitudeSteps::Decibel(span) : LinearStep(span);
    // A top of 0.00005 as a float is a hair below five steps: the bottom tick counts still.
    const int capacity = static_cast<int>(std::min(span / step + 1.0 + 1e-6, double(MostAmplitudeTicks)));
    const char* format = decibels ? "%3.1f" : TAmplitudeSteps::LinearFormat(step);
    // Values from the tick number, so that many small steps do not drift.
    const double bottom = PlotTop - span - step * 1e-6;
    for (int i = 0; i < capacity; ++i) {
        const double v = PlotTop - i * step;
        if (v < bottom)
            break;
        TAxisLabel tick{};
        tick.Position = static_cast<int32_t>(i * step * height / span);
        TFrequencyAxis::SetText(tick, format, std::fabs(v) < step * 1e-6 ? 0.0 : v);
        AmpTicks.push_back(tick);
    }
}

int TAmplitudeScale::IndexOfLevel(float level, int count) const
{
    if (count <= 0)
        return 0;
    double x;
    if (AmpScaleType == DisplaySettingsStruct::DecibelAmplitude) {
        if (!(PlotRange > 0.0f))
            return level >= PlotTop ? count - 1 : 0;
        x = count * (double(level) - PlotTop + PlotRange) / PlotRange;
    } else {
        x = count * double(level) / (PlotTop > 0.0f ? PlotTop : 1.0);
    }
    if (!(x >= 0.0))
        return 0;   // below the scale, and NaN
    return int(std::min(std::trunc(x), double(count - 1)));
}

float TAmplitudeScale::LevelOfIndex(int index, int count) const
{
    if (count <= 0)
        return -999.9f;
    if (AmpScaleType == DisplaySettingsStruct::DecibelAmplitude)
        return float(double(index) * PlotRange / count + PlotTop - PlotRange);
    if (AmpScaleType == DisplaySettingsStruct::LinearAmplitude)
        return float(double(index) * PlotTop / count);
    return -999.0f;
}

int TAmplitudeScale::BandOfColour(uint32_t colour, const uint32_t* colours, int count,
                                  const std::function<uint32_t(uint32_t)>& nearest)
{
    const uint32_t shown = nearest(colour);
    for (int i = 0; i < count; ++i)
        if (nearest(colours[i]) == shown)
            return i;
    return 0;
}

TCurvePoint TAmplitudeScale::LevelMark(float level, const TPaneRect& graph) const
{
    const double floor = AmpScaleType == DisplaySettingsStruct::DecibelAmplitude ? PlotTop - PlotRange : 0.0;
    const double span = PlotTop - floor;
    if (!(span > 0.0))
        return {graph.right, graph.top};
    // A level that is no number stands at the bottom.
    const double l = level == level ? std::clamp<double>(level, floor, PlotTop) : floor;
    return {graph.right + 19, graph.bottom - static_cast<int>(graph.Height() * (l - floor) / span)};
}

bool TAmplitudeScale::Autoscale(float largest, float smallest, float& top, float& range) const
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

void TAmplitudeScale::TopFieldStep(float value, float& step, int& decimals)
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

TPlotTopSpin TAmplitudeScale::TopSpin(uint16_t ampScaleType, float value)
{
    if (ampScaleType != DisplaySettingsStruct::LinearAmplitude)
        return {5.0f, 0, 300.0f, -300.0f};
    TPlotTopSpin spin{0.0f, 0, 1000.0f, 0.00001f};
    TopFieldStep(value, spin.Step, spin.Decimals);
    return spin;
}
