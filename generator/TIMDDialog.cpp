#include "generator/TIMDDialog.h"

#include "generator/TSignalParamRules.h"
#include "resources/IMDDialogRes.h"

namespace {
constexpr int Set1Id = IDC_IMD_SET1, Set2Id = IDC_IMD_SET2, CustomId = IDC_IMD_CUSTOM, LowId = IDC_IMD_LOW,
    HighId = IDC_IMD_HIGH, RatioId = IDC_IMD_RATIO;
}

TIMDDialog::TIMDDialog(TWindow* parent, const char* resource, IMDParams* params, int32_t nyquist, HFONT font,
                       const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 520), Params(params), Nyquist(nyquist)
{
}

void TIMDDialog::SetupWindow()
{
    TSignalDialog::SetupWindow();
    const uint16_t type = Params->IMDtype;
    CheckRadioButton(Set1Id, CustomId, type == 0 ? Set1Id : type == 1 ? Set2Id : type == 2 ? CustomId : 0);
    WriteReal(LowId, "%6.1f", Params->LoFreqHz);
    WriteReal(HighId, "%6.1f", Params->HiFreqHz);
    WriteReal(RatioId, "%6.1f", Params->PwrRatio);
}

void TIMDDialog::CmOk()
{
    const bool custom = IsChecked(CustomId);
    const float low = ReadReal(LowId), high = ReadReal(HighId), ratio = ReadReal(RatioId);
    if (!Accept(TSignalParamRules::IMD(custom, low, high, ratio, Nyquist), MB_ICONSTOP)) return;
    // A stored kind no button shows stays as it was.
    if (IsChecked(Set1Id)) Params->IMDtype = 0;
    else if (IsChecked(Set2Id)) Params->IMDtype = 1;
    else if (custom) Params->IMDtype = 2;
    Params->LoFreqHz = low;
    Params->HiFreqHz = high;
    Params->PwrRatio = ratio;
    TSignalDialog::CmOk();
}
