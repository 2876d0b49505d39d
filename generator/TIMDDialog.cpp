#include "generator/TIMDDialog.h"

#include "generator/TSignalParamRules.h"

namespace {
constexpr int Set1Id = 110, Set2Id = 111, CustomId = 112, LowId = 113, HighId = 114, RatioId = 115;
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
