// The amplitude fields of the spectrogram and 3-D surface bars.
#include "views/TAmplitudeFields.h"

#include <cstdio>
#include <cstdlib>

#include "engine/DisplaySettingsStruct.h"
#include "framework/TFont.h"
#include "views/TAmplitudeScale.h"

namespace {

// Characters of a field that are read as its number.
constexpr int FieldTextLimit = 20;

float FieldValue(const TEdit& edit)
{
    char text[FieldTextLimit + 1] = {};
    edit.GetText(text, sizeof text);
    return float(std::strtod(text, nullptr));
}

void Apply(LimitScroll& spin, const TPlotTopSpin& rule)
{
    spin.SetPrecision(rule.Decimals);
    spin.SetStep(rule.Step);
    spin.SetRange(rule.Maximum, rule.Minimum);
}

// Rewrites a field unless it is not empty and reads value already.
void Write(TEdit& edit, const char* format, float value, bool always)
{
    char text[40] = {};
    edit.GetText(text, sizeof text);
    if (!always && text[0] && float(std::strtod(text, nullptr)) == value)
        return;
    std::snprintf(text, sizeof text, format, double(value));
    edit.SetText(text);
}

}  // namespace

void TAmplitudeFields::CreateAmplitudeFields(TWindow* parent, int topId, int rangeId)
{
    PlotTopEdit = std::make_unique<TEdit>(parent, topId, "", 0, 0, 44, 20, 10);
    PlotTopSpin = std::make_unique<LimitScroll>(parent, topId + 1, 0, 0, 12, 20, nullptr, PlotTopEdit.get(), 300.0f,
                                                -300.0f, 5.0f);
    PlotRangeEdit = std::make_unique<TEdit>(parent, rangeId, "", 0, 0, 44, 20, 20);
    PlotRangeSpin = std::make_unique<LimitScroll>(parent, rangeId + 1, 0, 0, 12, 20, nullptr, PlotRangeEdit.get(),
                                                  200.0f, -200.0f, 5.0f);
}

void TAmplitudeFields::SetAmplitudeFieldsFont(const TFont& font)
{
    for (TEdit* edit : {PlotTopEdit.get(), PlotRangeEdit.get()})
        edit->SendMessage(WM_SETFONT, WPARAM(HFONT(font)), TRUE);
}

void TAmplitudeFields::WriteAmplitudeFields(uint16_t ampScaleType, float top, float range, bool always)
{
    const bool linear = ampScaleType == DisplaySettingsStruct::LinearAmplitude;
    Write(*PlotTopEdit, linear ? "%3.3f" : "%3.1f", top, always);
    if (linear)
        PlotRangeEdit->SetText("N/A");
    else
        Write(*PlotRangeEdit, "%3.1f", range, always);
    PlotRangeEdit->EnableWindow(!linear);
    PlotRangeSpin->EnableWindow(!linear);
}

float TAmplitudeFields::ReadPlotTop(uint16_t ampScaleType)
{
    const float value = FieldValue(*PlotTopEdit);
    Apply(*PlotTopSpin, TAmplitudeScale::TopSpin(ampScaleType, value));
    return value;
}

float TAmplitudeFields::ReadPlotRange(int& updating)
{
    Apply(*PlotRangeSpin, TAmplitudeScale::RangeSpin());
    const float value = FieldValue(*PlotRangeEdit);
    if (value >= TAmplitudeScale::LeastRange)
        return value;
    updating = 1;
    PlotRangeEdit->SetText("1.0");
    updating = 0;
    return TAmplitudeScale::LeastRange;
}
