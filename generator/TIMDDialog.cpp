#include "generator/TIMDDialog.h"

#include "generator/TSignalParamRules.h"
#include "resources/IMDDialogRes.h"

namespace {
constexpr int Set1Id = IDC_IMD_SET1, Set2Id = IDC_IMD_SET2, CustomId = IDC_IMD_CUSTOM, LowId = IDC_IMD_LOW,
    HighId = IDC_IMD_HIGH, RatioId = IDC_IMD_RATIO;
}

const TDialogBinding<IMDParams>& TIMDDialog::Binding()
{
    static const TDialogBinding<IMDParams> binding =
        TDialogBinding<IMDParams>()
            // A stored kind no button shows stays as it was.
            .Radio({Set1Id, Set2Id, CustomId}, &IMDParams::IMDtype)
            .Number(LowId, &IMDParams::LoFreqHz, "%6.1f", NumberLength, RealText)
            .Number(HighId, &IMDParams::HiFreqHz, "%6.1f", NumberLength, RealText)
            .Number(RatioId, &IMDParams::PwrRatio, "%6.1f", NumberLength, RealText);
    return binding;
}

TIMDDialog::TIMDDialog(TWindow* parent, const char* resource, IMDParams* params, int32_t nyquist, HFONT font,
                       const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 520), Params(params), Nyquist(nyquist)
{
}

void TIMDDialog::SetupWindow()
{
    TSignalDialog::SetupWindow();
    Binding().Fill(*this, *Params);
}

void TIMDDialog::CmOk()
{
    IMDParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::IMD(IsChecked(CustomId), edited.LoFreqHz, edited.HiFreqHz, edited.PwrRatio,
                                       Nyquist),
                MB_ICONSTOP))
        return;
    *Params = edited;
    TSignalDialog::CmOk();
}
