#include "dialogs/TFilterDialog.h"

#include <cstdio>
#include <cstring>
#include <string>
#include "dialogs/TDialogHost.h"
#include "dialogs/TFilterForm.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TFilterDialog, TDialog)
    // High pass, low pass, band pass and notch have a run of ids; custom came later.
    EV_CHILD_NOTIFY_ALL_CODES_RANGE(TFilterDialog::HighPassId, TFilterDialog::NotchId, EvTypeChange)
    EV_CHILD_NOTIFY_ALL_CODES(TFilterDialog::CustomId, EvTypeChange)
    EV_COMMAND(TFilterDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TFilterDialog::SelectFileId, CmSelectFile)
    EV_COMMAND(TFilterDialog::EditFileId, CmEditFile)
    EV_COMMAND(TFilterDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

// The radio button of each filter type, in type order.
constexpr int TypeIds[] = {TFilterDialog::LowPassId, TFilterDialog::HighPassId, TFilterDialog::BandPassId,
                           TFilterDialog::NotchId, TFilterDialog::CustomId};
// The frequency and width fields (indexes of FieldIds, -1 none) of each windowed-sinc type.
constexpr int TypeFields[4][2] = {{0, -1}, {1, -1}, {2, 3}, {4, 5}};

}

TFilterDialog::TFilterDialog(TWindow* parent, TDialogHost& host, TResId templateName, FilterSettings* settings,
                             TWaveFormat format)
    : TDialog(parent, templateName), Host(host), Settings(settings), Format(format),
      Nyquist(int32_t(format.SamplingRate / 2))
{
    for (int i = 0; i < FieldCount; ++i) {
        Edits[i] = std::make_unique<TEdit>(this, FieldIds[i][0]);
        Spins[i] = std::make_unique<LimitScroll>(this, FieldIds[i][1], nullptr, Edits[i].get(), float(Nyquist), 0.0f,
                                                 100.0f);
    }
}

TFilterDialog::~TFilterDialog() = default;

void TFilterDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    SelectType(Settings->Type);
    const int32_t values[FieldCount] = {Settings->LPCutoffHz, Settings->HPCutoffHz, Settings->BPCenterHz,
                                        Settings->BPWidthHz,  Settings->NCenterHz,  Settings->NWidthHz};
    for (int i = 0; i < FieldCount; ++i)
        Edits[i]->SetText(std::to_string(values[i]).c_str());
    SetItemText(TapsId, std::to_string(Settings->NumTaps).c_str());
    char gain[32];
    std::snprintf(gain, sizeof gain, "%6.3f", double(Settings->FilterGainDB));
    SetItemText(GainId, gain);
    SetItemText(FileId, std::string(Settings->FilterFilename, strnlen(Settings->FilterFilename,
                                                                      sizeof Settings->FilterFilename)).c_str());
    const bool stereo = Format.NumChannels == 2;
    CheckItem(LeftId, !stereo || Settings->DoLeft ? BST_CHECKED : BST_UNCHECKED);
    CheckItem(RightId, stereo && Settings->DoRight ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(GetDlgItem(LeftId), stereo);
    ::EnableWindow(GetDlgItem(RightId), stereo);
    EnableFields(SelectedType());
}

uint32_t TFilterDialog::SelectedType() const
{
    for (uint32_t type = 0; type < std::size(TypeIds); ++type)
        if (IsItemChecked(TypeIds[type]) == BST_CHECKED)
            return type;
    return FilterSettings::LowPass;
}

void TFilterDialog::SelectType(uint32_t type)
{
    for (uint32_t t = 0; t < std::size(TypeIds); ++t)
        CheckItem(TypeIds[t], t == type ? BST_CHECKED : BST_UNCHECKED);
}

void TFilterDialog::EnableFields(uint32_t type)
{
    bool enabled[FieldCount] = {};
    if (type < std::size(TypeFields))
        for (int field : TypeFields[type])
            if (field >= 0)
                enabled[field] = true;
    for (int i = 0; i < FieldCount; ++i) {
        ::EnableWindow(GetDlgItem(FieldIds[i][0]), enabled[i]);
        ::EnableWindow(GetDlgItem(FieldIds[i][1]), enabled[i]);
    }
    const bool custom = type == FilterSettings::Custom;
    for (int id : {FileId, SelectFileId, EditFileId})
        ::EnableWindow(GetDlgItem(id), custom);
}

void TFilterDialog::EvTypeChange(UINT) { EnableFields(SelectedType()); }

void TFilterDialog::CmOk()
{
    TFilterForm::TFields fields;
    fields.Type = SelectedType();
    fields.Taps = GetItemText(TapsId);
    fields.Gain = GetItemText(GainId);
    if (fields.Type < std::size(TypeFields)) {
        fields.Frequency = GetItemText(FieldIds[TypeFields[fields.Type][0]][0]);
        if (TypeFields[fields.Type][1] >= 0)
            fields.Width = GetItemText(FieldIds[TypeFields[fields.Type][1]][0]);
    }
    fields.FileName = GetItemText(FileId);
    fields.Left = IsItemChecked(LeftId) == BST_CHECKED;
    fields.Right = IsItemChecked(RightId) == BST_CHECKED;
    const std::string refusal = TFilterForm::Store(fields, Nyquist, Format.NumChannels, *Settings);
    if (!refusal.empty()) {
        MessageBox(refusal.c_str(), "Tonalyx", MB_OK);
        return;
    }
    TDialog::CmOk();
}

void TFilterDialog::CmDefaults()
{
    SelectType(FilterSettings::Notch);
    SetItemText(TapsId, "100");
    SetItemText(GainId, "0.0");
    for (int i = 0; i < FieldCount; ++i) {
        const bool width = i == 3 || i == 5;
        Edits[i]->SetText(std::to_string(width ? Nyquist / 4 : Nyquist / 2).c_str());
    }
    SetItemText(FileId, "");
    CheckItem(LeftId, BST_CHECKED);
    CheckItem(RightId, BST_UNCHECKED);
    EnableFields(FilterSettings::Notch);
}

void TFilterDialog::CmSelectFile()
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    data.Filter = "Filter Response Files (*.flt); Overlay Files (*.ovl); Mic Comp (*.mic)|*.flt; *.ovl; *.mic|";
    data.DefExt = "flt";
    data.InitialDir = Host.CurrentFolder("filter");
    if (Host.RunFileDialog(data, "Select Filter Response File", false) != IDOK)
        return;
    if (!Host.FitsFileBuffer(data.FileName))
        return;
    Host.KeepFolder("filter", data.FileName.c_str());
    SetItemText(FileId, data.FileName.c_str());
}

void TFilterDialog::CmEditFile()
{
    // Quoted, so that a name with blanks reaches the editor whole.
    const std::string commandLine = "notepad.exe \"" + GetItemText(FileId) + "\"";
    ::WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}

void TFilterDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
