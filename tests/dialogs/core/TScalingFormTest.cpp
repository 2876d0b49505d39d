#include <gtest/gtest.h>
#include "dialogs/TScalingForm.h"

namespace {

DisplaySettingsStruct Scales(uint16_t scale, uint16_t fraction)
{
    DisplaySettingsStruct s;
    s.FreqScaleType = scale;
    s.OctaveNumber = fraction;
    return s;
}

}

TEST(TScalingForm, FrequencyChoicesShowAndStoreScaleAndFraction)
{
    const struct {
        uint16_t Scale, Fraction;
        int Choice;
    } cases[] = {
        {0, 7, 0}, {1, 7, 1}, {2, 1, 2}, {2, 3, 3}, {2, 12, 6}, {2, 96, 9}, {2, 5, -1}, {2, 0, -1}, {3, 3, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Scale << "/" << c.Fraction);
        const DisplaySettingsStruct s = Scales(c.Scale, c.Fraction);
        EXPECT_EQ(TScalingForm::FrequencyChoiceOf(s), c.Choice);
        if (c.Choice < 0) continue;
        DisplaySettingsStruct stored = Scales(9, 48);
        TScalingForm::StoreFrequencyChoice(c.Choice, stored);
        EXPECT_EQ(stored.FreqScaleType, c.Scale);
        // Narrowband choices leave the band fraction as it was.
        EXPECT_EQ(stored.OctaveNumber, c.Scale == 2 ? c.Fraction : 48);
    }
    DisplaySettingsStruct unchanged = Scales(2, 5);
    TScalingForm::StoreFrequencyChoice(-1, unchanged);
    EXPECT_EQ(unchanged.OctaveNumber, 5);
    EXPECT_EQ(TScalingForm::FrequencyChoices[TScalingForm::ThirdOctaveChoice].Fraction, 3);
}

TEST(TScalingForm, DensityChoicesAndTheOctaveConflict)
{
    DisplaySettingsStruct s;
    for (int choice : {0, 1, 2}) {
        TScalingForm::StoreDensityChoice(choice, s);
        EXPECT_EQ(TScalingForm::DensityChoiceOf(s), choice);
    }
    EXPECT_EQ(s.SpectralDensityFlag, 1u);
    EXPECT_EQ(s.SpectralDensityType, 1);
    s.FreqScaleType = DisplaySettingsStruct::LogFrequency;
    EXPECT_FALSE(TScalingForm::DensityConflicts(s));
    s.FreqScaleType = DisplaySettingsStruct::OctaveBands;
    EXPECT_TRUE(TScalingForm::DensityConflicts(s));
    TScalingForm::StoreDensityChoice(0, s);
    EXPECT_FALSE(TScalingForm::DensityConflicts(s));
    EXPECT_EQ(s.SpectralDensityType, 1);
}

TEST(TScalingForm, TextsMatchExactlyAndFractionsAreLimited)
{
    EXPECT_EQ(TScalingForm::IndexOfText("Logarithmic", TScalingForm::AmplitudeTexts, 2), 1);
    EXPECT_EQ(TScalingForm::IndexOfText("logarithmic", TScalingForm::AmplitudeTexts, 2), -1);
    EXPECT_EQ(TScalingForm::IndexOfText("Units/Sqrt Hz", TScalingForm::DensityTexts, 3), 2);
    EXPECT_EQ(TScalingForm::IndexOfText("", TScalingForm::WeightingTexts, 4), -1);
    DisplaySettingsStruct s = Scales(2, 200);
    TScalingForm::LimitFraction(s);
    EXPECT_EQ(s.OctaveNumber, 96);
    s.OctaveNumber = 96;
    TScalingForm::LimitFraction(s);
    EXPECT_EQ(s.OctaveNumber, 96);
}

TEST(DisplaySettingsStruct, TheRightChannelTakesEverythingButTheFile)
{
    DisplaySettingsStruct left{2, 2, 24, 1, 1, 3, 2, 1, "left.mic"};
    DisplaySettingsStruct right;
    std::snprintf(right.MicCompFilename, sizeof right.MicCompFilename, "right.mic");
    right.CopyScalesFrom(left);
    EXPECT_EQ(right.AmpScaleType, 2);
    EXPECT_EQ(right.FreqScaleType, 2);
    EXPECT_EQ(right.OctaveNumber, 24);
    EXPECT_EQ(right.SpectralDensityFlag, 1u);
    EXPECT_EQ(right.SpectralDensityType, 1);
    EXPECT_EQ(right.StandardWeighting, 3);
    EXPECT_EQ(right.TotalPowerWeighting, 2);
    EXPECT_EQ(right.MicCompEnable, 1u);
    EXPECT_STREQ(right.MicCompFilename, "right.mic");
}
