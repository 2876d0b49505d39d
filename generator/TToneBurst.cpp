#include "generator/TToneBurst.h"

#include "generator/TSignalParamRules.h"
#include "resources/ToneBurstRes.h"

namespace {
constexpr int FrequencyId = IDC_TONE_BURST_FREQUENCY, BurstId = IDC_TONE_BURST_BURST, CycleId = IDC_TONE_BURST_CYCLE;
}

const TDialogBinding<ToneBurstParams>& TToneBurst::Binding()
{
    static const TDialogBinding<ToneBurstParams> binding =
        TDialogBinding<ToneBurstParams>()
            .Number(FrequencyId, &ToneBurstParams::FreqHz, nullptr, NumberLength, IntegerText)
            .Number(BurstId, &ToneBurstParams::BurstTimeMsec, nullptr, NumberLength, IntegerText)
            .Number(CycleId, &ToneBurstParams::CycleTimeMsec, nullptr, NumberLength, IntegerText);
    return binding;
}

TToneBurst::TToneBurst(TWindow* parent, const char* resource, ToneBurstParams* params, int32_t nyquist, HFONT font,
                       const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 550), Params(params), Nyquist(nyquist)
{
}

void TToneBurst::SetupWindow()
{
    TSignalDialog::SetupWindow();
    for (int id : {FrequencyId, BurstId, CycleId}) LimitText(id, 20);
    Binding().Fill(*this, *Params);
}

void TToneBurst::CmOk()
{
    ToneBurstParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::ToneBurst(edited.FreqHz, edited.BurstTimeMsec, edited.CycleTimeMsec, Nyquist)))
        return;
    *Params = edited;
    TSignalDialog::CmOk();
}
