#pragma once
#include <cstdint>
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
    bool PrintMode = false;

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
};
