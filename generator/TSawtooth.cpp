#include "generator/TSawtooth.h"

#include "generator/TSignalParamRules.h"
#include "resources/SawtoothRes.h"

namespace {
constexpr int FrequencyId = IDC_SAWTOOTH_FREQUENCY, FrequencySpinId = IDC_SAWTOOTH_FREQUENCY_SPIN,
    PositiveId = IDC_SAWTOOTH_POSITIVE, NegativeId = IDC_SAWTOOTH_NEGATIVE;
}

const TDialogBinding<SawtoothParams>& TSawtooth::Binding()
{
    static const TDialogBinding<SawtoothParams> binding =
        TDialogBinding<SawtoothParams>()
            .Number(FrequencyId, &SawtoothParams::FreqHz, "%6.2f", NumberLength, RealText)
            // Any slope but a rising one is falling.
            .Radio({PositiveId, NegativeId}, &SawtoothParams::Slope, {1, -1}, 1);
    return binding;
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
    Binding().Fill(*this, *Params);
}

void TSawtooth::CmOk()
{
    SawtoothParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::ShapeFrequency(edited.FreqHz, Nyquist))) return;
    *Params = edited;
    TSignalDialog::CmOk();
}
