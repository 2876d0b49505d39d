#include "generator/TSignalToWaveOptionsDialog.h"

#include <cstdio>
#include <string>

#include "framework/UiHelpers.h"
#include "resources/SignalToWaveOptionsDialogRes.h"

namespace {
constexpr int ListId = IDC_SIGNAL_LENGTH_LIST, SignalLengthId = IDC_SIGNAL_LENGTH_SIGNAL_LENGTH,
    TotalLengthId = IDC_SIGNAL_LENGTH_TOTAL_LENGTH;
}

DEFINE_RESPONSE_TABLE1(TSignalToWaveOptionsDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES(ListId, ListNotify)
END_RESPONSE_TABLE;

TSignalToWaveOptionsDialog::TSignalToWaveOptionsDialog(TWindow* parent, const char* resource, TWaveData* signal,
                                                       int32_t* multiplier, HFONT font)
    : TDialog(parent, resource), Signal(signal), Multiplier(multiplier), Font(font),
      SignalLength(std::make_unique<TStatic>(this, SignalLengthId, 20)),
      TotalLength(std::make_unique<TStatic>(this, TotalLengthId, 20)),
      MultiplierList(std::make_unique<TComboBox>(this, ListId))
{
}

void TSignalToWaveOptionsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    if (IsWin32s() && Font) SendMessage(WM_SETFONT, WPARAM(Font), TRUE);
    for (int n = 1; n <= MaxMultiplier; ++n) MultiplierList->AddString(std::to_string(n).c_str());
    MultiplierList->SetSelIndex(*Multiplier - 1);
    UpdateLength();
}

void TSignalToWaveOptionsDialog::ListNotify(UINT)
{
    UpdateLength();
}

void TSignalToWaveOptionsDialog::UpdateLength()
{
    if (!Signal) return;
    const double seconds = Signal->GetDuration();
    char text[32];
    std::snprintf(text, sizeof text, "%6.2f", seconds);
    SignalLength->SetText(text);
    std::snprintf(text, sizeof text, "%6.2f", (MultiplierList->GetSelIndex() + 1) * seconds);
    TotalLength->SetText(text);
}

void TSignalToWaveOptionsDialog::CmOk()
{
    *Multiplier = MultiplierList->GetSelIndex() + 1;
    TDialog::CmOk();
}
