#include "dialogs/TFileDecimateDialog.h"

#include <string>
#include "dialogs/TDialogHost.h"
#include "dialogs/TWaveEditForm.h"
#include "engine/TSeriesData.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TFileDecimateDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES(TFileDecimateDialog::RatioId, EvRatioChange)
    EV_COMMAND(TFileDecimateDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

TFileDecimateDialog::TFileDecimateDialog(TWindow* parent, TDialogHost& host, TResId templateName, uint32_t oldRate,
                                         uint32_t* ratio, uint32_t* filter)
    : TDialog(parent, templateName), Host(host), OldRate(oldRate), Ratio(ratio), Filter(filter),
      RatioEdit(std::make_unique<TEdit>(this, RatioId)),
      Spin(std::make_unique<LimitScroll>(this, SpinId, nullptr, RatioEdit.get(),
                                         float(TSeriesData::MaxDecimationRatio), 1.0f, 1.0f))
{
}

TFileDecimateDialog::~TFileDecimateDialog() = default;

void TFileDecimateDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    SetItemText(RatioId, std::to_string(*Ratio).c_str());
    CheckItem(FilterId, *Filter == 1 ? BST_CHECKED : BST_UNCHECKED);
    ShowRates();
}

void TFileDecimateDialog::ShowRates()
{
    SetItemText(OldRateId, std::to_string(OldRate).c_str());
    SetItemText(NewRateId, std::to_string(TWaveEditForm::NewRate(OldRate, GetItemText(RatioId))).c_str());
}

void TFileDecimateDialog::EvRatioChange(UINT) { ShowRates(); }

void TFileDecimateDialog::CmOk()
{
    uint16_t ratio = 0;
    std::string refusal = TWaveEditForm::CheckRatio(GetItemText(RatioId), ratio);
    if (refusal.empty())
        refusal = TWaveEditForm::CheckDecimatedRate(OldRate, ratio);
    if (!refusal.empty()) {
        MessageBox(refusal.c_str(), "Tonalyx", MB_OK | MB_ICONINFORMATION);
        return;
    }
    *Ratio = ratio;
    *Filter = IsItemChecked(FilterId) == BST_CHECKED ? 1 : 0;
    TDialog::CmOk();
}

void TFileDecimateDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
