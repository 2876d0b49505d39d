#include "views/TSpectrumScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include "engine/DisplaySettingsStruct.h"
#include "views/TAmplitudeSteps.h"

namespace {

double LinearAmplitudeStep(double r)
{
    static const struct { double Bound, Step; } Table[] = {
        {1.1e-7, 1e-8}, {1.1e-6, 1e-7}, {1.1e-5, 1e-6}, {0.00011, 1e-5}, {0.0011, 1e-4},
        {0.011, 0.001}, {0.11, 0.01},   {1.01, 0.1},    {10.01, 1},      {100.01, 10},
        {1000.01, 100}, {10000.01, 1000}, {100000.01, 10000}, {1e6, 100000}};
    for (const auto& row : Table)
        if (r <= row.Bound)
            return row.Step;
    return 1e6;
}

// More amplitude ticks than a pane has pixel rows.
constexpr int MostAmplitudeTicks = 4096;

// Ticks from top down to top - range; rows computed from the tick number so
// that long runs of small steps do not drift.
std::vector<TAxisLabel> AmplitudeTicks(double top, double range, double step, int capacity, int height,
                                       const char* format)
{
    std::vector<TAxisLabel> labels;
    const double bottom = top - range - step * 1e-6;
    for (int i = 0; i < capacity; ++i) {
        const double v = top - i * step;
        if (v < bottom)
            break;
        TAxisLabel label{};
        label.Position = static_cast<int32_t>(i * step * height / range);
        TFrequencyAxis::SetText(label, format, v);
        labels.push_back(label);
    }
    return labels;
}

}  // namespace

double TSpectrumScale::RawHeight(float value, int height, bool coherence) const
{
    if (coherence)
        return height * static_cast<double>(value) * (1.0 / 1.2);
    if (AmpScaleType == DisplaySettingsStruct::DecibelAmplitude)
        return height * (static_cast<double>(value) - PlotTop + PlotRange) / PlotRange;
    const double top = PlotTop > 0.0f ? PlotTop : 1.0;
    return height * static_cast<double>(value) / top;
}

int TSpectrumScale::ValueToHeight(float value, int height, bool coherence) const
{
    const double h = RawHeight(value, height, coherence);
    if (!(h >= 1.0))
        return 1;   // below the pane, and NaN
    if (h >= height)
        return std::max(height, 1);
    return static_cast<int>(h);
}

int TSpectrumScale::MeterHeight(float value, int height) const
{
    const int top = std::max(height - 2, 1);
    const double h = RawHeight(value, height, false);
    if (!(h >= 1.0))
        return 1;
    if (h >= top)
        return top;
    return static_cast<int>(h);
}

void TSpectrumScale::BuildColumnMap(int width, const TSpectrumSource& source)
{
    const double k = CepstrumFactor;
    ColumnBins = TFrequencyAxis::BuildColumns(
        width, StartFreq * k, StopFreq * k, FreqScaleType != DisplaySettingsStruct::LinearFrequency,
        [&](double f) { return source.IndexOf(static_cast<float>(f / k)); }, source.LastIndex());
    if (FreqScaleType != DisplaySettingsStruct::LinearFrequency && width > 1)
        ColumnBins[0].Bin = ColumnBins[1].Bin;
}

float TSpectrumScale::FrequencyAtColumn(int column) const
{
    return TFrequencyAxis::FrequencyAt(ColumnBins, column);
}

uint32_t TSpectrumScale::BinAtColumn(int column) const
{
    if (column < 0 || column >= static_cast<int>(ColumnBins.size()))
        return 1;
    return ColumnBins[column].Bin;
}

int TSpectrumScale::ColumnOf(float frequency) const
{
    return TFrequencyAxis::ColumnOf(ColumnBins, frequency);
}

void TSpectrumScale::BuildXLabels(int width)
{
    const double k = CepstrumFactor;
    XLabels = TFrequencyAxis::BuildLabels(ColumnBins, width, StartFreq * k, StopFreq * k,
                                          FreqScaleType != DisplaySettingsStruct::LinearFrequency);
    if (TextWidth && MeasuresLabels)
        ThinByWidth(XLabels);
    else
        TFrequencyAxis::Thin(XLabels, LabelSpacing, true);
}

void TSpectrumScale::XLabelSpan(const TAxisLabel& label, int& left, int& right) const
{
    const int width = TextWidth ? TextWidth(label.Text) : 0;
    left = label.Position - width / 2;
    right = left + width;
}

void TSpectrumScale::ThinByWidth(std::vector<TAxisLabel>& labels) const
{
    int nextLeft = XLabelLimit > 0 ? XLabelLimit + LabelGap : 1 << 30;
    for (auto it = labels.rbegin(); it != labels.rend(); ++it) {
        if (!it->Text[0])
            continue;
        int left = 0, right = 0;
        XLabelSpan(*it, left, right);
        if (right + LabelGap > nextLeft)
            it->Text[0] = '\0';
        else
            nextLeft = left;
    }
}

void TSpectrumScale::BuildYLabels(int height)
{
    YLabels.clear();
    const bool decibels = AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    const double r = decibels ? PlotRange : PlotTop;
    if (!(r > 0.0) || !std::isfinite(r) || !std::isfinite(PlotTop))
        return;
    const double step = decibels ? TAmplitudeSteps::Decibel(r) : LinearAmplitudeStep(r);
    const int capacity = static_cast<int>(std::min(r / step + 1.0, static_cast<double>(MostAmplitudeTicks)));
    const char* format = decibels ? (r >= 1.0 ? "%3.1f" : "%3.2f") : TAmplitudeSteps::LinearFormat(step);
    YLabels = AmplitudeTicks(PlotTop, r, step, capacity, height, format);
    TFrequencyAxis::Thin(YLabels, std::max(10, TextHeight + 2), false);
}

void TSpectrumScale::BuildCoherenceLabels(int height)
{
    CoherenceLabels = AmplitudeTicks(1.2, 1.2, 0.1, 13, height, "%3.2f");
    TFrequencyAxis::Thin(CoherenceLabels, std::max(10, TextHeight + 2), false);
}

int TSpectrumScale::BuildCurve(const TSpectrumSource& source, const TPaneRect& pane, TCurvePoint* points,
                               int capacity, bool peak, bool coherence) const
{
    const int width = pane.Width();
    if (!points || width <= 0 || width > static_cast<int>(ColumnBins.size()) || width > capacity)
        return 0;
    const int height = pane.Height();
    const int bottom = pane.bottom;
    const bool bands = FreqScaleType == DisplaySettingsStruct::OctaveBands;
    int count = 0;
    auto add = [&](int x, int y) {
        if (count < capacity)
            points[count++] = {x, y};
    };
    int previousBin = static_cast<int>(ColumnBins[0].Bin);
    int previousColumn = 0;
    int p = 0;
    for (int column = 0; column < width; ++column) {
        const int bin = static_cast<int>(ColumnBins[column].Bin);
        const bool first = column == 0;
        const bool last = column == width - 1;
        if (!first && !last && bin == previousBin)
            continue;
        const int from = (first || std::abs(bin - previousBin) <= 1) ? bin : std::min(previousBin, bin);
        const int to = (first || std::abs(bin - previousBin) <= 1) ? bin : std::max(previousBin, bin);
        const int h = ValueToHeight(source.RangeMax(from, to, peak), height, coherence);
        const int x = pane.left + column;
        const int run = column - previousColumn;
        if (first) {
            if (PlotType == BarGraph)
                add(x, bottom);
            else
                add(PlotType == LineGraph ? x - 1 : x, bottom - h);
        } else if (PlotType == LineGraph) {
            if (bands) {
                add(x - 1, bottom - p);
                if (last)
                    add(pane.right, bottom - p);
                else
                    add(x - 1, bottom - h);
            } else {
                add(x - 1 - run / 2, bottom - p);
            }
        } else if (PlotType == BarGraph) {
            if (count < capacity - 4) {
                add(x - run, bottom - p);
                add(x, bottom - p);
                add(x, bottom);
            }
        } else if (count < capacity - 3) {
            add(x - run, bottom - p);
            add(x, bottom - p);
        }
        p = h;
        previousBin = bin;
        previousColumn = column;
    }
    return count;
}

int TSpectrumScale::MarkerColumn(float frequency, const TSpectrumSource& source) const
{
    if (!(frequency >= source.LowFrequency() && frequency <= source.HighFrequency()))
        return NoColumn;
    return ColumnOf(frequency * CepstrumFactor);
}
