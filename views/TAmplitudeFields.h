#pragma once
#include <cstdint>
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"

class TFont;
class TWindow;

// The Plot Top and Plot Range fields with their spins on the bar of the
// views that show levels in colour (spectrogram and 3-D surface): made,
// written from the amplitude scale, and read back with the spin following
// the typed value (TAmplitudeScale::TopSpin, RangeSpin).
class TAmplitudeFields {
public:
    std::unique_ptr<TEdit> PlotTopEdit;
    std::unique_ptr<LimitScroll> PlotTopSpin;
    std::unique_ptr<TEdit> PlotRangeEdit;
    std::unique_ptr<LimitScroll> PlotRangeSpin;

protected:
    // The two fields and their spins as children of parent; each spin's id
    // follows its field's.
    void CreateAmplitudeFields(TWindow* parent, int topId, int rangeId);
    void SetAmplitudeFieldsFont(const TFont& font);
    // The top as "%3.3f" (linear) or "%3.1f" (dB), the range as "%3.1f", or
    // "N/A" and disabled with its spin on a linear scale. A field that reads
    // its number already is left as typed unless always.
    void WriteAmplitudeFields(uint16_t ampScaleType, float top, float range, bool always);
    // The typed top; its spin steps with it.
    float ReadPlotTop(uint16_t ampScaleType);
    // The typed range, at least the least range; below it the field is
    // rewritten while updating is set, so its own change is ignored.
    float ReadPlotRange(int& updating);
};
