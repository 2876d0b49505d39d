#pragma once
#include <cstdint>
#include <string>

// The spectrum view's control-bar rules without a window: the spin steps and
// precisions of the amplitude fields, the autoscale span and the marker
// label texts.
class TSpectrumControls {
public:
    // A zoom needs more than this many indexes visible.
    static constexpr int SmallestZoomSpan = 3;
    static constexpr float MinPlotRange = 0.1f;
    static constexpr float MaxDbTop = 300.0f;
    static constexpr float MaxDbRange = 200.0f;
    static constexpr float NarrowDbRange = 10.0f;

    struct Spin {
        float Step;
        int Precision;
        float Maximum;
        float Minimum;
    };
    // The Plot Top field's spin for a typed value, linear or dB.
    static Spin PlotTopSpin(float value, bool decibels);
    // The Plot Range field's spin (dB only) and the least range it takes.
    static Spin PlotRangeSpin();
    static float ClampPlotRange(float range) { return range < MinPlotRange ? MinPlotRange : range; }

    // Autoscaled limits into the stored top and range: the top held within
    // +-300 dB, the span above 200 dB cut to 200 and below 1 dB widened to 10.
    static void AutoscaleToRange(bool decibels, float top, float bottom, float& plotTop, float& plotRange);

    enum LabelType { NoLabel = 0, FrequencyLabel = 1, ValueLabel = 2, BothLabel = 3, CustomLabel = 4 };
    // A marker's label; an empty one is a blank so that its frame shows.
    static std::string MarkerLabel(uint32_t type, float frequency, float value, bool decibels, const char* custom);
};
