#pragma once
#include <cstdint>
#include <string>
#include "engine/DisplaySettingsStruct.h"

// The scaling dialogs without their windows: which choice shows a record's
// scales, what a chosen entry stores, and OK's one check.
class TScalingForm {
public:
    // A frequency-axis choice: the scale, the octave fraction of band
    // scales, the common dialog's radio button and the independent dialog's
    // list text.
    struct TFrequencyChoice {
        uint16_t Scale;
        uint16_t Fraction;
        int ButtonId;
        const char* Text;
    };
    static constexpr int FrequencyChoiceCount = 10;
    static const TFrequencyChoice FrequencyChoices[FrequencyChoiceCount];
    // The 1/3 octave choice, shown for a band fraction no choice offers.
    static constexpr int ThirdOctaveChoice = 3;
    static constexpr uint16_t LargestFraction = 96;

    static const char* const AmplitudeTexts[2];
    static const char* const WeightingTexts[4];
    // "Off", then the two density units (type 0 and 1).
    static const char* const DensityTexts[3];

    static constexpr const char* DensityConflictMessage =
        "PSD cannot be used with Octave frequency scaling - please select narrowband scaling or disable PSD.";

    // The choice of the record's frequency axis; -1 for bands of a fraction
    // no choice offers.
    static int FrequencyChoiceOf(const DisplaySettingsStruct& record);
    static void StoreFrequencyChoice(int choice, DisplaySettingsStruct& record);
    // 0 density off, 1 + the density type when on.
    static int DensityChoiceOf(const DisplaySettingsStruct& record);
    static void StoreDensityChoice(int choice, DisplaySettingsStruct& record);
    // The index of the text that equals text exactly; -1 when none does.
    static int IndexOfText(const std::string& text, const char* const* texts, int count);
    // Density normalisation is meaningless over octave bands.
    static bool DensityConflicts(const DisplaySettingsStruct& record);
    // Band fractions above the finest band set are taken as the finest.
    static void LimitFraction(DisplaySettingsStruct& record);
};
