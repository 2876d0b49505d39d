#include "dialogs/TScalingForm.h"

#include "resources/ScalingDialogRes.h"

const TScalingForm::TFrequencyChoice TScalingForm::FrequencyChoices[FrequencyChoiceCount] = {
    {DisplaySettingsStruct::LinearFrequency, 0, IDC_SCALING_LINEAR_FREQUENCY, "Linear (Narrowband)"},
    {DisplaySettingsStruct::LogFrequency, 0, IDC_SCALING_LOG_FREQUENCY, "Logarithmic (Narrowband)"},
    {DisplaySettingsStruct::OctaveBands, 1, IDC_SCALING_OCTAVE_1, "1/1 Octave"},
    {DisplaySettingsStruct::OctaveBands, 3, IDC_SCALING_OCTAVE_3, "1/3 Octave"},
    {DisplaySettingsStruct::OctaveBands, 6, IDC_SCALING_OCTAVE_6, "1/6 Octave"},
    {DisplaySettingsStruct::OctaveBands, 9, IDC_SCALING_OCTAVE_9, "1/9 Octave"},
    {DisplaySettingsStruct::OctaveBands, 12, IDC_SCALING_OCTAVE_12, "1/12 Octave"},
    {DisplaySettingsStruct::OctaveBands, 24, IDC_SCALING_OCTAVE_24, "1/24 Octave"},
    {DisplaySettingsStruct::OctaveBands, 48, IDC_SCALING_OCTAVE_48, "1/48 Octave"},
    {DisplaySettingsStruct::OctaveBands, 96, IDC_SCALING_OCTAVE_96, "1/96 Octave"},
};
const char* const TScalingForm::AmplitudeTexts[2] = {"Linear", "Logarithmic"};
const char* const TScalingForm::WeightingTexts[4] = {"Flat", "A", "B", "C"};
const char* const TScalingForm::DensityTexts[3] = {"Off", "Units^2/Hz", "Units/Sqrt Hz"};

int TScalingForm::FrequencyChoiceOf(const DisplaySettingsStruct& record)
{
    for (int i = 0; i < FrequencyChoiceCount; ++i) {
        const TFrequencyChoice& c = FrequencyChoices[i];
        if (c.Scale == record.FreqScaleType
            && (c.Scale != DisplaySettingsStruct::OctaveBands || c.Fraction == record.OctaveNumber))
            return i;
    }
    return -1;
}

void TScalingForm::StoreFrequencyChoice(int choice, DisplaySettingsStruct& record)
{
    if (choice < 0 || choice >= FrequencyChoiceCount) return;
    record.FreqScaleType = FrequencyChoices[choice].Scale;
    if (FrequencyChoices[choice].Scale == DisplaySettingsStruct::OctaveBands)
        record.OctaveNumber = FrequencyChoices[choice].Fraction;
}

int TScalingForm::DensityChoiceOf(const DisplaySettingsStruct& record)
{
    return record.SpectralDensityFlag ? 1 + (record.SpectralDensityType ? 1 : 0) : 0;
}

void TScalingForm::StoreDensityChoice(int choice, DisplaySettingsStruct& record)
{
    if (choice < 0 || choice > 2) return;
    record.SpectralDensityFlag = choice > 0 ? 1 : 0;
    if (choice > 0) record.SpectralDensityType = uint16_t(choice - 1);
}

int TScalingForm::IndexOfText(const std::string& text, const char* const* texts, int count)
{
    for (int i = 0; i < count; ++i)
        if (text == texts[i]) return i;
    return -1;
}

bool TScalingForm::DensityConflicts(const DisplaySettingsStruct& record)
{
    return record.SpectralDensityFlag == 1 && record.FreqScaleType == DisplaySettingsStruct::OctaveBands;
}

void TScalingForm::LimitFraction(DisplaySettingsStruct& record)
{
    if (record.OctaveNumber > LargestFraction) record.OctaveNumber = LargestFraction;
}
