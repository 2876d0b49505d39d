#include "generator/TPulse.h"

#include "generator/TSignalParamRules.h"
#include "resources/PulseRes.h"

namespace {
constexpr int WidthId = IDC_PULSE_WIDTH, WidthSpinId = IDC_PULSE_WIDTH_SPIN, IntervalId = IDC_PULSE_INTERVAL,
    IntervalSpinId = IDC_PULSE_INTERVAL_SPIN, SingleId = IDC_PULSE_SINGLE;
}

const TDialogBinding<PulseParams>& TPulse::Binding()
{
    static const TDialogBinding<PulseParams> binding =
        TDialogBinding<PulseParams>()
            .Number(WidthId, &PulseParams::WidthNSec, nullptr, NumberLength, IntegerText)
            .Number(IntervalId, &PulseParams::RepIntervalNSec, nullptr, NumberLength, IntegerText)
            .Check(SingleId, &PulseParams::OneShotFlag);
    return binding;
}

TPulse::TPulse(TWindow* parent, const char* resource, PulseParams* params, int32_t nyquist, HFONT font,
               const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 470), Params(params), Nyquist(nyquist),
      WidthEdit(std::make_unique<TEdit>(this, WidthId, 20)),
      IntervalEdit(std::make_unique<TEdit>(this, IntervalId, 20)),
      WidthSpin(std::make_unique<LimitScroll>(this, WidthSpinId, nullptr, WidthEdit.get(),
                                              float(TSignalParamRules::PulseMaximum(nyquist)),
                                              float(TSignalParamRules::PulseMinimum(nyquist)), 10.0f)),
      IntervalSpin(std::make_unique<LimitScroll>(this, IntervalSpinId, nullptr, IntervalEdit.get(),
                                                 float(100 * TSignalParamRules::PulseMaximum(nyquist)),
                                                 float(TSignalParamRules::PulseMinimum(nyquist)), 10.0f))
{
}

void TPulse::SetupWindow()
{
    TSignalDialog::SetupWindow();
    Binding().Fill(*this, *Params);
}

void TPulse::CmOk()
{
    PulseParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::Pulse(edited.WidthNSec, edited.RepIntervalNSec, Nyquist))) return;
    *Params = edited;
    TSignalDialog::CmOk();
}
