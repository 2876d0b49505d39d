#include "views/TSeriesScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/CalibrationStruct.h"
#include "views/TAmplitudeSteps.h"
#include "views/TSeriesReader.h"

namespace {

struct TStepRow {
    double Bound;
    double Step;
};

// The first row whose bound the span does not exceed; past the table, last.
double StepFor(const TStepRow* rows, size_t count, double span, double last)
{
    for (size_t i = 0; i < count; ++i)
        if (span <= rows[i].Bound)
            return rows[i].Step;
    return last;
}

double TimeStep(double span)
{
    static const TStepRow Rows[] = {
        {0.00001, 0.000001}, {0.0001, 0.00001}, {0.001, 0.0001}, {0.002, 0.0005}, {0.01, 0.001},
        {0.02, 0.005},       {0.1, 0.01},       {0.2, 0.05},     {1, 0.1},        {2, 0.5},
        {10, 1},             {20, 5},           {100, 10},       {200, 50},       {1000, 100},
        {2000, 500},         {10000, 1000},     {20000, 5000},   {100000, 10000}, {1000000, 100000},
        {10000000, 1000000}};
    return StepFor(Rows, std::size(Rows), span, 10000000);
}

double LinearStep(double span)
{
    static const TStepRow Rows[] = {
        {0.000001, 0.0000001}, {0.000005, 0.0000005}, {0.00001, 0.000001}, {0.00005, 0.000005},
        {0.0001, 0.00001},     {0.0005, 0.00005},     {0.001, 0.0001},     {0.005, 0.0005},
        {0.01, 0.001},         {0.05, 0.005},         {0.1, 0.01},         {0.5, 0.05},
        {1, 0.1},              {5, 0.5},              {10, 1},             {50, 5},
        {100, 10},             {500, 50},             {1000, 100},         {10000, 1000},
        {100000, 10000},       {1000000, 100000},     {10000000, 1000000}};
    return StepFor(Rows, std::size(Rows), span, 10000000);
}

TAxisLabel Label(int position, const char* format, double value)
{
    TAxisLabel label{position, {}};
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, value);
    std::memcpy(label.Text, text, size_t(std::clamp(length, 0, int(sizeof label.Text) - 1)));
    return label;
}

// Ticks are counted out from a whole multiple of the step, so long runs of
// small steps do not drift; at least 10 are allowed.
int TickCapacity(double span, double step)
{
    return std::max(int(span / step + 1.0), 10);
}

// Truncation towards zero of a value that may lie far outside int's range.
int ClampToInt(double v)
{
    if (!(v == v))
        return 0;
    return int(std::clamp(v, -1e9, 1e9));
}

int ClampHeight(double y, int h)
{
    return std::clamp(ClampToInt(y), 1, std::max(h - 1, 1));
}

}  // namespace

bool TSeriesScale::IsCalibrated(uint16_t channel) const
{
    const CalibrationChannel* c = Calibration[channel ? 1 : 0];
    return c && c->IsEnabled;
}

double TSeriesScale::Factor(uint16_t channel) const
{
    return IsCalibrated(channel) ? 1.0 : 100.0;
}

double TSeriesScale::AxisValue(float sample, uint16_t channel) const
{
    return sample * Factor(channel);
}

double TSeriesScale::Level(float sample, uint16_t channel) const
{
    return LevelToDisplayUnits(IsCalibrated(channel) ? Calibration[channel ? 1 : 0] : nullptr, std::fabs(sample));
}

int TSeriesScale::Height(double value, int h) const
{
    if (AmpScaleType == DecibelAxis)
        return ClampHeight(h * (value - PlotTop + PlotRange) / PlotRange, h);
    if (DdeLink)
        return ClampHeight(h * value / PlotTop, h);
    return LinearHeight(value, h);
}

int TSeriesScale::LinearHeight(double value, int h) const
{
    return ClampHeight(h * value * 0.5 / PlotTop + h / 2, h);
}

void TSeriesScale::BuildColumns(int width, float t0, float t1, const TSeriesReader& clock)
{
    Columns.clear();
    if (width <= 0)
        return;
    Columns.resize(size_t(width));
    const double span = double(t1) - double(t0);
    for (int i = 0; i < width; ++i) {
        const float t = float(t0 + i * span / width);
        Columns[size_t(i)] = {clock.TimeToFrame(t), t};
    }
}

float TSeriesScale::OffsetToTime(int offset) const
{
    if (Columns.empty())
        return 0.0f;
    if (offset < 1)
        return Columns.front().Time;
    if (size_t(offset) < Columns.size())
        return Columns[size_t(offset)].Time;
    return Columns.back().Time;
}

int TSeriesScale::TimeToColumn(float t) const
{
    if (Columns.size() < 2)
        return NoColumn;
    const auto after = std::upper_bound(Columns.begin(), Columns.end(), t,
                                        [](float v, const TSeriesColumn& c) { return v < c.Time; });
    const ptrdiff_t i = (after - Columns.begin()) - 1;
    if (i < 0 || i > ptrdiff_t(Columns.size()) - 2)
        return NoColumn;
    return int(i);
}

void TSeriesScale::BuildTimeTicks(float t0, float t1, bool blockTimes, bool xy, int graphWidth)
{
    TimeTicks.clear();
    if (xy) {
        TimeTicks = {Label(0, "%3.1f", -PlotTop), Label(graphWidth / 2, "%3.1f", 0.0),
                     Label(graphWidth, "%3.1f", PlotTop)};
        return;
    }
    const double span = double(t1) - double(t0);
    const double step = TimeStep(span);
    const int capacity = TickCapacity(span, step);
    const int spacing = TimeLabelSpacing;
    const bool milliseconds = blockTimes && span < 2.0;
    int lastLabelled = NoColumn;
    const double firstTick = std::trunc(double(t0) / step);
    // Past capacity + 2 steps t has left t0 .. t1 whatever the rounding.
    for (int k = 0; k <= capacity + 2 && int(TimeTicks.size()) < capacity; ++k) {
        const double t = (firstTick + k) * step;
        if (t > double(t1))
            break;
        if (t < double(t0))
            continue;
        const int x = TimeToColumn(float(t));
        if (x < 0)
            continue;
        TAxisLabel tick = Label(x, "%3.3f", milliseconds ? t * 1000.0 : t);
        if (x > lastLabelled + spacing)
            lastLabelled = x;
        else
            tick.Text[0] = '\0';
        TimeTicks.push_back(tick);
    }
}

void TSeriesScale::BuildAmplitudeTicks(int height, bool xy, int graphHeight)
{
    AmplitudeTicks.clear();
    if (xy) {
        AmplitudeTicks = {Label(0, "%3.1f", PlotTop), Label(graphHeight / 2, "%3.1f", 0.0),
                          Label(graphHeight, "%3.1f", -PlotTop)};
        return;
    }
    const double top = PlotTop;
    const double span = DdeLink ? top : AmpScaleType == DecibelAxis ? PlotRange : 2.0 * top;
    if (!(span > 0.0))
        return;
    const bool decibels = AmpScaleType == DecibelAxis && !DdeLink;
    const double step = decibels ? TAmplitudeSteps::Decibel(span) : LinearStep(span);
    const char* format = decibels ? "%3.1f" : TAmplitudeSteps::LinearFormat(step);
    const int capacity = TickCapacity(span, step);
    const double pixelsPerUnit = height / span;
    // The first tick is the step's multiple at or below the top (also for a
    // negative top); a millionth of a step of tolerance keeps the top and
    // bottom ticks that a float top would round away.
    const double firstTick = std::floor(top / step + 1e-6);
    const double bottom = top - span - step * 1e-6;
    for (int k = 0; k < capacity; ++k) {
        const double v = (firstTick - k) * step;
        if (v < bottom)
            break;
        AmplitudeTicks.push_back(Label(ClampToInt((top - v) * pixelsPerUnit), format, v));
    }
    const int spacing = AmplitudeLabelSpacing;
    int lastKept = NoColumn;
    for (TAxisLabel& tick : AmplitudeTicks) {
        if (tick.Position < lastKept + spacing)
            tick.Text[0] = '\0';
        else
            lastKept = tick.Position;
    }
}

TReadout TSeriesScale::XYCursorX(int x, int left, int right) const
{
    const int w = right - left;
    if (w <= 0)
        return {0.0f, 4};
    const int h = w / 2;
    const float value = float(-2.0 * PlotTop * (right - 1 - x - h) / w);
    if (DdeLink)
        return {value, 2};
    return {value, std::fabs(value) >= 0.01f ? 4 : 100};
}

TReadout TSeriesScale::CursorY(int y, int top, int bottom) const
{
    const int h = bottom - top;
    if (h <= 0)
        return {0.0f, 3};
    if (AmpScaleType == LinearAxis) {
        if (DdeLink)
            return {float(double(bottom - 1 - y) * PlotTop / h), 3};
        const float value = float(2.0 * PlotTop * (bottom - 1 - y - h / 2) / h);
        return {value, std::fabs(value) >= 0.01f ? 3 : 100};
    }
    if (AmpScaleType == DecibelAxis)
        return {float(double(bottom - y) * PlotRange / h + (PlotTop - PlotRange)), 3};
    return {0.0f, 3};
}

int TSeriesScale::SampleRow(float sample, uint16_t channel, int top, int bottom) const
{
    const int h = bottom - top;
    int y;
    if (AmpScaleType == DecibelAxis) {
        const double level = Level(sample, channel);
        const double floor = double(PlotTop) - PlotRange;
        int above;
        if (level < floor)
            above = 0;
        else if (level >= PlotTop)
            above = h;
        else
            above = ClampToInt(h * (level - PlotTop + PlotRange) / PlotRange);
        y = bottom - above;
    } else {
        y = ClampToInt(bottom - 1 - h / 2 - AxisValue(sample, channel) * h / (2.0 * PlotTop));
    }
    return std::clamp(y, top, std::max(top, bottom));
}

TPlotTopSpin TSeriesScale::PlotTopSpin(uint16_t ampScaleType, double value)
{
    if (ampScaleType == DecibelAxis)
        return {5.0f, 0, 400.0f, -400.0f};
    static const TStepRow Rows[] = {
        {0.0001, 0.00001}, {0.0011, 0.0001}, {0.011, 0.001},     {0.11, 0.01},         {1.1, 0.1},
        {11, 1},           {110, 10},        {1100, 100},        {11000, 1000},        {110000, 10000},
        {1100000, 100000}, {11000000, 1000000}, {110000000, 10000000}};
    const double step = StepFor(Rows, std::size(Rows), value, 100000000);
    const int decimals = std::max(3 - int(std::lround(std::log10(step))), 0);
    return {float(step), decimals, 10000000.0f, 0.0000001f};
}
