#include "generator/TNoiseBurst.h"

#include "generator/TSignalParamRules.h"
#include "resources/NoiseBurstRes.h"

namespace {
constexpr int WhiteId = IDC_NOISE_BURST_WHITE, PinkId = IDC_NOISE_BURST_PINK, BurstId = IDC_NOISE_BURST_BURST,
    CycleId = IDC_NOISE_BURST_CYCLE;
}

const TDialogBinding<NoiseBurstParams>& TNoiseBurst::Binding()
{
    static const TDialogBinding<NoiseBurstParams> binding =
        TDialogBinding<NoiseBurstParams>()
            // Any type but white is pink.
            .Radio({WhiteId, PinkId}, &NoiseBurstParams::Type, {0, 1}, 1)
            .Number(BurstId, &NoiseBurstParams::BurstTimeMsec, nullptr, NumberLength, IntegerText)
            .Number(CycleId, &NoiseBurstParams::CycleTimeMsec, nullptr, NumberLength, IntegerText);
    return binding;
}

TNoiseBurst::TNoiseBurst(TWindow* parent, const char* resource, NoiseBurstParams* params, HFONT font,
                         const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 560), Params(params)
{
}

void TNoiseBurst::SetupWindow()
{
    TSignalDialog::SetupWindow();
    LimitText(BurstId, 20);
    LimitText(CycleId, 20);
    Binding().Fill(*this, *Params);
}

void TNoiseBurst::CmOk()
{
    NoiseBurstParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::NoiseBurst(edited.BurstTimeMsec, edited.CycleTimeMsec))) return;
    *Params = edited;
    TSignalDialog::CmOk();
}
