#include "views/TFrequencyAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

double LinearTickStep(double span)
{
    static const double Steps[] = {10000, 5000, 1000, 500, 200, 100, 50, 20, 10, 5, 2, 1};
    for (double step : Steps)
        if (span / step >= 4.0)
            return step;
    return 1.0;
}

// Where the walk over the axis starts: 0, or the last tick of the walk from
// 0 at or below lo, since no tick below lo gets a label. With linear steps
// the ticks are multiples of the step; otherwise they climb a decade at a
// time (see DecadeStep) to 1e6, and from there by 10000.
double FirstTick(double lo, double linearStep)
{
    if (linearStep > 0.0)
        return lo > 0.0 ? std::floor(lo / linearStep) * linearStep : 0.0;
    return lo > 1e6 ? 1e6 + std::floor((lo - 1e6) / 10000.0) * 10000.0 : 0.0;
}

double DecadeStep(double f)
{
    if (f < 10.0) return 1.0;
    if (f < 100.0) return 10.0;
    if (f < 1000.0) return 100.0;
    if (f < 10000.0) return 1000.0;
    if (f < 100000.0) return 10000.0;
    if (f < 1e6) return 100000.0;
    return 10000.0;
}

}  // namespace

std::vector<TColumnEntry> TFrequencyAxis::BuildColumns(int count, double lo, double hi, bool logarithmic,
                                                       const std::function<int(double)>& indexOf, int lastIndex)
{
    std::vector<TColumnEntry> columns;
    if (count <= 0)
        return columns;
    columns.resize(static_cast<size_t>(count));
    const int last = std::max(lastIndex, 0);
    auto index = [&](double f) { return static_cast<uint32_t>(std::clamp(indexOf(f), 0, last)); };
    if (!logarithmic) {
        for (int i = 0; i < count; ++i) {
            const double f = lo + i * (hi - lo) / count;
            columns[i] = {index(f), static_cast<float>(f)};
        }
        return columns;
    }
    const double l1 = lo > 0.0 ? std::log10(lo) : 0.0;
    const double l2 = hi > 0.0 ? std::log10(hi) : 0.0;
    for (int i = 0; i < count; ++i) {
        const double f = std::pow(10.0, l1 + i * (l2 - l1) / count);
        columns[i] = {index(f), static_cast<float>(f)};
    }
    columns[count - 1].Bin = std::min<uint32_t>(columns[count - 1].Bin + 1, static_cast<uint32_t>(last));
    return columns;
}

int TFrequencyAxis::ColumnOf(const std::vector<TColumnEntry>& columns, float frequency)
{
    const int count = static_cast<int>(columns.size());
    for (int i = 0; i < count - 1; ++i)
        if (columns[i].Frequency <= frequency && frequency <= columns[i + 1].Frequency)
            return i;
    return NoColumn;
}

float TFrequencyAxis::FrequencyAt(const std::vector<TColumnEntry>& columns, int column)
{
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return 0.0f;
    return columns[column].Frequency;
}

std::vector<TAxisLabel> TFrequencyAxis::BuildLabels(const std::vector<TColumnEntry>& columns, int width, double lo,
                                                    double hi, bool logarithmic)
{
    if (width <= 0 || columns.empty())
        return {};
    // The walk below ends when it passes hi, so it needs finite, ordered limits.
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi))
        return {};
    const double span = hi - lo;
    // No frequency above the table's highest column gets a column, so the
    // walk may end there; and a full table keeps nothing more (its last entry
    // is only overwritten, then cut off), so it ends there too.
    float top = columns.front().Frequency;
    for (const TColumnEntry& entry : columns)
        top = std::max(top, entry.Frequency);
    const int capacity = width - 1;
    std::vector<TAxisLabel> table(static_cast<size_t>(width));
    int count = 0;
    bool secondPass = false;
    double f = FirstTick(lo, logarithmic ? 0.0 : LinearTickStep(span));
    for (;;) {
        const int column = f >= lo ? ColumnOf(columns, static_cast<float>(f)) : NoColumn;
        if (column != NoColumn && count < width) {
            TAxisLabel& label = table[count];
            label.Position = column;
            const bool kilo = f >= 1000.0;
            const double shown = kilo ? f / 1000.0 : f;
            if (span < 10.0)
                SetText(label, kilo ? "%1.3fk" : "%1.3f", shown);
            else if (span < 100.0)
                SetText(label, kilo ? "%1.2fk" : "%1.2f", shown);
            else if (f == 0.0)
                SetText(label, "0.0", 0.0);
            else
                SetText(label, kilo ? "%1.1fk" : "%1.0f", shown);
            if (count < width - 1)
                ++count;
        }
        const double next = f + ((!logarithmic || secondPass) ? LinearTickStep(span) : DecadeStep(f));
        if (next > hi || static_cast<float>(next) > top || count == capacity || next == f) {
            if (logarithmic && !secondPass && count < 4) {
                secondPass = true;
                f = FirstTick(lo, LinearTickStep(span));
                count = 0;
                continue;
            }
            break;
        }
        f = next;
    }
    table.resize(static_cast<size_t>(count));
    return table;
}

void TFrequencyAxis::Thin(std::vector<TAxisLabel>& labels, int spacing, bool fromLast)
{
    if (fromLast) {
        int reference = 9999;
        for (auto it = labels.rbegin(); it != labels.rend(); ++it) {
            if (it->Position > reference - spacing)
                it->Text[0] = '\0';
            else
                reference = it->Position;
        }
        return;
    }
    int reference = -999;
    for (TAxisLabel& label : labels) {
        if (label.Position < reference + spacing)
            label.Text[0] = '\0';
        else
            reference = label.Position;
    }
}

void TFrequencyAxis::SetText(TAxisLabel& label, const char* format, double value)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, format, value);
    std::memset(label.Text, 0, sizeof label.Text);
    std::memcpy(label.Text, buffer, size_t(std::clamp(length, 0, 10)));
}
