#include "dialogs/TScalingIndependentDialog.h"

#include <string>
#include "dialogs/TCompensationFileDialog.h"
#include "dialogs/TDialogHost.h"
#include "dialogs/TScalingForm.h"
#include "framework/TComboBox.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TScalingIndependentDialog, TDialog)
    EV_COMMAND(TScalingIndependentDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TScalingIndependentDialog::SelectLeftId, CmSelectLeft)
    EV_COMMAND(TScalingIndependentDialog::SelectRightId, CmSelectRight)
    EV_COMMAND(TScalingIndependentDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

constexpr int FileIds[2] = {TScalingIndependentDialog::LeftFileId, TScalingIndependentDialog::RightFileId};
constexpr int EnableIds[2] = {TScalingIndependentDialog::LeftEnableId, TScalingIndependentDialog::RightEnableId};

void Fill(TComboBox& list, const char* const* texts, int count)
{
    for (int i = 0; i < count; ++i) list.AddString(texts[i]);
}

// A channel's compensation; its lists are matched by their texts beside it.
TDialogBinding<DisplaySettingsStruct> CompensationOf(int channel)
{
    return TDialogBinding<DisplaySettingsStruct>()
        .Check(EnableIds[channel], &DisplaySettingsStruct::MicCompEnable)
        .Text(FileIds[channel], &DisplaySettingsStruct::MicCompFilename, TScalingIndependentDialog::FileNameLength);
}

const TDialogBinding<DisplaySettingsStruct>& Compensation(int channel)
{
    static const TDialogBinding<DisplaySettingsStruct> bindings[2] = {CompensationOf(0), CompensationOf(1)};
    return bindings[channel];
}

}

TScalingIndependentDialog::TScalingIndependentDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                                     DisplaySettingsStruct* left, DisplaySettingsStruct* right)
    : TDialog(parent, templateName), Host(host), Records{left, right}, Channels{*left, *right}
{
    for (int c = 0; c < 2; ++c) {
        Lists[c].Amplitude = std::make_unique<TComboBox>(this, AmplitudeIds[c]);
        Lists[c].Frequency = std::make_unique<TComboBox>(this, FrequencyIds[c]);
        Lists[c].SpectrumWeighting = std::make_unique<TComboBox>(this, SpectrumWeightingIds[c]);
        Lists[c].Density = std::make_unique<TComboBox>(this, DensityIds[c]);
        Lists[c].PowerWeighting = std::make_unique<TComboBox>(this, PowerWeightingIds[c]);
    }
}

TScalingIndependentDialog::~TScalingIndependentDialog() = default;

void TScalingIndependentDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (int c = 0; c < 2; ++c) {
        TChannelLists& l = Lists[c];
        Fill(*l.Amplitude, TScalingForm::AmplitudeTexts, 2);
        for (const TScalingForm::TFrequencyChoice& choice : TScalingForm::FrequencyChoices)
            l.Frequency->AddString(choice.Text);
        Fill(*l.SpectrumWeighting, TScalingForm::WeightingTexts, 4);
        Fill(*l.PowerWeighting, TScalingForm::WeightingTexts, 4);
        Fill(*l.Density, TScalingForm::DensityTexts, 3);
        SendDlgItemMessage(FileIds[c], EM_LIMITTEXT, FileNameLength);
        ShowChannel(c);
    }
}

// A value no entry shows leaves its list without a selection.
void TScalingIndependentDialog::ShowChannel(int c)
{
    const DisplaySettingsStruct& s = Channels[c];
    auto index = [](uint16_t value, int count) { return value < count ? int(value) : -1; };
    Lists[c].Amplitude->SetSelIndex(index(s.AmpScaleType, 2));
    Lists[c].Frequency->SetSelIndex(TScalingForm::FrequencyChoiceOf(s));
    Lists[c].SpectrumWeighting->SetSelIndex(index(s.StandardWeighting, 4));
    Lists[c].PowerWeighting->SetSelIndex(index(s.TotalPowerWeighting, 4));
    Lists[c].Density->SetSelIndex(TScalingForm::DensityChoiceOf(s));
    Compensation(c).Fill(*this, s);
}

int TScalingIndependentDialog::ChosenText(TComboBox& list, const char* const* texts, int count) const
{
    return TScalingForm::IndexOfText(list.GetText(), texts, count);
}

void TScalingIndependentDialog::CmOk()
{
    for (int c = 0; c < 2; ++c) {
        const int amplitude = ChosenText(*Lists[c].Amplitude, TScalingForm::AmplitudeTexts, 2);
        if (amplitude >= 0) Channels[c].AmpScaleType = uint16_t(amplitude);
    }
    for (int c = 0; c < 2; ++c) {
        const std::string text = Lists[c].Frequency->GetText();
        for (int i = 0; i < TScalingForm::FrequencyChoiceCount; ++i)
            if (text == TScalingForm::FrequencyChoices[i].Text) TScalingForm::StoreFrequencyChoice(i, Channels[c]);
    }
    for (int c = 0; c < 2; ++c)
        TScalingForm::StoreDensityChoice(ChosenText(*Lists[c].Density, TScalingForm::DensityTexts, 3), Channels[c]);
    if (TScalingForm::DensityConflicts(Channels[0]) || TScalingForm::DensityConflicts(Channels[1])) {
        MessageBox(TScalingForm::DensityConflictMessage, "Tonalyx", MB_OK | MB_ICONINFORMATION);
        return;
    }
    for (int c = 0; c < 2; ++c) {
        DisplaySettingsStruct& s = Channels[c];
        TScalingForm::LimitFraction(s);
        const int spectrum = ChosenText(*Lists[c].SpectrumWeighting, TScalingForm::WeightingTexts, 4);
        if (spectrum >= 0) s.StandardWeighting = uint16_t(spectrum);
        const int power = ChosenText(*Lists[c].PowerWeighting, TScalingForm::WeightingTexts, 4);
        if (power >= 0) s.TotalPowerWeighting = uint16_t(power);
        Compensation(c).Collect(*this, s);
        *Records[c] = s;
    }
    TDialog::CmOk();
}

// Sets the controls only; the records change at OK.
void TScalingIndependentDialog::CmDefaults()
{
    for (int c = 0; c < 2; ++c) {
        Lists[c].Amplitude->SetSelIndex(DisplaySettingsStruct::DecibelAmplitude);
        Lists[c].Frequency->SetSelIndex(TScalingForm::FrequencyChoiceOf(DisplaySettingsStruct{}));
        Lists[c].SpectrumWeighting->SetSelIndex(0);
        Lists[c].PowerWeighting->SetSelIndex(0);
        Lists[c].Density->SetSelIndex(0);
        CheckItem(EnableIds[c], BST_UNCHECKED);
        SetItemText(FileIds[c], "");
    }
}

void TScalingIndependentDialog::SelectFile(int c)
{
    std::string path;
    if (!TCompensationFileDialog::Run(Host, path)) return;
    SetItemText(FileIds[c], path.c_str());
    CheckItem(EnableIds[c], BST_CHECKED);
}

void TScalingIndependentDialog::CmSelectLeft() { SelectFile(0); }

void TScalingIndependentDialog::CmSelectRight() { SelectFile(1); }

void TScalingIndependentDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
