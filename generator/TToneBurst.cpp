#include "generator/TToneBurst.h"

#include "generator/TSignalParamRules.h"
#include "resources/ToneBurstRes.h"

namespace {
constexpr int FrequencyId = IDC_TONE_BURST_FREQUENCY, BurstId = IDC_TONE_BURST_BURST, CycleId = IDC_TONE_BURST_CYCLE;
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
    WriteInteger(FrequencyId, "%ld", Params->FreqHz);
    WriteInteger(BurstId, "%ld", Params->BurstTimeMsec);
    WriteInteger(CycleId, "%ld", Params->CycleTimeMsec);
}

void TToneBurst::CmOk()
{
    const int32_t frequency = ReadInteger(FrequencyId), burst = ReadInteger(BurstId), cycle = ReadInteger(CycleId);
    if (!Accept(TSignalParamRules::ToneBurst(frequency, burst, cycle, Nyquist))) return;
    *Params = {frequency, burst, cycle};
    TSignalDialog::CmOk();
}
