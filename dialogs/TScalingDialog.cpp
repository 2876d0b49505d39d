#include "dialogs/TScalingDialog.h"

#include <string>
#include "dialogs/TCompensationFileDialog.h"
#include "dialogs/TDialogHost.h"
#include "dialogs/TScalingForm.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TScalingDialog, TDialog)
    EV_COMMAND(TScalingDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TScalingDialog::SelectLeftId, CmSelectLeft)
    EV_COMMAND(TScalingDialog::SelectRightId, CmSelectRight)
    EV_COMMAND(TScalingDialog::DensityId, EvDensityToggle)
    EV_COMMAND(TScalingDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

TScalingDialog::TScalingDialog(TWindow* parent, TDialogHost& host, TResId templateName, DisplaySettingsStruct* left,
                               DisplaySettingsStruct* right)
    : TDialog(parent, templateName), Host(host), LeftRecord(left), RightRecord(right), Left(*left), Right(*right)
{
}

void TScalingDialog::CheckOnly(const int* ids, int count, int checked)
{
    for (int i = 0; i < count; ++i) CheckItem(ids[i], ids[i] == checked ? BST_CHECKED : BST_UNCHECKED);
}

void TScalingDialog::CheckFrequencyChoice(int choice)
{
    for (int i = 0; i < TScalingForm::FrequencyChoiceCount; ++i)
        CheckItem(TScalingForm::FrequencyChoices[i].ButtonId, i == choice ? BST_CHECKED : BST_UNCHECKED);
}

void TScalingDialog::EnableDensityUnits(bool enable)
{
    ::EnableWindow(GetDlgItem(SqrtHzId), enable);
    ::EnableWindow(GetDlgItem(SquaredId), enable);
}

void TScalingDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    CheckItem(LinearAmplitudeId, Left.AmpScaleType == DisplaySettingsStruct::LinearAmplitude);
    CheckItem(LogAmplitudeId, Left.AmpScaleType == DisplaySettingsStruct::DecibelAmplitude);
    CheckItem(DensityId, Left.SpectralDensityFlag == 1);
    EnableDensityUnits(Left.SpectralDensityFlag == 1);
    CheckItem(SqrtHzId, Left.SpectralDensityType == 1);
    CheckItem(SquaredId, Left.SpectralDensityType == 0);
    int choice = TScalingForm::FrequencyChoiceOf(Left);
    if (choice < 0 && Left.FreqScaleType == DisplaySettingsStruct::OctaveBands)
        choice = TScalingForm::ThirdOctaveChoice;
    CheckFrequencyChoice(choice);
    CheckOnly(SpectrumWeightingIds, 4, Left.StandardWeighting < 4 ? SpectrumWeightingIds[Left.StandardWeighting] : 0);
    CheckOnly(PowerWeightingIds, 4, Left.TotalPowerWeighting < 4 ? PowerWeightingIds[Left.TotalPowerWeighting] : 0);
    CheckItem(CompensationId, Left.MicCompEnable ? BST_CHECKED : BST_UNCHECKED);
    for (int id : {int(LeftFileId), int(RightFileId)}) SendDlgItemMessage(id, EM_LIMITTEXT, FileNameLength);
    SetItemText(LeftFileId, Left.MicCompFilename);
    SetItemText(RightFileId, Right.MicCompFilename);
}

void TScalingDialog::EvDensityToggle() { EnableDensityUnits(IsItemChecked(DensityId) == BST_CHECKED); }

void TScalingDialog::CmOk()
{
    if (IsItemChecked(LinearAmplitudeId)) Left.AmpScaleType = DisplaySettingsStruct::LinearAmplitude;
    if (IsItemChecked(LogAmplitudeId)) Left.AmpScaleType = DisplaySettingsStruct::DecibelAmplitude;
    Left.SpectralDensityFlag = IsItemChecked(DensityId) == BST_CHECKED ? 1 : 0;
    Left.SpectralDensityType = IsItemChecked(SqrtHzId) == BST_CHECKED ? 1 : 0;
    // Narrowband buttons first, so that a checked octave button wins.
    for (int i = 0; i < TScalingForm::FrequencyChoiceCount; ++i)
        if (IsItemChecked(TScalingForm::FrequencyChoices[i].ButtonId)) TScalingForm::StoreFrequencyChoice(i, Left);
    if (TScalingForm::DensityConflicts(Left)) {
        MessageBox(TScalingForm::DensityConflictMessage, "Tonalyx", MB_OK | MB_ICONINFORMATION);
        return;
    }
    for (uint16_t w = 0; w < 4; ++w) {
        if (IsItemChecked(SpectrumWeightingIds[w])) Left.StandardWeighting = w;
        if (IsItemChecked(PowerWeightingIds[w])) Left.TotalPowerWeighting = w;
    }
    Left.MicCompEnable = IsItemChecked(CompensationId) == BST_CHECKED ? 1 : 0;
    GetItemText(LeftFileId, Left.MicCompFilename, FileNameLength + 1);
    GetItemText(RightFileId, Right.MicCompFilename, FileNameLength + 1);
    TScalingForm::LimitFraction(Left);
    *LeftRecord = Left;
    *RightRecord = Right;
    TDialog::CmOk();
}

// Sets the controls only; the records change at OK.
void TScalingDialog::CmDefaults()
{
    const DisplaySettingsStruct d = Host.ScalingDefaults();
    CheckItem(LinearAmplitudeId, d.AmpScaleType == DisplaySettingsStruct::LinearAmplitude);
    CheckItem(LogAmplitudeId, d.AmpScaleType == DisplaySettingsStruct::DecibelAmplitude);
    CheckItem(DensityId, d.SpectralDensityFlag == 1);
    CheckItem(SqrtHzId, d.SpectralDensityType == 1);
    CheckItem(SquaredId, d.SpectralDensityType == 0);
    EnableDensityUnits(d.SpectralDensityFlag == 1);
    CheckFrequencyChoice(TScalingForm::FrequencyChoiceOf(d));
    CheckOnly(SpectrumWeightingIds, 4, d.StandardWeighting < 4 ? SpectrumWeightingIds[d.StandardWeighting] : 0);
    CheckOnly(PowerWeightingIds, 4, d.TotalPowerWeighting < 4 ? PowerWeightingIds[d.TotalPowerWeighting] : 0);
    CheckItem(CompensationId, d.MicCompEnable ? BST_CHECKED : BST_UNCHECKED);
    SetItemText(LeftFileId, d.MicCompFilename);
    SetItemText(RightFileId, d.MicCompFilename);
}

void TScalingDialog::SelectFile(int editId)
{
    std::string path;
    if (!TCompensationFileDialog::Run(Host, path)) return;
    SetItemText(editId, path.c_str());
    CheckItem(CompensationId, BST_CHECKED);
}

void TScalingDialog::CmSelectLeft() { SelectFile(LeftFileId); }

void TScalingDialog::CmSelectRight() { SelectFile(RightFileId); }

void TScalingDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
