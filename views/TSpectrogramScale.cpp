#include "views/TSpectrogramScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "views/TColourMap.h"

namespace {

void SetText(TAxisLabel& label, const char* format, double value)
{
    std::snprintf(label.Text, sizeof label.Text, format, value);
}

// Hertz as the frequency axis labels them, more decimals for narrow bands.
void FrequencyText(TAxisLabel& label, long f, float span)
{
    const bool kilo = f >= 1000;
    const double v = kilo ? f * 0.001 : double(f);
    if (span < 10)
        SetText(label, kilo ? "%1.3fk" : "%1.3f", v);
    else if (span < 100)
        SetText(label, kilo ? "%1.2fk" : "%1.2f", v);
    else if (f == 0)
        SetText(label, "0.0", 0.0);
    else
        SetText(label, kilo ? "%1.1fk" : "%1.0f", v);
}

long LinearStep(float span)
{
    for (long step : {10000L, 5000L, 1000L, 500L, 200L, 100L, 50L, 20L, 10L, 5L, 2L, 1L})
        if (span / step >= 4)
            return step;
    return 1;
}

// Ticks at 1..9, 10..90, 100..900, ...
long DecadeStep(long f)
{
    long step = 1;
    while (f >= step * 10 && step < 100000)
        step *= 10;
    return step;
}

const char* LinearAmplitudeFormat(double step)
{
    if (step < 0.0001)
        return "%3.1e";
    if (step < 0.001)
        return "%1.4f";
    if (step < 0.01)
        return "%1.3f";
    if (step < 0.1)
        return "%1.2f";
    if (step == 10.0)
        return "%3.2f";
    if (step == 100.0)
        return "%3.1f";
    if (step < 1000.0)
        return "%3.2f";
    return "%3.0f";
}

double AmplitudeStep(uint16_t ampScaleType, double span)
{
    if (ampScaleType == 1) {
        static const double Limits[][2] = {{0.11, 0.01}, {1.01, 0.1}, {2.01, 0.2}, {5.01, 0.5},
                                           {10.01, 1.0}, {20.01, 2.0}, {50.01, 5.0}};
        for (const auto& l : Limits)
            if (span <= l[0])
                return l[1];
        return 10.0;
    }
    static const double Limits[][2] = {{0.0001, 0.00001}, {0.001, 0.0001}, {0.01, 0.001}, {0.1, 0.01},
                                       {1.0, 0.1},        {10.0, 1.0},     {100.0, 10.0}, {1000.0, 100.0}};
    for (const auto& l : Limits)
        if (span <= l[0])
            return l[1];
    return 1000.0;
}

}  // namespace

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
                                     const TSpectrumSource& source)
{
    Columns.clear();
    if (count <= 0)
        return;
    Columns.resize(size_t(count));
    const double lo = band.Low, hi = band.High;
    const bool logarithmic = freqScaleType != 0;
    const double l1 = lo > 0.0 ? std::log10(lo) : 0.0;
    const double l2 = hi > 0.0 ? std::log10(hi) : 0.0;
    for (int p = 0; p < count; ++p) {
        const double f = logarithmic ? std::pow(10.0, l1 + p * (l2 - l1) / count) : lo + p * (hi - lo) / count;
        Columns[size_t(p)] = {uint32_t(std::max(source.IndexOf(float(f)), 0)), float(f)};
    }
    if (logarithmic) {
        // The last column reaches one bin further, but never past the
        // highest one the data displays.
        const int high = std::min(source.IndexOf(source.HighFrequency()), source.LastIndex());
        TColumnEntry& last = Columns.back();
        last.Bin = std::max<uint32_t>(last.Bin, std::min<uint32_t>(last.Bin + 1, uint32_t(std::max(high, 0))));
    }
}

int TSpectrogramScale::FindColumn(float frequency) const
{
    const int count = int(Columns.size());
    for (int p = 0; p + 1 < count; ++p)
        if (Columns[size_t(p)].Frequency <= frequency && frequency <= Columns[size_t(p + 1)].Frequency)
            return p;
    return NoColumn;
}

float TSpectrogramScale::ColumnFrequency(int column) const
{
    if (column < 0 || column >= int(Columns.size()))
        return 0.0f;
    return Columns[size_t(column)].Frequency;
}

void TSpectrogramScale::BuildFrequencyTicks(int capacity, TFrequencyBand band, uint16_t freqScaleType, int spacing)
{
    FrequencyTicks.clear();
    if (capacity <= 0 || Columns.empty())
        return;
    const float span = band.High - band.Low;
    std::vector<TAxisLabel> ticks(static_cast<size_t>(capacity));
    int count = 0;
    bool linear = freqScaleType == 0;
    bool firstPass = true;
    long f = 0;
    for (;;) {
        const int column = f >= band.Low ? FindColumn(float(f)) : NoColumn;
        if (column >= 0) {
            TAxisLabel& tick = ticks[size_t(count)];
            tick.Position = column;
            FrequencyText(tick, f, span);
            if (count < capacity - 1)
                ++count;
        }
        f += linear ? LinearStep(span) : DecadeStep(f);
        if (f <= band.High)
            continue;
        // Fewer than four decade ticks: a linear walk labels the band better.
        if (!linear && firstPass && count < 4) {
            count = 0;
            f = 0;
            linear = true;
            firstPass = false;
            continue;
        }
        break;
    }
    ticks.resize(size_t(count));
    int lastKept = 9999;
    for (auto it = ticks.rbegin(); it != ticks.rend(); ++it) {
        if (it->Position > lastKept - spacing)
            it->Text[0] = '\0';
        else
            lastKept = it->Position;
    }
    FrequencyTicks = std::move(ticks);
}

void TSpectrogramScale::BuildAmplitudeTicks(int height, uint16_t ampScaleType, float top, float range)
{
    AmplitudeTicks.clear();
    const double span = ampScaleType == 1 ? range : top;
    if (!(span > 0.0) || height <= 0)
        return;
    const double step = AmplitudeStep(ampScaleType, span);
    const int capacity = int(span / step + 1);
    const char* format = ampScaleType == 1 ? "%3.1f" : LinearAmplitudeFormat(step);
    // A whisker below the bottom, so that rounding keeps the last tick.
    const double bottom = top - span - step * 1e-6;
    for (int k = 0; k < capacity; ++k) {
        const double v = top - k * step;
        if (v < bottom)
            break;
        TAxisLabel tick{};
        tick.Position = int((top - v) * height / span);
        SetText(tick, format, std::fabs(v) < step * 1e-6 ? 0.0 : v);
        AmplitudeTicks.push_back(tick);
    }
}

TTimeDivision TSpectrogramScale::TimeDivision(float span)
{
    static const TTimeDivision Divisions[] = {{0.001f, " (1 msec/div)"}, {0.01f, " (10 msec/div)"},
                                              {0.1f, " (100 msec/div)"}, {1.0f, " (1 sec/div)"},
                                              {10.0f, " (10 sec/div)"},  {100.0f, " (100 sec/div)"}};
    static const float Limits[] = {0.02f, 0.2f, 2.0f, 20.0f, 200.0f, 2000.0f};
    for (int i = 0; i < 6; ++i)
        if (span <= Limits[i])
            return Divisions[i];
    return {1.0f, " (1 sec/div)"};
}

void TSpectrogramScale::ColumnIndices(const TSpectrumSource& source, uint16_t ampScaleType, float top, float range,
                                      int colourCount, std::vector<int>& indices) const
{
    indices.resize(Columns.size());
    int previousBin = -1;
    int index = 0;
    for (size_t p = 0; p < Columns.size(); ++p) {
        const int bin = int(Columns[p].Bin);
        if (p == 0 || bin != previousBin) {
            const float v = source.RangeMax(p == 0 ? -1 : previousBin, bin, false);
            index = TColourMap::IndexOf(v, ampScaleType, top, range, colourCount);
        }
        indices[p] = index;
        previousBin = bin;
    }
}
