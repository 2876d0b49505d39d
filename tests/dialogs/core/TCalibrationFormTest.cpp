#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include "dialogs/TCalibrationForm.h"
#include "engine/CalibrationStruct.h"

namespace {
template <typename T> T Value(T field) { return field; }

int UnitIndex(uint32_t code) { return TCalibrationForm::IndexOfCode(TCalibrationForm::Units, TCalibrationForm::UnitCount, code); }
}

TEST(TCalibrationForm, LabelsFollowUnitConversionAndDisplayType)
{
    struct TCase {
        uint32_t Unit, Conversion;
        int Type;
        const char *Linear, *Log;
    } cases[] = {
        {UnitVolts, 0, 0, "Volts peak", "dBV peak"},
        {UnitDbv, 0, 2, "Volts p-p", "dBV p-p"},
        {UnitDbmv, 0, 1, "Millivolts rms", "dBmV rms"},
        {UnitSplAir, 0, 1, "Pascals rms", "SPL (dB re 20uPA) rms"},
        {UnitPascalsWater, 0, 0, "Pascals peak", "SPL (dB re 1uPA) peak"},
        {UnitDbu, 0, 1, "Volts rms", "dBu rms"},
        {UnitPsi, 0, 0, "Pressure (psi) Peak", "Pressure (psi dB) peak"},
        {UnitPsi, 0, 2, "Pressure (psi) p-p", "Pressure (psi dB) p-p"},
        {UnitCustom, 0, 1, "", ""},
        {UnitAcceleration, 0, 0, "Acceleration (G) peak", "Acceleration (G dB) peak"},
        {UnitAcceleration, 2, 1, "Velocity (in/sec) rms", "Velocity (in/sec dB) rms"},
        {UnitAcceleration, 8, 2, "Displacement (mils) p-p", "Displacement (mils dB) p-p"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Linear);
        const TCalibrationForm::TLabels labels = TCalibrationForm::LabelsOf(c.Unit, c.Conversion, c.Type);
        EXPECT_EQ(labels.Linear, c.Linear);
        EXPECT_EQ(labels.Log, c.Log);
    }
}

TEST(TCalibrationForm, ConversionsOnlyForAcceleration)
{
    EXPECT_EQ(TCalibrationForm::ConversionCodeAt(UnitAcceleration, 3), 7u);
    EXPECT_EQ(TCalibrationForm::ConversionCodeAt(UnitAcceleration, 8), 6u);
    EXPECT_EQ(TCalibrationForm::ConversionCodeAt(UnitVolts, 3), 0u);
    const uint32_t integration[9] = {0, 1, 1, 1, 2, 2, 2, 1, 2};
    for (uint32_t code = 0; code < 9; ++code) EXPECT_EQ(TCalibrationForm::IntegrationTypeOf(code), integration[code]) << code;
    EXPECT_EQ(TCalibrationForm::IntegrationTypeOf(9), 0u);
}

TEST(TCalibrationForm, NegativeLevelIsRefusedOnlyInLinearUnits)
{
    struct TCase {
        uint32_t Unit;
        const char* Level;
        bool Stored;
    } cases[] = {
        {UnitDbv, "-10", true}, {UnitVolts, "-10", false}, {UnitPascalsAir, "-0.5", false},
        {UnitSplAir, "-3", true}, {UnitCustom, "-1", false}, {UnitVolts, "abc", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Unit) + " " + c.Level);
        CalibrationChannel block{};
        block.RefLevel = 7.0f;
        block.RefUnits = UnitMillivolts;
        TCalibrationForm::TEntry e = TCalibrationForm::Defaults("Left");
        e.Unit = UnitIndex(c.Unit);
        e.Level = c.Level;
        const CalibrationChannel before = block;
        EXPECT_EQ(TCalibrationForm::Store(e, block), c.Stored);
        if (c.Stored) {
            EXPECT_EQ(Value(block.RefUnits), c.Unit);
            EXPECT_FLOAT_EQ(Value(block.RefLevel), float(std::atof(c.Level)));
        } else {
            EXPECT_EQ(std::memcmp(&before, &block, sizeof block), 0);
        }
    }
}

TEST(TCalibrationForm, DefaultsStoreOneVoltRmsAtHalfScale)
{
    CalibrationStruct r{};
    ASSERT_TRUE(TCalibrationForm::Store(TCalibrationForm::Defaults("Left"), r.Left));
    TCalibrationForm::TEntry right = TCalibrationForm::Defaults("Mine");
    right.Detected = "25";
    ASSERT_TRUE(TCalibrationForm::Store(right, r.Right));
    for (const CalibrationChannel* c : {&r.Left, &r.Right}) {
        EXPECT_EQ(Value(c->RefUnits), uint32_t(UnitVolts));
        EXPECT_EQ(Value(c->RefType), 1);
        EXPECT_EQ(Value(c->LabelType), 1u);
        EXPECT_FLOAT_EQ(Value(c->RefLevel), 1.0f);
        EXPECT_EQ(Value(c->IsEnabled), 1u);
        EXPECT_STREQ(c->LabelLinear, "Volts rms");
        EXPECT_STREQ(c->LabelLog, "dBV rms");
    }
    EXPECT_FLOAT_EQ(Value(r.Left.PctFullScale), 0.5f);
    EXPECT_FLOAT_EQ(Value(r.Right.PctFullScale), 0.25f);
    EXPECT_STREQ(r.Right.ChannelName, "Mine");
}

TEST(TCalibrationForm, EntryShowsTheBlockAndStoresItBack)
{
    CalibrationChannel block{};
    block.RefUnits = UnitAcceleration;
    block.ConversionType = 7;
    block.RefLevel = 9.81f;
    block.RefType = 2;
    block.LabelType = 0;
    block.PctFullScale = 0.123456f;
    block.IsEnabled = 1;
    std::strcpy(block.ChannelName, "Accel");
    const TCalibrationForm::TEntry e = TCalibrationForm::EntryOf(block);
    EXPECT_EQ(e.Level, "9.8100");
    EXPECT_EQ(e.Detected, "12.3456");
    EXPECT_EQ(e.Conversion, 3);
    CalibrationChannel back{};
    ASSERT_TRUE(TCalibrationForm::Store(e, back));
    EXPECT_EQ(Value(back.ConversionType), 7u);
    EXPECT_EQ(Value(back.IntegrationType), 1u);
    EXPECT_EQ(Value(back.RefType), 2);
    EXPECT_STREQ(back.ChannelName, "Accel");
}
