// The import and export dialogs' rules: the labels each unit brings and the
// checks of the sampling rate and the header size.
#include "dialogs/TDataFileForm.h"

#include <gtest/gtest.h>

#include <string>

TEST(TDataFileForm, UnitsSetBothLabels)
{
    struct Case {
        uint16_t code;
        const char *linear, *log;
    };
    const Case cases[] = {{0, "Volts", "dBV"}, {1, "Millivolts", "dBmV"}, {3, "Acceleration (G)", "Acceleration (G dB)"},
                          {8, "Pascals", "SPL (dB ref 20uPA)"}, {11, "Pascals", "SPL (dB ref 1uPA)"}, {4, "", ""},
                          {7, "", ""}};
    for (const Case& c : cases) {
        EXPECT_STREQ(TDataFileForm::LinearLabel(c.code), c.linear) << c.code;
        EXPECT_STREQ(TDataFileForm::LogLabel(c.code), c.log) << c.code;
    }
    EXPECT_EQ(TDataFileForm::UnitsIndex(11), 3);
    EXPECT_EQ(TDataFileForm::UnitsIndex(2), -1);
}

TEST(TDataFileForm, RateAndHeaderChecks)
{
    uint32_t rate = 7;
    EXPECT_EQ(TDataFileForm::CheckRate("0", rate), "Sampling rate must be greater than zero");
    EXPECT_EQ(TDataFileForm::CheckRate("abc", rate), "Sampling rate must be greater than zero");
    EXPECT_EQ(rate, 7u);
    EXPECT_EQ(TDataFileForm::CheckRate(" 48000Hz", rate), "");
    EXPECT_EQ(rate, 48000u);
    int32_t size = 1;
    EXPECT_EQ(TDataFileForm::CheckHeaderSize("-1", true, size), "Header Size cannot be less than zero");
    EXPECT_EQ(size, 1);
    EXPECT_EQ(TDataFileForm::CheckHeaderSize("-1", false, size), "");
    EXPECT_EQ(TDataFileForm::CheckHeaderSize("44", true, size), "");
    EXPECT_EQ(size, 44);
}
