#include "generator/TPulse.h"

#include "generator/TSignalParamRules.h"
#include "resources/PulseRes.h"

namespace {
constexpr int WidthId = IDC_PULSE_WIDTH, WidthSpinId = IDC_PULSE_WIDTH_SPIN, IntervalId = IDC_PULSE_INTERVAL,
    IntervalSpinId = IDC_PULSE_INTERVAL_SPIN, SingleId = IDC_PULSE_SINGLE;
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
    WriteInteger(WidthId, "%ld", Params->WidthNSec);
    WriteInteger(IntervalId, "%ld", Params->RepIntervalNSec);
    CheckItem(SingleId, Params->OneShotFlag ? BST_CHECKED : BST_UNCHECKED);
}

void TPulse::CmOk()
{
    const int32_t width = ReadInteger(WidthId), interval = ReadInteger(IntervalId);
    if (!Accept(TSignalParamRules::Pulse(width, interval, Nyquist))) return;
    Params->WidthNSec = width;
    Params->RepIntervalNSec = interval;
    Params->OneShotFlag = IsChecked(SingleId) ? 1 : 0;
    TSignalDialog::CmOk();
}
