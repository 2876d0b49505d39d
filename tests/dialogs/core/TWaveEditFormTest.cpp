#include "dialogs/TWaveEditForm.h"

#include <gtest/gtest.h>

TEST(TWaveEditForm, RangeChecks)
{
    const std::string gain = "Gain must be between -60 and 10 dB";
    const std::string offset = "DC Offset must be between -32767 and 32767 ";
    const struct {
        double left, right;
        std::string gain, offset;
    } cases[] = {
        {-60.0, 10.0, "", ""},          {-60.01, 0.0, gain, ""},       {0.0, 10.01, gain, ""},
        {32767.0, -32767.0, gain, ""},  {32767.5, 0.0, gain, offset},  {0.0, -32767.5, gain, offset},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " " << c.right);
        EXPECT_EQ(TWaveEditForm::CheckGains(c.left, c.right), c.gain);
        EXPECT_EQ(TWaveEditForm::CheckOffsets(c.left, c.right), c.offset);
    }
}

// The ratio is read whole before it is narrowed: 65537 is refused, not taken as 1.
TEST(TWaveEditForm, DecimationRatio)
{
    const struct {
        const char* text;
        bool ok;
        uint32_t newRate;
    } cases[] = {{"2", true, 22050}, {"4", true, 11025}, {"50", true, 882},  {"0", false, 44100},
                 {"99", false, 44100}, {"65537", false, 44100}, {"-2", false, 44100}, {"x", false, 44100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        uint16_t ratio = 7;
        const std::string message = TWaveEditForm::CheckRatio(c.text, ratio);
        EXPECT_EQ(message.empty(), c.ok);
        if (!c.ok) {
            EXPECT_EQ(message, "Decimation Ratio must be between 1 and 50");
            EXPECT_EQ(ratio, 7);
        }
        EXPECT_EQ(TWaveEditForm::NewRate(44100, c.text), c.newRate);
    }
    EXPECT_EQ(TWaveEditForm::NewRate(8000, "3"), 2666u);
}

// A ratio whose file would fall below the lowest sampling rate is refused, naming both rates.
TEST(TWaveEditForm, DecimatedRate)
{
    const struct {
        uint32_t rate;
        uint16_t ratio;
        const char* message;
    } cases[] = {{44100, 44, ""},
                 {44100, 45, "A Decimation Ratio of 45 would give 980 Hz: the lowest sampling rate is 1000 Hz."},
                 {8000, 8, ""},
                 {8000, 9, "A Decimation Ratio of 9 would give 888 Hz: the lowest sampling rate is 1000 Hz."},
                 {1000, 1, ""},
                 {999, 1, "A Decimation Ratio of 1 would give 999 Hz: the lowest sampling rate is 1000 Hz."}};
    for (const auto& c : cases)
        EXPECT_EQ(TWaveEditForm::CheckDecimatedRate(c.rate, c.ratio), c.message) << c.rate << " / " << c.ratio;
}

TEST(TWaveEditForm, OffsetUnitText)
{
    const struct {
        uint32_t enabled, units;
        const char* unit;
    } cases[] = {{0, UnitPascalsAir, "Percent Full Scale"}, {1, UnitVolts, "Volts"}, {1, UnitDbu, "Volts"},
                 {1, UnitDbmv, "Millivolts"}, {1, UnitAcceleration, "Acceleration"}, {1, UnitPsi, "Pressure (psi)"},
                 {1, UnitSplAir, "Pascals"}, {1, UnitPascalsWater, "Pascals"}, {1, UnitCustom, "Percent Full Scale"},
                 {1, 12, "Percent Full Scale"}};
    for (const auto& c : cases) {
        CalibrationChannel left{};
        left.IsEnabled = c.enabled;
        left.RefUnits = c.units;
        EXPECT_EQ(TWaveEditForm::OffsetUnitText(left), std::string("Enter offset value in \"") + c.unit + "\"")
            << c.units;
    }
}
