#include <gtest/gtest.h>

#include <string>

#include "utilities/TDTMFData.h"

TEST(TDTMFData, KeysGiveTheirRowAndColumnTones)
{
    const TDTMFData data(-20.0f, 20, 10);
    const std::string rows[4] = {"123Aa", "456Bb", "789Cc", "*0#Dd"};
    const float rowHz[4] = {697, 770, 852, 941};
    const std::string columns[4] = {"147*", "2580", "369#", "ABCDabcd"};
    const float columnHz[4] = {1209, 1336, 1477, 1633};
    for (int i = 0; i < 4; ++i) {
        for (char key : rows[i]) EXPECT_EQ(data.GetRowFrequency(key), rowHz[i]) << key;
        for (char key : columns[i]) EXPECT_EQ(data.GetColumnFrequency(key), columnHz[i]) << key;
    }
    for (char key : std::string("xE ,\x01")) {
        EXPECT_EQ(data.GetRowFrequency(key), 0.0f) << int(key);
        EXPECT_EQ(data.GetColumnFrequency(key), 0.0f) << int(key);
    }
    EXPECT_EQ(data.GetRowFrequency('\0'), 0.0f);
}

TEST(TDTMFData, StartsIdleWithItsParameters)
{
    const TDTMFData data(-35.5f, 20, 30);
    EXPECT_EQ(data.Threshold, -35.5f);
    EXPECT_EQ(data.MinimumDigit, 20);
    EXPECT_EQ(data.MinimumSpace, 30);
    EXPECT_EQ(data.DigitStart, 0);
    EXPECT_EQ(data.CurrentKey, ' ');
    EXPECT_EQ(data.KeyString[0], '\0');
    EXPECT_EQ(data.Tones[3].Frequency, 941.0f);
    EXPECT_EQ(data.Tones[4].Frequency, 1209.0f);
}
