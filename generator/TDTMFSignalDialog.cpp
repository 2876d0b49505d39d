#include "generator/TDTMFSignalDialog.h"

#include "generator/TSignalParamRules.h"
#include "resources/DTMFSignalDialogRes.h"

namespace {
constexpr int KeysId = IDC_DTMF_KEYS, ToneId = IDC_DTMF_TONE, PauseId = IDC_DTMF_PAUSE, TwistId = IDC_DTMF_TWIST,
    RepeatId = IDC_DTMF_REPEAT;
}

const TDialogBinding<DTMFParams>& TDTMFSignalDialog::Binding()
{
    static const TDialogBinding<DTMFParams> binding =
        TDialogBinding<DTMFParams>()
            // The keys are taken as typed.
            .Text(KeysId, &DTMFParams::KeyString)
            .Number(ToneId, &DTMFParams::PulseWidthMsec, nullptr, NumberLength, IntegerText)
            .Number(PauseId, &DTMFParams::PulseSpacingMsec, nullptr, NumberLength, IntegerText)
            .Number(TwistId, &DTMFParams::TwistDB, "%3.2f", NumberLength, RealText)
            .Check(RepeatId, &DTMFParams::RepeatFlag);
    return binding;
}

TDTMFSignalDialog::TDTMFSignalDialog(TWindow* parent, const char* resource, DTMFParams* params, HFONT font,
                                     const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 580), Params(params)
{
}

void TDTMFSignalDialog::SetupWindow()
{
    TSignalDialog::SetupWindow();
    LimitText(KeysId, DTMFParams::KeySize);
    for (int id : {ToneId, PauseId, TwistId}) LimitText(id, 20);
    Binding().Fill(*this, *Params);
}

void TDTMFSignalDialog::CmOk()
{
    DTMFParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::DTMF(edited.PulseWidthMsec, edited.PulseSpacingMsec, edited.TwistDB))) return;
    *Params = edited;
    TSignalDialog::CmOk();
}
