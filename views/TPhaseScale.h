#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "views/TFrequencyAxis.h"
#include "views/TPaneLayout.h"

class TLineSource;

// The phase view's scales: the column table of the graph width, the
// frequency and phase ticks, the phase-to-height rule and the curve, and
// the texts it copies.
class TPhaseScale {
public:
    static constexpr int NoColumn = TFrequencyAxis::NoColumn;
    // Zooms stop at spans of this many bins or fewer.
    static constexpr int SmallestZoomSpan = 7;

    uint16_t FreqScaleType = 1;   // 0 linear axis, 1 or 2 logarithmic
    float PlotTop = 180.0f;
    float PlotRange = 360.0f;
    float StartFreq = 20.0f;
    float StopFreq = 22000.0f;
    // The least pixels between two frequency labels.
    int LabelSpacing = 30;

    std::vector<TColumnEntry> Columns;
    std::vector<TAxisLabel> XTicks;
    std::vector<TAxisLabel> YTicks;

    void BuildColumns(int width, const TLineSource& source);
    float ColumnFrequency(int column) const { return TFrequencyAxis::FrequencyAt(Columns, column); }
    int ColumnOf(float frequency) const { return TFrequencyAxis::ColumnOf(Columns, frequency); }
    void BuildXTicks(int width);
    void BuildYTicks(int paneHeight);

    // A phase's height above the bottom of a pane, 1..height; a range of 0
    // counts as 1 degree.
    int HeightOf(float phase, int height) const;
    // The phase at a row of a pane.
    float PhaseAtRow(int y, const TPaneRect& pane) const;
    // The curve of the source's phases in a pane: a vertex wherever the
    // column's bin changes, in the middle of the run of columns before it.
    std::vector<TCurvePoint> BuildCurve(const TLineSource& source, const TPaneRect& pane) const;
    // The column of a marker frequency; NoColumn outside the data's range.
    int MarkerColumn(float frequency, const TLineSource& source) const;

    // The phases of bins first..end - 1 as tab-separated lines under a
    // header naming the data; a third column for a second source.
    static std::string CopyText(const char* label, int first, int end, const TLineSource& source,
                                const TLineSource* second);
    static std::string CursorText(float frequency, float phase);
    // Whether a block at time t is drawn when blocks are drawn at most every
    // interval seconds; last is the time of the last one drawn.
    static bool Admit(float t, bool throttled, float interval, float& last);
};
