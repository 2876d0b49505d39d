#include "views/TSpectrogramScale.h"

#include <algorithm>

#include "engine/DisplaySettingsStruct.h"
#include "views/TLineSource.h"

TFrequencyBand TSpectrogramScale::DisplayedBand(bool useFullSpan, float start, float stop, float dataLow,
                                                float dataHigh)
{
    if (useFullSpan)
        return {dataLow, dataHigh};
    const float lo = std::max(start, dataLow);
    const float hi = std::min(stop, dataHigh);
    if (!(lo < hi))
        return {dataLow, dataHigh};
    return {lo, hi};
}

void TSpectrogramScale::BuildColumns(int count, TFrequencyBand band, uint16_t freqScaleType,
                                     const TLineSource& source)
{
    const bool logarithmic = freqScaleType != DisplaySettingsStruct::LinearFrequency;
    Columns = TFrequencyAxis::BuildColumns(
        count, band.Low, band.High, logarithmic, [&](double f) { return source.IndexOf(float(f)); }, source.HighIndex());
}

void TSpectrogramScale::BuildFrequencyTicks(int capacity, TFrequencyBand band, uint16_t freqScaleType, int spacing)
{
    const bool logarithmic = freqScaleType != DisplaySettingsStruct::LinearFrequency;
    FrequencyTicks = TFrequencyAxis::BuildLabels(Columns, capacity, band.Low, band.High, logarithmic);
    TFrequencyAxis::Thin(FrequencyTicks, spacing, true);
}

TTimeDivision TSpectrogramScale::TimeDivision(float span)
{
    static const struct {
        float Limit;
        TTimeDivision Division;
    } Table[] = {{0.02f, {0.001f, " (1 msec/div)"}},  {0.2f, {0.01f, " (10 msec/div)"}},
                 {2.0f, {0.1f, " (100 msec/div)"}}, {20.0f, {1.0f, " (1 sec/div)"}},
                 {200.0f, {10.0f, " (10 sec/div)"}}, {2000.0f, {100.0f, " (100 sec/div)"}}};
    for (const auto& row : Table)
        if (span <= row.Limit)
            return row.Division;
    return {1.0f, " (1 sec/div)"};
}

void TSpectrogramScale::ColumnIndices(const TLineSource& source, int colourCount, std::vector<int>& indices) const
{
    indices.resize(Columns.size());
    int previousBin = -1;
    int index = 0;
    for (size_t p = 0; p < Columns.size(); ++p) {
        const int bin = int(Columns[p].Bin);
        if (p == 0 || bin != previousBin)
            index = IndexOfLevel(source.RangeMaxValue(p == 0 ? -1 : previousBin, bin), colourCount);
        indices[p] = index;
        previousBin = bin;
    }
}
