#include "dialogs/TDCOffsetDialog.h"

#include <cstdio>
#include "dialogs/TDialogHost.h"
#include "dialogs/TFieldText.h"
#include "dialogs/TWaveEditForm.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TDCOffsetDialog, TDialog)
    EV_COMMAND(TDCOffsetDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

TDCOffsetDialog::TDCOffsetDialog(TWindow* parent, TDialogHost& host, TResId templateName, uint16_t channels,
                                 const CalibrationChannel& leftCalibration, float* left, float* right)
    : TDialog(parent, templateName), Host(host), Channels(channels),
      UnitText(TWaveEditForm::OffsetUnitText(leftCalibration)), Left(left), Right(right)
{
    const int ids[2][2] = {{LeftId, LeftSpinId}, {RightId, RightSpinId}};
    for (int c = 0; c < 2; ++c) {
        Edits[c] = std::make_unique<TEdit>(this, ids[c][0]);
        Spins[c] = std::make_unique<LimitScroll>(this, ids[c][1], nullptr, Edits[c].get(), TWaveEditForm::MaxOffset,
                                                 -TWaveEditForm::MaxOffset, 1.0f);
    }
}

TDCOffsetDialog::~TDCOffsetDialog() = default;

void TDCOffsetDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    const float* values[2] = {Left, Right};
    for (int c = 0; c < 2; ++c) {
        Spins[c]->SetPrecision(4);
        char text[64];
        std::snprintf(text, sizeof text, "%3.4f", double(*values[c]));
        Edits[c]->SetText(text);
    }
    if (Channels == 1) {
        ::EnableWindow(GetDlgItem(RightId), FALSE);
        ::EnableWindow(GetDlgItem(RightSpinId), FALSE);
    }
    SetItemText(UnitId, UnitText.c_str());
}

void TDCOffsetDialog::CmOk()
{
    const double left = TFieldText::ToFloat(GetItemText(LeftId));
    const double right = TFieldText::ToFloat(GetItemText(RightId));
    const std::string refusal = TWaveEditForm::CheckOffsets(left, right);
    if (!refusal.empty()) {
        MessageBox(refusal.c_str(), "Tonalyx", MB_OK | MB_ICONINFORMATION);
        return;
    }
    *Left = float(left);
    *Right = float(right);
    TDialog::CmOk();
}

void TDCOffsetDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
