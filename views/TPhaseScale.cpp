#include "views/TPhaseScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/DisplaySettingsStruct.h"
#include "views/TLineSource.h"

namespace {

double PhaseStep(double range)
{
    if (range <= 1.0) return 0.1;
    if (range <= 10.0) return 1.0;
    if (range <= 30.0) return 5.0;
    if (range <= 90.0) return 10.0;
    if (range <= 180.0) return 30.0;
    return 45.0;
}

template <typename... Args>
void Append(std::string& text, const char* format, Args... args)
{
    char line[128];
    const int n = std::snprintf(line, sizeof line, format, args...);
    if (n >= int(sizeof line)) {
        std::string longer(size_t(n) + 1, '\0');
        std::snprintf(longer.data(), longer.size(), format, args...);
        text.append(longer.data(), size_t(n));
    } else if (n > 0) {
        text.append(line, size_t(n));
    }
}

}  // namespace

void TPhaseScale::BuildColumns(int width, const TLineSource& source)
{
    Columns = TFrequencyAxis::BuildColumns(
        width, StartFreq, StopFreq, FreqScaleType != DisplaySettingsStruct::LinearFrequency,
        [&](double f) { return source.IndexOf(static_cast<float>(f)); }, source.HighIndex());
}

void TPhaseScale::BuildXTicks(int width)
{
    XTicks = TFrequencyAxis::BuildLabels(Columns, width, StartFreq, StopFreq,
                                         FreqScaleType != DisplaySettingsStruct::LinearFrequency);
    TFrequencyAxis::Thin(XTicks, LabelSpacing, true);
}

void TPhaseScale::BuildYTicks(int paneHeight)
{
    YTicks.clear();
    const double range = PlotRange;
    if (!(range > 0.0) || !std::isfinite(range) || !std::isfinite(PlotTop))
        return;
    const double step = PhaseStep(range);
    const int capacity = static_cast<int>(range / step + 1.0);
    const double bottom = PlotTop - range - step * 1e-6;
    for (int i = 0; i < capacity; ++i) {
        const double v = PlotTop - i * step;
        if (v < bottom)
            break;
        TAxisLabel tick{};
        tick.Position = static_cast<int32_t>(i * step * paneHeight / range);
        TFrequencyAxis::SetText(tick, "%3.1f", v);
        YTicks.push_back(tick);
    }
    TFrequencyAxis::Thin(YTicks, 10, false);
}

int TPhaseScale::HeightOf(float phase, int height) const
{
    const double range = PlotRange != 0.0f ? PlotRange : 1.0;
    const double h = height * (double(phase) - PlotTop + range) / range;
    if (!(h >= 1.0))
        return 1;
    return h >= height ? std::max(height, 1) : static_cast<int>(h);
}

float TPhaseScale::PhaseAtRow(int y, const TPaneRect& pane) const
{
    if (pane.Height() <= 0)
        return 0.0f;
    return float(double(pane.bottom - y) * PlotRange / pane.Height() + PlotTop - PlotRange);
}

std::vector<TCurvePoint> TPhaseScale::BuildCurve(const TLineSource& source, const TPaneRect& pane) const
{
    std::vector<TCurvePoint> points;
    const int width = pane.Width();
    if (width <= 0 || int(Columns.size()) < width)
        return points;
    const int height = pane.Height();
    int previousHeight = 0;
    int lastChange = 0;
    for (int i = 0; i < width; ++i) {
        const uint32_t bin = Columns[i].Bin;
        if (i > 0 && i < width - 1 && bin == Columns[i - 1].Bin)
            continue;
        const int h = HeightOf(source.Phase(int(bin)), height);
        if (i == 0) {
            points.push_back({pane.left, pane.bottom - h});
        } else {
            const int run = i - lastChange;
            points.push_back({pane.left + i - run / 2, pane.bottom - previousHeight});
        }
        previousHeight = h;
        lastChange = i;
    }
    return points;
}

int TPhaseScale::MarkerColumn(float frequency, const TLineSource& source) const
{
    if (!(frequency >= source.LowFrequency() && frequency <= source.HighFrequency()))
        return NoColumn;
    return ColumnOf(frequency);
}

std::string TPhaseScale::CopyText(const char* label, int first, int end, const TLineSource& source,
                                  const TLineSource* second)
{
    std::string text;
    text.reserve(size_t(std::max(end - first, 0)) * 32 + 64);
    Append(text, ";Freq(Hz)\tPhase (deg) %s\r\n", label ? label : "");
    for (int b = first; b < end; ++b) {
        if (second)
            Append(text, "%5.4f\t%f\t%f\r\n", double(source.FrequencyOf(b)), double(source.Phase(b)),
                   double(second->Phase(b)));
        else
            Append(text, "%5.4f\t%f\r\n", double(source.FrequencyOf(b)), double(source.Phase(b)));
    }
    return text;
}

std::string TPhaseScale::CursorText(float frequency, float phase)
{
    std::string text;
    Append(text, "Freq=\t%5.4f\r\nPhase=\t%5.4f\r\n", double(frequency), double(phase));
    return text;
}

bool TPhaseScale::Admit(float t, bool throttled, float interval, float& last)
{
    if (!throttled || !(t > 0.0f))
        return true;
    if (t < last + interval) {
        if (t < last)
            last = 0.0f;
        return false;
    }
    last = t;
    return true;
}
