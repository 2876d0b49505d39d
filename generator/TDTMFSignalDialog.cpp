#include "generator/TDTMFSignalDialog.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "generator/TSignalParamRules.h"
#include "resources/DTMFSignalDialogRes.h"

namespace {
constexpr int KeysId = IDC_DTMF_KEYS, ToneId = IDC_DTMF_TONE, PauseId = IDC_DTMF_PAUSE, TwistId = IDC_DTMF_TWIST,
    RepeatId = IDC_DTMF_REPEAT;
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
    SetItemText(KeysId, std::string(Params->KeyString, strnlen(Params->KeyString, DTMFParams::KeySize)).c_str());
    WriteInteger(ToneId, "%ld", Params->PulseWidthMsec);
    WriteInteger(PauseId, "%ld", Params->PulseSpacingMsec);
    WriteReal(TwistId, "%3.2f", Params->TwistDB);
    CheckItem(RepeatId, Params->RepeatFlag ? BST_CHECKED : BST_UNCHECKED);
}

void TDTMFSignalDialog::CmOk()
{
    const int32_t tone = ReadInteger(ToneId), pause = ReadInteger(PauseId);
    const float twist = ReadReal(TwistId);
    if (!Accept(TSignalParamRules::DTMF(tone, pause, twist))) return;
    // The keys are taken as typed.
    const std::string keys = GetItemText(KeysId);
    const size_t n = std::min(keys.size(), size_t(DTMFParams::KeySize - 1));
    std::memcpy(Params->KeyString, keys.data(), n);
    Params->KeyString[n] = '\0';
    Params->PulseWidthMsec = tone;
    Params->PulseSpacingMsec = pause;
    Params->TwistDB = twist;
    Params->RepeatFlag = IsChecked(RepeatId) ? 1 : 0;
    TSignalDialog::CmOk();
}
