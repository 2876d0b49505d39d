#include "views/TSurfaceScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/DisplaySettingsStruct.h"
#include "views/TLineSource.h"

void TSurfaceScale::Range(const TLineSource& source, double& lo, double& hi) const
{
    const double low = source.LowFrequency();
    const double high = source.HighFrequency();
    lo = std::max<double>(StartFreq, low);
    hi = std::min<double>(StopFreq, high);
    if (UseFullSpan || !(lo < hi)) {
        lo = low;
        hi = high;
    }
}

int TSurfaceScale::ColumnCountFor(int width, int height) const
{
    return std::max(width - std::max(height, 0) / LinesPerStep, 0);
}

void TSurfaceScale::BuildColumns(int width, int height, const TLineSource& source)
{
    double lo, hi;
    Range(source, lo, hi);
    Columns = TFrequencyAxis::BuildColumns(
        ColumnCountFor(width, height), lo, hi, FreqScaleType != DisplaySettingsStruct::LinearFrequency,
        [&](double f) { return source.IndexOf(static_cast<float>(f)); }, source.HighIndex());
}

void TSurfaceScale::BuildFrequencyTicks(int width, const TLineSource& source)
{
    double lo, hi;
    Range(source, lo, hi);
    FreqTicks = TFrequencyAxis::BuildLabels(Columns, width, lo, hi,
                                            FreqScaleType != DisplaySettingsStruct::LinearFrequency);
    TFrequencyAxis::Thin(FreqTicks, 30, true);
}

int TSurfaceScale::HeightOf(float value, int scale) const
{
    double h;
    if (AmpScaleType == DisplaySettingsStruct::DecibelAmplitude)
        h = scale * (double(value) - PlotTop + PlotRange) / PlotRange;
    else
        h = scale * double(value) / (PlotTop > 0.0f ? PlotTop : 1.0);
    if (!(h > 0.0))
        return 0;   // below the base, and NaN
    return h >= scale ? scale : static_cast<int>(h);
}

std::vector<TCurvePoint> TSurfaceScale::BuildOutline(const TLineSource& source, int height, bool everyColumn) const
{
    std::vector<TCurvePoint> points;
    const int scale = HeightScale(height);
    const int count = static_cast<int>(Columns.size());
    if (scale <= 0 || count <= 0)
        return points;
    points.reserve(2 * size_t(count) + 3);
    const bool bands = FreqScaleType == DisplaySettingsStruct::OctaveBands;
    const int base = height - 1;
    points.push_back({0, height + 1});
    int previousBin = -1;
    int previousColumn = 0;
    int previousHeight = 0;
    for (int j = 0; j + 1 < count; ++j) {
        const int bin = static_cast<int>(Columns[j].Bin);
        if (!everyColumn && previousBin >= 0 && bin == previousBin)
            continue;
        const int h = HeightOf(source.RangeMaxValue(previousBin, bin), scale);
        if (previousBin < 0)
            previousHeight = h;
        if (bands) {
            points.push_back({j, base - previousHeight});
            points.push_back({j, base - h});
        } else {
            const int run = j - previousColumn;
            points.push_back({j - run / 2, base - previousHeight});
        }
        previousHeight = h;
        previousBin = bin;
        previousColumn = j;
    }
    points.push_back({points.back().x, height + 1});
    points.push_back({0, height + 1});
    return points;
}

void TSurfaceScale::PaintByHeight(const std::vector<TCurvePoint>& outline, int height, int scale, int count,
                                  const std::function<bool(int x, int y)>& isPen,
                                  const std::function<void(int x, int y, int index)>& paint)
{
    if (scale <= 0 || count <= 0 || outline.size() < 2)
        return;
    const double factor = double(count) / scale;
    auto indexAt = [&](int y) { return std::clamp(static_cast<int>((height - y) * factor), 0, count - 1); };
    for (size_t v = 0; v + 2 < outline.size(); ++v) {
        const int x = outline[v].x;
        for (int y = std::max(outline[v].y, 0); y < height && isPen(x, y); ++y)
            paint(x, y, indexAt(y));
        for (int y = std::min(outline[v].y - 1, height - 1); y >= 0 && isPen(x, y); --y)
            paint(x, y, indexAt(y));
    }
}

uint32_t TSurfaceScale::ProbeColour(int y, int height, uint32_t background, bool probe,
                                    const std::function<uint32_t(int y)>& pixelAt)
{
    uint32_t colour = pixelAt(y);
    if (colour != background || !probe)
        return colour;
    for (int offset : {4, 3, -3, -4, 2, -2, 1, -1}) {
        const int row = y + offset;
        if (row < 0 || row >= height)
            continue;
        const uint32_t c = pixelAt(row);
        if (c != background)
            colour = c;
    }
    return colour;
}

int TSurfaceScale::HeightOfLevel(float level, int paneHeight) const
{
    const int largest = HeightScale(paneHeight);
    if (largest < 1)
        return 0;
    return HeightOf(level, largest);
}

int TSurfaceScale::FrontColumn(int x, int y, int left, int bottom, int height) const
{
    return height / LinesPerStep + x - (bottom - y) / LinesPerStep - left;
}

int TSurfaceScale::RecordAtRow(int y, int bottom, int height, int count)
{
    if (count <= 0)
        return 0;
    return std::clamp((bottom - 1 - y) - height, 0, count - 1);
}

TSurfaceScale::BarText TSurfaceScale::ReadoutText(int band, int count)
{
    if (band >= count - 1)
        return BarText::Over;
    return band <= 0 ? BarText::Under : BarText::Value;
}

std::string TSurfaceScale::CursorText(float frequency, float time, float level, bool withLevel)
{
    // Three values of at most 48 characters each in "%5.4f".
    char text[192];
    if (withLevel)
        std::snprintf(text, sizeof text, "Freq=\t%5.4f\r\nTime=\t%5.4f\r\nAmp=\t%5.4f\r\n", double(frequency),
                      double(time), double(level));
    else
        std::snprintf(text, sizeof text, "Freq=\t%5.4f\r\nTime=\t%5.4f\r\n", double(frequency), double(time));
    return text;
}
