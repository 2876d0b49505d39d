#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "views/TAmplitudeSteps.h"
#include "views/TFrequencyAxis.h"
#include "views/TPaneLayout.h"

// The amplitude scale of the views that show levels in colour, the
// spectrogram and the 3-D surface: dB from PlotTop - PlotRange up to PlotTop,
// or linear from 0 up to PlotTop; the ticks of its colour bar, the colour
// band of a level and the level of a band, the autoscale that fits a span of
// levels, and the spin settings of the top field.
class TAmplitudeScale {
public:
    uint16_t AmpScaleType = 1;    // 0 linear, 1 dB
    float PlotTop = 0.0f;
    float PlotRange = 60.0f;

    std::vector<TAxisLabel> AmpTicks;

    // Ticks down from the top of a colour scale height pixels tall.
    void BuildAmplitudeTicks(int height);

    // The band among count of a level: a dB scale spans PlotTop - PlotRange
    // .. PlotTop, a linear one 0 .. PlotTop (a top not above 0 counts as 1);
    // held to 0 .. count - 1.
    int IndexOfLevel(float level, int count) const;
    // The level at which band index of count starts; -999.9 without bands,
    // -999.0 for an unknown scale type.
    float LevelOfIndex(int index, int count) const;
    // The band of a colour on a display without a palette: the first entry
    // whose nearest display colour is the colour's; 0 for none.
    static int BandOfColour(uint32_t colour, const uint32_t* colours, int count,
                            const std::function<uint32_t(uint32_t)>& nearest);

    // Where the level readout stands beside the colour bar of a graph area:
    // at the level's height, held to the scale; the area's top-right corner
    // when the scale spans nothing.
    TCurvePoint LevelMark(float level, const TPaneRect& graph) const;

    // Limits that show levels from smallest to largest; false, leaving top
    // and range, when nothing would change.
    bool Autoscale(float largest, float smallest, float& top, float& range) const;
    // The spin step and decimals of the linear top field for a value.
    static void TopFieldStep(float value, float& step, int& decimals);
    // The top field's spin for a typed value: on a linear scale by its
    // TopFieldStep from 0.00001 to 1000, on a dB scale by 5 dB within 300 dB.
    static TPlotTopSpin TopSpin(uint16_t ampScaleType, float value);
    // The range field's spin (dB only): 5 dB steps from LeastRange to 200 dB.
    static TPlotTopSpin RangeSpin() { return {5.0f, 0, 200.0f, LeastRange}; }
    // The smallest range a dB scale takes.
    static constexpr float LeastRange = 1.0f;
};
