#include "dialogs/TScalingDialog.h"

#include <iterator>
#include <string>
#include "dialogs/TCompensationFileDialog.h"
#include "dialogs/TDialogHost.h"
#include "dialogs/TScalingForm.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TScalingDialog, TDialog)
    EV_COMMAND(TScalingDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TScalingDialog::SelectLeftId, CmSelectLeft)
    EV_COMMAND(TScalingDialog::SelectRightId, CmSelectRight)
    EV_COMMAND(TScalingDialog::DensityId, EvDensityToggle)
    EV_COMMAND(TScalingDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

using D = DisplaySettingsStruct;
using S = TScalingDialog;
constexpr int FileLength = TScalingDialog::FileNameLength;

// The left record holds every choice; the right one only its file.
const TDialogBinding<D>& LeftBinding()
{
    static const TDialogBinding<D> binding =
        TDialogBinding<D>()
            .Radio({S::LinearAmplitudeId, S::LogAmplitudeId}, &D::AmpScaleType,
                   {D::LinearAmplitude, D::DecibelAmplitude})
            .Check(S::DensityId, &D::SpectralDensityFlag, true)
            // A unit no button shows is shown as none and stored as squared.
            .Radio({S::SquaredId, S::SqrtHzId}, &D::SpectralDensityType, {0, 1}, 0,
                   TDialogBindingBase::TFallback::StoredOnly)
            .Radio({std::begin(S::SpectrumWeightingIds), std::end(S::SpectrumWeightingIds)}, &D::StandardWeighting)
            .Radio({std::begin(S::PowerWeightingIds), std::end(S::PowerWeightingIds)}, &D::TotalPowerWeighting)
            .Check(S::CompensationId, &D::MicCompEnable)
            .Text(S::LeftFileId, &D::MicCompFilename, FileLength);
    return binding;
}

const TDialogBinding<D>& RightBinding()
{
    static const TDialogBinding<D> binding = TDialogBinding<D>().Text(S::RightFileId, &D::MicCompFilename, FileLength);
    return binding;
}

}

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
    for (int id : {int(LeftFileId), int(RightFileId)}) SendDlgItemMessage(id, EM_LIMITTEXT, FileNameLength);
    LeftBinding().Fill(*this, Left);
    RightBinding().Fill(*this, Right);
    EnableDensityUnits(Left.SpectralDensityFlag == 1);
    int choice = TScalingForm::FrequencyChoiceOf(Left);
    if (choice < 0 && Left.FreqScaleType == DisplaySettingsStruct::OctaveBands)
        choice = TScalingForm::ThirdOctaveChoice;
    CheckFrequencyChoice(choice);
}

void TScalingDialog::EvDensityToggle() { EnableDensityUnits(IsItemChecked(DensityId) == BST_CHECKED); }

void TScalingDialog::CmOk()
{
    LeftBinding().Collect(*this, Left);
    RightBinding().Collect(*this, Right);
    // Narrowband buttons first, so that a checked octave button wins.
    for (int i = 0; i < TScalingForm::FrequencyChoiceCount; ++i)
        if (IsItemChecked(TScalingForm::FrequencyChoices[i].ButtonId)) TScalingForm::StoreFrequencyChoice(i, Left);
    if (TScalingForm::DensityConflicts(Left)) {
        MessageBox(TScalingForm::DensityConflictMessage, "Tonalyx", MB_OK | MB_ICONINFORMATION);
        return;
    }
    TScalingForm::LimitFraction(Left);
    *LeftRecord = Left;
    *RightRecord = Right;
    TDialog::CmOk();
}

// Sets the controls only; the records change at OK.
void TScalingDialog::CmDefaults()
{
    CheckItem(LinearAmplitudeId, BST_UNCHECKED);
    CheckItem(LogAmplitudeId, BST_CHECKED);
    CheckItem(DensityId, BST_UNCHECKED);
    CheckItem(SqrtHzId, BST_CHECKED);
    CheckItem(SquaredId, BST_UNCHECKED);
    EnableDensityUnits(false);
    // The default axis of the settings files: narrowband logarithmic.
    CheckFrequencyChoice(TScalingForm::FrequencyChoiceOf(DisplaySettingsStruct{}));
    CheckOnly(SpectrumWeightingIds, 4, SpectrumWeightingIds[0]);
    CheckOnly(PowerWeightingIds, 4, PowerWeightingIds[0]);
    CheckItem(CompensationId, BST_UNCHECKED);
    SetItemText(LeftFileId, "");
    SetItemText(RightFileId, "");
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
