#include "dialogs/TMarkersDialog.h"

#include <cstdio>
#include <cstring>
#include "dialogs/TDialogHost.h"
#include "dialogs/TFieldText.h"
#include "framework/LimitScroll.h"
#include "framework/TComboBox.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TMarkersDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::EnableId + 0, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::EnableId + 1, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::EnableId + 2, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::EnableId + 3, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::EnableId + 4, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::EnableId + 5, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::EnableId + 6, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::EnableId + 7, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::LabelTypeId + 0, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::LabelTypeId + 1, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::LabelTypeId + 2, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::LabelTypeId + 3, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::LabelTypeId + 4, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::LabelTypeId + 5, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::LabelTypeId + 6, EvRowChange)
    EV_CHILD_NOTIFY_ALL_CODES(TMarkersDialog::LabelTypeId + 7, EvRowChange)
    EV_COMMAND(TMarkersDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {
constexpr int LabelSize = int(sizeof MarkerSettings::CustomLabel[0]);
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
        char text[32];
        std::snprintf(text, sizeof text, "%6.1f", double(Markers->MarkerFreq[row]));
        SetItemText(FrequencyId + row, text);
        for (const char* type : LabelTypes) LabelLists[row]->AddString(type);
        LabelLists[row]->SetSelIndex(Markers->LabelType[row] < 5 ? int(Markers->LabelType[row]) : -1);
        // The edit holds what the record's field holds: one character less than its size.
        SendDlgItemMessage(CustomLabelId + row, EM_LIMITTEXT, LabelSize - 1);
        SetItemText(CustomLabelId + row, std::string(Markers->CustomLabel[row], strnlen(Markers->CustomLabel[row],
                                                                                          LabelSize)).c_str());
        CheckItem(EnableId + row, Markers->MarkerEnable[row] ? BST_CHECKED : BST_UNCHECKED);
    }
    CheckItem(PeakHoldId, Markers->PeakHoldFlag ? BST_CHECKED : BST_UNCHECKED);
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
    for (int row = 0; row < MarkerSettings::Count; ++row) {
        Markers->MarkerEnable[row] = IsItemChecked(EnableId + row) == BST_CHECKED ? 1 : 0;
        char text[FrequencyLength + 1] = {};
        GetItemText(FrequencyId + row, text, sizeof text);
        Markers->MarkerFreq[row] = float(TFieldText::ToFloat(text));
        const int type = LabelLists[row]->GetSelIndex();
        if (type >= 0) Markers->LabelType[row] = uint32_t(type);
        GetItemText(CustomLabelId + row, Markers->CustomLabel[row], LabelSize);
    }
    Markers->PeakHoldFlag = IsItemChecked(PeakHoldId) == BST_CHECKED ? 1 : 0;
    TDialog::CmOk();
}

void TMarkersDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
