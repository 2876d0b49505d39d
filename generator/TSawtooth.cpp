#include "generator/TSawtooth.h"

#include "generator/TSignalParamRules.h"
#include "resources/SawtoothRes.h"

namespace {
constexpr int FrequencyId = IDC_SAWTOOTH_FREQUENCY, FrequencySpinId = IDC_SAWTOOTH_FREQUENCY_SPIN,
    PositiveId = IDC_SAWTOOTH_POSITIVE, NegativeId = IDC_SAWTOOTH_NEGATIVE;
}

TSawtooth::TSawtooth(TWindow* parent, const char* resource, SawtoothParams* params, int32_t nyquist, HFONT font,
                     const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 490), Params(params), Nyquist(nyquist),
      FrequencyEdit(std::make_unique<TEdit>(this, FrequencyId, 20)),
      FrequencySpin(std::make_unique<LimitScroll>(this, FrequencySpinId, nullptr, FrequencyEdit.get(), float(nyquist),
                                                  0.0f, 100.0f))
{
}

void TSawtooth::SetupWindow()
{
    TSignalDialog::SetupWindow();
    WriteReal(FrequencyId, "%6.2f", Params->FreqHz);
    CheckRadioButton(PositiveId, NegativeId, Params->Slope == 1 ? PositiveId : NegativeId);
}

void TSawtooth::CmOk()
{
    const float frequency = ReadReal(FrequencyId);
    if (!Accept(TSignalParamRules::ShapeFrequency(frequency, Nyquist))) return;
    Params->Slope = IsChecked(PositiveId) ? 1 : -1;
    Params->FreqHz = frequency;
    TSignalDialog::CmOk();
}
