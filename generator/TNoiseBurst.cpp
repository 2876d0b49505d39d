#include "generator/TNoiseBurst.h"

#include "generator/TSignalParamRules.h"
#include "resources/NoiseBurstRes.h"

namespace {
constexpr int WhiteId = IDC_NOISE_BURST_WHITE, PinkId = IDC_NOISE_BURST_PINK, BurstId = IDC_NOISE_BURST_BURST,
    CycleId = IDC_NOISE_BURST_CYCLE;
}

TNoiseBurst::TNoiseBurst(TWindow* parent, const char* resource, NoiseBurstParams* params, HFONT font,
                         const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 560), Params(params)
{
}

void TNoiseBurst::SetupWindow()
{
    TSignalDialog::SetupWindow();
    CheckRadioButton(WhiteId, PinkId, Params->Type == 0 ? WhiteId : PinkId);
    LimitText(BurstId, 20);
    LimitText(CycleId, 20);
    WriteInteger(BurstId, "%ld", Params->BurstTimeMsec);
    WriteInteger(CycleId, "%ld", Params->CycleTimeMsec);
}

void TNoiseBurst::CmOk()
{
    const int32_t burst = ReadInteger(BurstId), cycle = ReadInteger(CycleId);
    if (!Accept(TSignalParamRules::NoiseBurst(burst, cycle))) return;
    Params->Type = IsChecked(WhiteId) ? 0 : 1;
    Params->BurstTimeMsec = burst;
    Params->CycleTimeMsec = cycle;
    TSignalDialog::CmOk();
}
