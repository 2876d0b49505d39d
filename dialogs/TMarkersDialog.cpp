#include "dialogs/TMarkersDialog.h"

#include <iterator>
#include "dialogs/TDialogHost.h"
#include "dialogs/TFieldText.h"
#include "framework/LimitScroll.h"
#include "framework/TComboBox.h"
#include "framework/TDialogBinding.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TMarkersDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES_RANGE(TMarkersDialog::EnableId, TMarkersDialog::EnableId + MarkerSettings::Count - 1,
                                    EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES_RANGE(TMarkersDialog::LabelTypeId, TMarkersDialog::LabelTypeId + MarkerSettings::Count - 1,
                                    EvRowChange)
    EV_COMMAND(TMarkersDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

constexpr int LabelSize = int(sizeof MarkerSettings::CustomLabel[0]);

// Every row as typed: a frequency field refuses nothing.
TDialogBindingBase::TReading AnyFrequency(const std::string& text) { return {TFieldText::ToFloat(text), "", 0}; }

const TDialogBinding<MarkerSettings>& Binding()
{
    static const TDialogBinding<MarkerSettings> binding = [] {
        using M = TMarkersDialog;
        TDialogBinding<MarkerSettings> b;
        for (int row = 0; row < MarkerSettings::Count; ++row) {
            b.Check(M::EnableId + row, [row](auto& m) -> auto& { return m.MarkerEnable[row]; })
                .Number(M::FrequencyId + row, [row](auto& m) -> auto& { return m.MarkerFreq[row]; }, "%6.1f",
                        M::FrequencyLength, AnyFrequency)
                .Selection(M::LabelTypeId + row, [row](auto& m) -> auto& { return m.LabelType[row]; },
                           int(std::size(M::LabelTypes)))
                .Text(M::CustomLabelId + row, [row](auto& m) -> auto& { return m.CustomLabel[row]; });
        }
        b.Check(M::PeakHoldId, &MarkerSettings::PeakHoldFlag);
        return b;
    }();
    return binding;
}

}

TMarkersDialog::TMarkersDialog(TWindow* parent, TDialogHost& host, TResId templateName, MarkerSettings* markers)
    : TDialog(parent, templateName), Host(host), Markers(markers)
{
    for (int row = 0; row < MarkerSettings::Count; ++row) {
        LabelLists[row] = std::make_unique<TComboBox>(this, LabelTypeId + row);
        Frequencies[row] = std::make_unique<TEdit>(this, FrequencyId + row);
        Spins[row] = std::make_unique<LimitScroll>(this, SpinId + row, nullptr, Frequencies[row].get(), SpinMaximum,
                                                   0.0f, 1.0f);
    }
}

TMarkersDialog::~TMarkersDialog() = default;

void TMarkersDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (int row = 0; row < MarkerSettings::Count; ++row) {
        for (const char* type : LabelTypes) LabelLists[row]->AddString(type);
        // The edit holds what the record's field holds: one character less than its size.
        SendDlgItemMessage(CustomLabelId + row, EM_LIMITTEXT, LabelSize - 1);
    }
    Binding().Fill(*this, *Markers);
    EnableRows();
}

void TMarkersDialog::EnableRows()
{
    for (int row = 0; row < MarkerSettings::Count; ++row) {
        const bool enabled = IsItemChecked(EnableId + row) == BST_CHECKED;
        ::EnableWindow(GetDlgItem(FrequencyId + row), enabled);
        ::EnableWindow(GetDlgItem(SpinId + row), enabled);
        ::EnableWindow(GetDlgItem(CustomLabelId + row), LabelLists[row]->GetText() == LabelTypes[CustomLabelType]);
    }
}

void TMarkersDialog::EvRowChange(UINT) { EnableRows(); }

void TMarkersDialog::CmOk()
{
    Binding().Collect(*this, *Markers);
    TDialog::CmOk();
}

void TMarkersDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
