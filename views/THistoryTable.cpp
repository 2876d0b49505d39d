#include "views/THistoryTable.h"

#include <algorithm>

void THistoryTable::Resize(int count)
{
    Records.resize(static_cast<size_t>(std::max(count, 0)), THistoryRecord{});
    Filled = std::min(Filled, Count());
}

void THistoryTable::Clear()
{
    std::fill(Records.begin(), Records.end(), THistoryRecord{});
    Filled = 0;
}

void THistoryTable::Push(float time, float tag, float peak, float minimum)
{
    const int count = Count();
    for (int i = count - 1; i >= LinesPerStep; --i)
        Records[size_t(i)] = Records[size_t(i - LinesPerStep)];
    for (int k = 0; k < LinesPerStep && k < count; ++k)
        Records[size_t(k)] = {uint32_t(k), time, tag, peak, minimum};
    Filled = std::min(Filled + LinesPerStep, count);
}

void THistoryTable::PushLevels(float peak, float minimum)
{
    const int count = Count();
    for (int i = count - 1; i >= LinesPerStep; --i) {
        Records[size_t(i)].Peak = Records[size_t(i - LinesPerStep)].Peak;
        Records[size_t(i)].Minimum = Records[size_t(i - LinesPerStep)].Minimum;
    }
    for (int k = 0; k < LinesPerStep && k < count; ++k) {
        Records[size_t(k)].Peak = peak;
        Records[size_t(k)].Minimum = minimum;
    }
}

void THistoryTable::SetLine(int line, float time, float tag)
{
    const int row = LinesPerStep * line;
    if (line < 0 || row >= Count())
        return;
    for (int r = row; r < row + LinesPerStep && r < Count(); ++r) {
        Records[size_t(r)].LineIndex = uint32_t(line);
        Records[size_t(r)].Time = time;
        Records[size_t(r)].Tag = tag;
    }
    Filled = std::max(Filled, std::min(row + LinesPerStep, Count()));
}

void THistoryTable::SetLevels(int line, float peak, float minimum)
{
    const int row = LinesPerStep * line;
    if (line < 0 || row >= Count())
        return;
    for (int r = row; r < row + LinesPerStep && r < Count(); ++r) {
        Records[size_t(r)].Peak = peak;
        Records[size_t(r)].Minimum = minimum;
    }
}

void THistoryTable::ShiftTimes(float offset)
{
    for (THistoryRecord& r : Records)
        r.Time += offset;
}

int THistoryTable::LineCount() const
{
    return Count() / LinesPerStep + 1;
}

float THistoryTable::MinTime(float start) const
{
    if (Empty())
        return 0.0f;
    float smallest = start;
    for (int row = 0; row < Count(); row += LinesPerStep) {
        const float t = Records[size_t(row)].Time;
        if (t > 0.0f && t < smallest)
            smallest = t;
    }
    return smallest;
}

float THistoryTable::MaxTime() const
{
    float largest = 0.0f;
    for (int row = 0; row < Count(); row += LinesPerStep)
        largest = std::max(largest, Records[size_t(row)].Time);
    return largest;
}

int THistoryTable::FindLine(float t) const
{
    if (Empty())
        return 0;
    const int last = (Count() - 1) / LinesPerStep;
    if (last == 0)
        return 0;
    // Beyond either end, on the side away from its neighbour.
    const float first = LineTime(0), second = LineTime(1);
    if (first >= second ? t > first : t < first)
        return 0;
    const float end = LineTime(last), beforeEnd = LineTime(last - 1);
    if (beforeEnd >= end ? t < end : t > end)
        return last;
    for (int i = 0; i < last; ++i) {
        const float a = LineTime(i), b = LineTime(i + 1);
        if ((a <= t && t <= b) || (b <= t && t <= a)) {
            const float da = a > t ? a - t : t - a;
            const float db = b > t ? b - t : t - b;
            return db < da ? i + 1 : i;
        }
    }
    return 0;
}

float THistoryTable::LineValue(int line, bool tag) const
{
    if (Empty())
        return 0.0f;
    const int count = Count();
    line = std::clamp(line, 0, count - 1);
    return RowValue(std::min(line * LinesPerStep, count - 1), tag);
}

float THistoryTable::RowValue(int row, bool tag) const
{
    if (Empty())
        return 0.0f;
    const THistoryRecord& r = Records[size_t(std::clamp(row, 0, Count() - 1))];
    return tag ? r.Tag : r.Time;
}

bool THistoryTable::LevelSpan(float& largest, float& smallest) const
{
    largest = -999.9f;
    smallest = 999.9f;
    bool any = false;
    for (const THistoryRecord& r : Records) {
        if (r.Time == 0.0f && r.Peak == 0.0f && r.Minimum == 0.0f)
            continue;
        largest = std::max(largest, r.Peak);
        smallest = std::min(smallest, r.Minimum);
        any = true;
    }
    return any;
}
