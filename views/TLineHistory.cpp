#include "views/TLineHistory.h"

#include <algorithm>

void TLineHistory::Resize(int count)
{
    Records.resize(size_t(std::max(count, 0)), THistoryRecord{});
}

void TLineHistory::Clear()
{
    std::fill(Records.begin(), Records.end(), THistoryRecord{});
}

void TLineHistory::ScrollOneLine()
{
    if (Count() <= Step)
        return;
    std::copy_backward(Records.begin(), Records.end() - Step, Records.end());
}

void TLineHistory::WriteLine(int row, float time, float tag, float peak, float minimum)
{
    for (int k = 0; k < Step; ++k)
        if (row + k >= 0 && row + k < Count())
            Records[size_t(row + k)] = THistoryRecord{k, time, tag, peak, minimum};
}

void TLineHistory::SetLine(int line, float time, float tag)
{
    const int row = Step * line;
    if (row < 0 || row >= Count())
        return;
    for (int k = row; k < row + Step && k < Count(); ++k) {
        THistoryRecord& r = Records[size_t(k)];
        r.LineIndex = line;
        r.Time = time;
        r.Tag = tag;
    }
}

void TLineHistory::SetLevels(int row, float peak, float minimum)
{
    for (int k = std::max(row, 0); k < row + Step && k < Count(); ++k) {
        Records[size_t(k)].Peak = peak;
        Records[size_t(k)].Minimum = minimum;
    }
}

void TLineHistory::ShiftTimes(float offset)
{
    for (THistoryRecord& r : Records)
        r.Time += offset;
}

float TLineHistory::RecordTime(int row, bool tag) const
{
    if (Records.empty())
        return 0.0f;
    const THistoryRecord& r = Records[size_t(std::clamp(row, 0, Count() - 1))];
    return tag ? r.Tag : r.Time;
}

float TLineHistory::LineTime(int line, bool tag) const
{
    if (Records.empty())
        return 0.0f;
    const int clamped = std::clamp(line, 0, Count() - 1);
    // In 64 bits: a line near the int limit times the step stays clamped.
    const int row = int(std::min<int64_t>(int64_t(clamped) * Step, Count() - 1));
    return RecordTime(row, tag);
}

float TLineHistory::MinTime() const
{
    if (Records.empty())
        return 0.0f;
    float smallest = NoMinimumTime;
    for (int row = 0; row < Count(); row += Step) {
        const float t = Records[size_t(row)].Time;
        if (t > 0.0f && t < smallest)
            smallest = t;
    }
    return smallest;
}

float TLineHistory::MaxTime() const
{
    float largest = 0.0f;
    for (int row = 0; row < Count(); row += Step)
        largest = std::max(largest, Records[size_t(row)].Time);
    return largest;
}

int TLineHistory::FindLine(float time) const
{
    for (int line = 0; Step * (line + 1) < Count(); ++line) {
        const float t0 = Records[size_t(Step * line)].Time;
        const float t1 = Records[size_t(Step * (line + 1))].Time;
        if ((t0 <= time && time <= t1) || (t1 <= time && time <= t0))
            return line;
    }
    return 0;
}

void TLineHistory::LevelExtremes(float& peak, float& minimum) const
{
    peak = -999.9f;
    minimum = 999.9f;
    for (const THistoryRecord& r : Records) {
        // Records no line has reached yet hold no levels.
        if (r.LineIndex == 0 && r.Time == 0.0f && r.Tag == 0.0f && r.Peak == 0.0f && r.Minimum == 0.0f)
            continue;
        peak = std::max(peak, r.Peak);
        minimum = std::min(minimum, r.Minimum);
    }
}
