// Geometry, read-outs and clipboard text of the reverberation plots.
#include "utilities/TReverbLayout.h"

#include <algorithm>
#include <cstdio>

#include "utilities/TReverbData.h"

namespace {

std::string Format(const char* format, double v)
{
    char text[64];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

}  // namespace

std::string TReverbLayout::TimeLabel(float shownTime, int i)
{
    const int n = TimeDivisions(shownTime);
    return Format(shownTime <= 2.0f ? "%6.2f" : "%6.1f", double(i) * shownTime / n);
}

int TReverbLayout::LevelDivisions(float plotRange)
{
    return std::max(int(0.1f * plotRange), 1);
}

std::string TReverbLayout::FrequencyLabel(float frequency)
{
    const int whole = int(frequency);
    if (whole < 1000) return Format("%.0f", whole);
    return Format("%6.1fk", frequency * 0.001);
}

int TReverbLayout::AxisPixels(double value, double span, int length)
{
    if (span <= 0.0) return 1;
    const double pixels = value * length / span;
    if (pixels < 0.0) return 1;
    if (pixels > length) return length - 1;
    return int(pixels);
}

int TReverbLayout::BarHeight(const TGraph& g, float time, float shownTime)
{
    return AxisPixels(time, shownTime, g.Height());
}

int TReverbLayout::DecayRow(int p, int width, float shownTime, float hopTime)
{
    if (width <= 0 || hopTime <= 0.0f) return 0;
    const double rowsPerPixel = (double(shownTime) / width) / hopTime;
    return std::max(int(p * rowsPerPixel), 0);
}

int TReverbLayout::LevelPixels(float level, float plotTop, float plotRange, int height)
{
    return AxisPixels(double(level) - plotTop + plotRange, plotRange, height);
}

TReverbLayout::TSurface TReverbLayout::SurfaceGeometry(const TGraph& g, int bandCount, float shownTime,
                                                       float hopTime)
{
    TSurface s;
    s.Amplitude = g.Height() / 2;
    if (s.Amplitude <= 0 || bandCount < 2 || hopTime <= 0.0f) return s;
    s.Lines = (g.Height() - s.Amplitude) / 2;
    if (s.Lines <= 0) return s;
    s.BandSpacing = double(g.Width() - 48 - s.Lines) / (bandCount - 1);
    s.RowsPerLine = (double(shownTime) / s.Lines) / hopTime;
    s.Drawable = true;
    return s;
}

int TReverbLayout::ClickedEntry(int32_t mode, const TGraph& g, int bandCount, int x, int y)
{
    if (bandCount < 1 || !g.Contains(x, y)) return -1;
    if (mode == RtBars) {
        const int w = g.Width() / bandCount;
        if (w < 1) return -1;
        return std::clamp((x - g.Left) / w, 0, bandCount - 1);
    }
    if (mode == Surface) {
        // A waterfall too narrow for a pixel per band picks none.
        const int column = int(g.Width() * 0.8) / bandCount;
        if (column < 1) return -1;
        return std::clamp(int(double(x - g.Left) / column + 0.5), 0, bandCount - 1);
    }
    return -1;
}

float TReverbLayout::XValue(int32_t mode, const TGraph& g, const TReverbData& d, float shownTime, int x)
{
    if (mode == RtBars) {
        const int w = d.BandCount > 0 ? g.Width() / d.BandCount : 0;
        if (w < 1 || d.RowCount < 1) return 0.0f;
        const int e = std::clamp((x - g.Left) / w, 0, d.BandCount - 1);
        const float f = d.Rows[0].Frequency[e];
        return f > 0.0f ? f : 0.0f;
    }
    if (mode == DecayCurve) {
        if (shownTime <= 0.0f || g.Width() <= 0) return 0.0f;
        return float((x - g.Left) / (double(g.Width()) / shownTime));
    }
    return 0.0f;
}

float TReverbLayout::YValue(int32_t mode, const TGraph& g, float shownTime, float plotTop, float plotRange, int y)
{
    if (g.Height() <= 0) return 0.0f;
    if (mode == RtBars) {
        if (shownTime <= 0.0f) return 0.0f;
        return float((g.Bottom - y) / (double(g.Height()) / shownTime));
    }
    if (mode == DecayCurve) return float((g.Bottom - y) / (double(g.Height()) / plotRange) + (plotTop - plotRange));
    return 0.0f;
}

std::string TReverbLayout::Text(int32_t mode, const TReverbData& d, int32_t rtIndex, int32_t band)
{
    std::string text;
    if (d.RowCount < 1 || mode == NoData) return text;
    char line[64];
    if (mode == RtBars) {
        for (int e = 0; e < d.BandCount; ++e) {
            const double v = d.ResultTime(e, rtIndex);
            const float f = d.Rows[0].Frequency[e];
            if (f <= 0.0f) std::snprintf(line, sizeof line, "Wideband\t%f\r\n", v);
            else std::snprintf(line, sizeof line, "%f\t%f\r\n", double(f), v);
            text += line;
        }
    } else if (mode == DecayCurve) {
        const int e = std::clamp(band, 0, std::max(d.BandCount - 1, 0));
        for (int r = 0; r < d.RowCount; ++r) {
            std::snprintf(line, sizeof line, "%f\t%f\r\n", double(d.Rows[r].Time), double(d.Rows[r].Smoothed[e]));
            text += line;
        }
    } else if (mode == Surface) {
        for (int r = 0; r < d.RowCount; ++r) {
            std::snprintf(line, sizeof line, "%f\t", double(d.Rows[r].Time));
            text += line;
            for (int e = 0; e < d.BandCount; ++e) {
                std::snprintf(line, sizeof line, "%f\t", double(d.Rows[r].Smoothed[e]));
                text += line;
            }
            text += "\r\n";
        }
    }
    return text;
}
