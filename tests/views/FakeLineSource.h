// A spectral result for the views' scales: bins of a fixed width with
// values and phases from tables.
#pragma once
#include <algorithm>
#include <vector>

#include "views/TLineSource.h"

class FakeLineSource : public TLineSource {
public:
    FakeLineSource(double binWidth, int highIndex, std::vector<float> values = {}, std::vector<float> phases = {})
        : BinWidth(binWidth), High(highIndex), Values(std::move(values)), Phases(std::move(phases)) {}
    int IndexOf(float f) const override { return int(f / BinWidth + 0.5); }
    int LowIndex() const override { return 0; }
    int HighIndex() const override { return High; }
    float LowFrequency() const override { return 0.0f; }
    float HighFrequency() const override { return float(BinWidth * High); }
    float FrequencyOf(int index) const override { return float(BinWidth * index); }
    float Value(int index) const override { return At(Values, index); }
    float RangeMaxValue(int first, int last) const override
    {
        if (first < 0 || first == last - 1) return Value(last);
        float m = -1e9f;
        for (int i = first; i <= last; ++i) m = std::max(m, Value(i));
        return m;
    }
    float Phase(int index) const override { return At(Phases, index); }
    float LargestPeak(int first, int last) const override { return RangeMaxValue(first, last); }
    float Smallest(int first, int last) const override
    {
        float m = 1e9f;
        for (int i = first; i <= last; ++i) m = std::min(m, Value(i));
        return m;
    }

    double BinWidth;
    int High;
    std::vector<float> Values, Phases;
    // Indexes past the tables read the last entry.
    static float At(const std::vector<float>& table, int index)
    {
        if (table.empty()) return 0.0f;
        return table[size_t(std::clamp(index, 0, int(table.size()) - 1))];
    }
};
