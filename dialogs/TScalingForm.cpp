#include "dialogs/TScalingForm.h"

const TScalingForm::TFrequencyChoice TScalingForm::FrequencyChoices[FrequencyChoiceCount] = {
    {DisplaySettingsStruct::LinearFrequency, 0, 206, "Linear (Narrowband)"},
    {DisplaySettingsStruct::LogFrequency, 0, 205, "Logarithmic (Narrowband)"},
    {DisplaySettingsStruct::OctaveBands, 1, 200, "1/1 Octave"},
    {DisplaySettingsStruct::OctaveBands, 3, 201, "1/3 Octave"},
    {DisplaySettingsStruct::OctaveBands, 6, 202, "1/6 Octave"},
    {DisplaySettingsStruct::OctaveBands, 9, 203, "1/9 Octave"},
    {DisplaySettingsStruct::OctaveBands, 12, 204, "1/12 Octave"},
    {DisplaySettingsStruct::OctaveBands, 24, 221, "1/24 Octave"},
    {DisplaySettingsStruct::OctaveBands, 48, 222, "1/48 Octave"},
    {DisplaySettingsStruct::OctaveBands, 96, 223, "1/96 Octave"},
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
