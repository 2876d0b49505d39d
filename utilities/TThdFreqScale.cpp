#include "utilities/TThdFreqScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr uint16_t LinearScale = 0;

std::string Format(const char* format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string FrequencyLabel(double f, double span)
{
    if (f == 0.0) return "0.0";
    const bool kilo = f >= 1000.0;
    const char* format = span < 10.0    ? (kilo ? "%1.3fk" : "%1.3f")
                         : span < 100.0 ? (kilo ? "%1.2fk" : "%1.2f")
                                        : (kilo ? "%1.1fk" : "%1.0f");
    return Format(format, kilo ? f * 0.001 : f);
}

std::string AmplitudeLabel(double v)
{
    const char* format = v >= 1.0      ? "%6.0f"
                         : v >= 0.1    ? "%6.1f"
                         : v >= 0.01   ? "%6.2f"
                         : v >= 0.001  ? "%6.3f"
                         : v >= 0.0001 ? "%6.4f"
                                       : "%6.5f";
    return Format(format, v);
}

// The decade of f for the logarithmic walk: 1 below 10, 10 below 100 ...
double DecadeStep(double f)
{
    double step = 1.0;
    while (f >= step * 10.0 && step < 100000.0) step *= 10.0;
    return step;
}

// The first of the steps that divides the span at least four times.
double LinearStep(double span)
{
    static constexpr double steps[] = {10000, 5000, 1000, 500, 200, 100, 50, 20, 10, 5, 2, 1};
    for (double s : steps)
        if (span / s >= 4.0) return s;
    return 1.0;
}

double AmplitudeDecade(double v)
{
    v *= 1.00001;
    if (v >= 1e6) return 10000.0;
    double step = 1e-7;
    while (v >= step * 10.0) step *= 10.0;
    return step;
}

double LinearAmplitudeStep(double d)
{
    static constexpr struct {
        double Below, Step;
    } steps[] = {{0.011, 0.001}, {0.11, 0.01}, {1.01, 0.1}, {2.01, 0.2}, {5.01, 0.5},
                 {10.01, 1},     {20.01, 2},   {50.01, 5}};
    for (auto s : steps)
        if (d < s.Below) return s.Step;
    return 10.0;
}

// From the last tick down, a label stays only at least gap pixels from the
// last one kept.
void ThinLabels(std::vector<TThdFreqScale::TTick>& ticks, int gap)
{
    int kept = 0;
    bool any = false;
    for (auto t = ticks.rbegin(); t != ticks.rend(); ++t) {
        if (!any || kept - t->Offset >= gap) {
            kept = t->Offset;
            any = true;
        } else {
            t->Label.clear();
        }
    }
}

}  // namespace

std::vector<float> TThdFreqScale::FrequencyScale(int count, float start, float stop, uint16_t scaleType)
{
    std::vector<float> table(size_t(std::max(count, 0)));
    if (scaleType == LinearScale) {
        const double step = (double(stop) - start) / count;
        for (int i = 0; i < count; ++i) table[size_t(i)] = float(start + i * step);
        return table;
    }
    const double l0 = start > 0 ? std::log10(start) : 0.0, l1 = stop > 0 ? std::log10(stop) : 0.0;
    for (int i = 0; i < count; ++i) table[size_t(i)] = float(std::pow(10.0, l0 + i * (l1 - l0) / count));
    return table;
}

std::vector<float> TThdFreqScale::AmplitudeScale(int count, float top, float bottom, uint16_t scaleType)
{
    std::vector<float> table(size_t(std::max(count, 0)));
    if (table.empty()) return table;
    if (scaleType == LinearScale) {
        const double step = (double(top) - bottom) / count;
        for (int i = 0; i < count; ++i) table[size_t(i)] = float(bottom + i * step);
    } else {
        const double lb = bottom > 0 ? 10.0 * std::log10(bottom) : 0.0, lt = top > 0 ? 10.0 * std::log10(top) : 0.0;
        for (int i = 0; i < count; ++i) table[size_t(i)] = float(std::pow(10.0, 0.1 * (lb + i * (lt - lb) / count)));
    }
    table.front() = bottom;
    table.back() = top;
    return table;
}

int TThdFreqScale::ToPixel(const std::vector<float>& table, float value)
{
    if (table.empty()) return NoPixel;
    if (value < table.front()) return 0;
    if (value >= table.back()) return int(table.size()) - 1;
    for (size_t i = 0; i + 1 < table.size(); ++i)
        if (table[i] <= value && value < table[i + 1]) return int(i);
    return 0;
}

float TThdFreqScale::ColumnValue(const std::vector<float>& table, int x)
{
    return x >= 0 && size_t(x) < table.size() ? table[size_t(x)] : 0.0f;
}

float TThdFreqScale::RowValue(const std::vector<float>& table, int y)
{
    if (table.empty()) return 0.0f;
    return table[size_t(std::clamp(y, 0, int(table.size()) - 1))];
}

std::vector<TThdFreqScale::TTick> TThdFreqScale::FrequencyTicks(const std::vector<float>& scale, float start,
                                                                float stop, uint16_t scaleType)
{
    std::vector<TTick> ticks;
    if (scale.empty() || !(stop >= start)) return ticks;
    const double span = double(stop) - start;
    const size_t most = scale.size();
    for (int pass = scaleType == LinearScale ? 1 : 0; pass < 2; ++pass) {
        ticks.clear();
        const double linear = LinearStep(span);
        // Both walks run over multiples of their step from 0; they join at
        // the last one not above the start.
        const double first = std::max(double(start), 0.0), step = pass == 0 ? DecadeStep(first) : linear;
        for (double f = std::floor(first / step) * step; f <= stop && ticks.size() < most;
             f += pass == 0 ? DecadeStep(f) : linear) {
            if (f < start) continue;
            const int x = ToPixel(scale, float(f));
            if (x >= 0) ticks.push_back({x, FrequencyLabel(f, span)});
        }
        if (pass == 1 || ticks.size() >= 4) break;
    }
    ThinLabels(ticks, FrequencyLabelGap);
    return ticks;
}

std::vector<TThdFreqScale::TTick> TThdFreqScale::AmplitudeTicks(const std::vector<float>& scale, float top,
                                                                float bottom, uint16_t scaleType)
{
    std::vector<TTick> ticks;
    if (scale.empty() || !(top > bottom)) return ticks;
    const double d = double(top) - bottom;
    for (double v = bottom; ticks.size() < scale.size();) {
        const int y = ToPixel(scale, float(v));
        if (y >= 0) ticks.push_back({y, AmplitudeLabel(v)});
        if (v >= top) break;
        v += scaleType == LinearScale ? LinearAmplitudeStep(d) : AmplitudeDecade(v);
        if (v >= top) v = top;
    }
    ThinLabels(ticks, AmplitudeLabelGap);
    return ticks;
}
