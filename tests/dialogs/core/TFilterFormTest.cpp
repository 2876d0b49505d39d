#include "dialogs/TFilterForm.h"

#include <gtest/gtest.h>

namespace {

TFilterForm::TFields Fields(uint32_t type, const char* taps, const char* gain, const char* frequency,
                            const char* width)
{
    TFilterForm::TFields f;
    f.Type = type;
    f.Taps = taps;
    f.Gain = gain;
    f.Frequency = frequency;
    f.Width = width;
    return f;
}

}

// Start's checks in their order with the Nyquist frequency of 22050 Hz.
TEST(TFilterForm, ChecksInOrder)
{
    const std::string taps = "The number of filter taps must be between 39 and 999";
    const std::string gain = "The filter gain must be between -90 and + 90 dB";
    const struct {
        TFilterForm::TFields fields;
        std::string message;
    } cases[] = {
        {Fields(FilterSettings::LowPass, "38", "0", "1000", ""), taps},
        {Fields(FilterSettings::LowPass, "1000", "0", "1000", ""), taps},
        {Fields(FilterSettings::LowPass, "39", "90.5", "1000", ""), gain},
        {Fields(FilterSettings::LowPass, "999", "-90", "22051", ""), "Cutoff Frequency must be between 0 and 22050 Hz"},
        {Fields(FilterSettings::HighPass, "101", "0", "-1", ""), "Cutoff Frequency must be between 0 and 22050 Hz"},
        {Fields(FilterSettings::BandPass, "101", "0", "30000", "100"), "Center Frequency must be between 0 and 22050 Hz"},
        {Fields(FilterSettings::BandPass, "101", "0", "2000", "22051"), "Width Frequency must be between 0 and 22050 Hz"},
        {Fields(FilterSettings::Notch, "101", "0", "2000", "1000"), ""},
        {Fields(FilterSettings::Custom, "101", "0", "99999", "99999"), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        FilterSettings s;
        EXPECT_EQ(TFilterForm::Store(c.fields, 22050, 2, s), c.message);
    }
}

TEST(TFilterForm, StoresTheSelectedTypeAndChannels)
{
    FilterSettings s;
    TFilterForm::TFields f = Fields(FilterSettings::BandPass, "200", "-6.5", "3000", "500");
    f.Left = false;
    f.Right = true;
    ASSERT_EQ(TFilterForm::Store(f, 22050, 2, s), "");
    EXPECT_EQ(s.Type, uint32_t(FilterSettings::BandPass));
    EXPECT_EQ(s.NumTaps, 200);
    EXPECT_FLOAT_EQ(s.FilterGainDB, -6.5f);
    EXPECT_EQ(s.BPCenterHz, 3000);
    EXPECT_EQ(s.BPWidthHz, 500);
    EXPECT_EQ(s.LPCutoffHz, FilterSettings{}.LPCutoffHz);
    EXPECT_EQ(s.DoLeft, 0u);
    EXPECT_EQ(s.DoRight, 1u);
    // Mono data filters the left channel only, whatever the boxes say.
    ASSERT_EQ(TFilterForm::Store(f, 22050, 1, s), "");
    EXPECT_EQ(s.DoLeft, 1u);
    EXPECT_EQ(s.DoRight, 0u);
    f.Type = FilterSettings::Custom;
    f.FileName = std::string(400, 'a');
    ASSERT_EQ(TFilterForm::Store(f, 22050, 1, s), "");
    EXPECT_EQ(std::string(s.FilterFilename).size(), sizeof s.FilterFilename - 1);
}
