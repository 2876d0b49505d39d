#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "views/TFrequencyAxis.h"
#include "views/TPaneLayout.h"
#include "views/TSpectrumSource.h"

// The spectrum view's scales: the value-to-height rule, the column map that
// ties each pixel column to a frequency and an index, the axis label tables
// and the curves built from a spectrum against them.
class TSpectrumScale {
public:
    static constexpr int NoColumn = TFrequencyAxis::NoColumn;
    enum GraphType { LineGraph = 0, BarGraph = 1, StepBarGraph = 2 };

    uint16_t AmpScaleType = 1;    // 0 linear, 1 dB
    uint16_t FreqScaleType = 1;   // 0 linear, 1 logarithmic, 2 bands
    uint16_t PlotType = LineGraph;
    float PlotTop = 0.0f;
    float PlotRange = 120.0f;
    float StartFreq = 5.0f;
    float StopFreq = 22000.0f;
    // Turns a bin's frequency into quefrency milliseconds; 1 normally.
    float CepstrumFactor = 1.0f;
    // The least pixels between two frequency labels where they are not
    // measured: without a TextWidth, or where MeasuresLabels is off.
    int LabelSpacing = 30;
    bool MeasuresLabels = true;

    // The width in pixels of a label text in the font the labels are drawn
    // in, and that font's height; without a measure the tables keep fixed
    // spacings. XLabelLimit, when not 0, is the last column a frequency label
    // may reach (the power meter's label stands beyond it).
    std::function<int(const char*)> TextWidth;
    int TextHeight = 0;
    int XLabelLimit = 0;
    // Blank pixels kept between two labels of an axis.
    static constexpr int LabelGap = 6;

    std::vector<TColumnEntry> ColumnBins;
    std::vector<TAxisLabel> XLabels;
    std::vector<TAxisLabel> YLabels;
    std::vector<TAxisLabel> CoherenceLabels;

    // Height in pixels above the bottom of a pane H high, limited to 1..H;
    // the meter's rule limits to 1..H-2.
    int ValueToHeight(float value, int height, bool coherence) const;
    int MeterHeight(float value, int height) const;

    void BuildColumnMap(int width, const TSpectrumSource& source);
    float FrequencyAtColumn(int column) const;
    uint32_t BinAtColumn(int column) const;
    int ColumnOf(float frequency) const;

    void BuildXLabels(int width);
    // The columns a frequency label's text covers, centred on its tick.
    void XLabelSpan(const TAxisLabel& label, int& left, int& right) const;
    void BuildYLabels(int height);
    void BuildCoherenceLabels(int height);

    // Fills points (room for capacity) with the curve of the spectrum in the
    // pane for the current graph type; returns the number of points.
    int BuildCurve(const TSpectrumSource& source, const TPaneRect& pane, TCurvePoint* points, int capacity,
                   bool peak, bool coherence) const;

    // The column of a marker frequency; NoColumn when the frequency lies
    // outside the spectrum's range or the map.
    int MarkerColumn(float frequency, const TSpectrumSource& source) const;

private:
    double RawHeight(float value, int height, bool coherence) const;
    // Leaves out, from the last label back, each frequency label that would
    // run into the one kept after it or past XLabelLimit.
    void ThinByWidth(std::vector<TAxisLabel>& labels) const;
};
