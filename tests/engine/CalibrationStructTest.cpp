#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>
#include "engine/CalibrationStruct.h"
#include "tests/engine/Fixture.h"

namespace {
// A copy of a field of a packed record, which gtest may not bind to.
template <typename T> T Value(T field) { return field; }

// Relative tolerance of a float result against a double reference.
void ExpectNear(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, 1e-5 * std::max(1.0, std::abs(expected)));
}
}

TEST(CalibrationStruct, LevelToDisplayUnitsFollowsTheUnitOfEachCode)
{
    const auto rows = ReadFixture("calibration_display.txt");
    ASSERT_EQ(rows.size(), 13u * 2 * 5);
    for (const auto& r : rows) {
        CalibrationChannel c{};
        c.RefUnits = uint32_t(r[0]);
        c.IsEnabled = uint32_t(r[1]);
        SCOPED_TRACE(testing::Message() << "units " << r[0] << " enabled " << r[1] << " level " << r[2]);
        ExpectNear(LevelToDisplayUnits(&c, float(r[2])), r[3]);
    }
    // A channel that is neither left nor right is shown uncalibrated.
    ExpectNear(LevelToDisplayUnits(nullptr, 0.5f), 20 * std::log10(0.5));
    EXPECT_FLOAT_EQ(LevelToDisplayUnits(nullptr, 0.0f), -999.9f);
}

TEST(CalibrationStruct, RatioFromReferenceLevelTypeAndUnits)
{
    const auto rows = ReadFixture("calibration_ratio.txt");
    ASSERT_FALSE(rows.empty());
    for (const auto& r : rows) {
        CalibrationStruct record{};
        for (CalibrationChannel* c : {&record.Left, &record.Right}) {
            c->RefType = int32_t(r[0]);
            c->RefUnits = uint32_t(r[1]);
            c->RefLevel = float(r[2]);
            c->PctFullScale = float(r[3]);
            c->CalRatio = 5.0f;
        }
        record.Right.PctFullScale = 0.0f;
        ComputeCalibrationRatio(record);
        SCOPED_TRACE(testing::Message() << "type " << r[0] << " units " << r[1] << " level " << r[2]);
        ExpectNear(record.Left.CalRatio, r[4]);
        EXPECT_EQ(Value(record.Right.CalRatio), 1.0f);
    }
}

TEST(CalibrationStruct, UnitConversionsMeetTheirReferences)
{
    EXPECT_NEAR(SplToPascals(0, 94.0f), 1.00237, 1e-5);
    EXPECT_NEAR(SplToPascals(1, 120.0f), 1.0, 1e-9);
    EXPECT_EQ(SplToPascals(2, 94.0f), 0.0);
    EXPECT_NEAR(DbuToVolts(0.0f), 0.775, 1e-12);
    EXPECT_NEAR(PascalsToSpl(0, 1.0f), 93.9794, 1e-4);
    EXPECT_NEAR(PascalsToSpl(1, 1.0f), 120.0, 1e-4);
    EXPECT_EQ(PascalsToSpl(3, 1.0f), 0.0f);
    EXPECT_NEAR(VoltsToDbu(0.775f), 0.0, 1e-5);
    for (float zero : {PascalsToSpl(0, 0.0f), PascalsToSpl(1, 0.0f), PsiToSpl(0.0f), VoltsToDbu(0.0f)})
        EXPECT_FLOAT_EQ(zero, -999.9f);
}

TEST(CalibrationStruct, OlderLayoutConvertsIntoBothChannels)
{
    uint8_t old[CalibrationStructOldSize];
    std::memset(old, 0xAB, sizeof old);
    auto put = [&](size_t at, const void* v, size_t n) { std::memcpy(old + at, v, n); };
    const uint32_t enabled = 1, units = 8, labelType = 2, conversion = 3, integration = 1;
    const int32_t refType = 2;
    const float level = 94.5f, pctLeft = 0.25f, pctRight = 0.75f, ratioLeft = 3.5f, ratioRight = 7.25f;
    put(0, &enabled, 4);
    put(4, "C:\\cal\\old.cal", 15);
    put(264, &level, 4);
    put(268, &refType, 4);
    put(272, &units, 4);
    put(276, "Pa", 3);
    put(336, "dB SPL", 7);
    put(396, &labelType, 4);
    put(400, &pctLeft, 4);
    put(404, &pctRight, 4);
    put(408, &ratioLeft, 4);
    put(412, &ratioRight, 4);
    put(416, &conversion, 4);
    put(420, &integration, 4);
    put(424, "Mic", 4);
    put(464, "", 1);

    CalibrationStruct record;
    std::memset(&record, 0x5A, sizeof record);
    ConvertOldCalibration(old, record);

    EXPECT_STREQ(record.Filename, "C:\\cal\\old.cal");
    for (const CalibrationChannel* c : {&record.Left, &record.Right}) {
        EXPECT_EQ(Value(c->IsEnabled), 1u);
        EXPECT_EQ(Value(c->RefLevel), level);
        EXPECT_EQ(Value(c->RefType), 2);
        EXPECT_EQ(Value(c->RefUnits), 8u);
        EXPECT_STREQ(c->LabelLinear, "Pa");
        EXPECT_STREQ(c->LabelLog, "dB SPL");
        EXPECT_EQ(Value(c->LabelType), 2u);
        EXPECT_EQ(Value(c->ConversionType), 3u);
        EXPECT_EQ(Value(c->IntegrationType), 1u);
    }
    EXPECT_EQ(Value(record.Left.PctFullScale), pctLeft);
    EXPECT_EQ(Value(record.Right.PctFullScale), pctRight);
    EXPECT_EQ(Value(record.Left.CalRatio), ratioLeft);
    EXPECT_EQ(Value(record.Right.CalRatio), ratioRight);
    EXPECT_STREQ(record.Left.ChannelName, "Mic");
    EXPECT_STREQ(record.Right.ChannelName, "Right");
    // Unterminated texts of the old block stay inside their fields.
    std::memset(old + 276, 'x', 60);
    ConvertOldCalibration(old, record);
    EXPECT_EQ(std::strlen(record.Left.LabelLinear), 59u);
}

namespace {
CalibrationStruct GoodRecord()
{
    CalibrationStruct r{};
    std::strcpy(r.Filename, "C:\\cal\\mic.cal");
    for (CalibrationChannel* c : {&r.Left, &r.Right}) {
        c->IsEnabled = 1;
        c->RefLevel = 94.0f;
        c->RefType = 1;
        c->RefUnits = UnitSplAir;
        std::strcpy(c->LabelLinear, "Pascals rms");
        std::strcpy(c->LabelLog, "SPL (dB re 20uPA) rms");
        c->LabelType = 1;
        c->PctFullScale = 0.25f;
        c->CalRatio = 5.6f;
    }
    std::strcpy(r.Left.ChannelName, "Mic");
    std::strcpy(r.Right.ChannelName, "Rear");
    r.Reserved[7] = 0x5A;
    return r;
}

std::vector<uint8_t> Bytes(const CalibrationStruct& r)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&r);
    return {p, p + sizeof r};
}
}

TEST(CalibrationStruct, StoredRecordsComeBackWholeWithTheirTextsEndingInTheirFields)
{
    const CalibrationStruct good = GoodRecord();
    CalibrationStruct read;
    std::memset(&read, 0x77, sizeof read);
    ASSERT_TRUE(ReadCalibrationRecord(Bytes(good).data(), sizeof good, read));
    EXPECT_EQ(std::memcmp(&read, &good, sizeof read), 0);

    // Texts that fill their fields to the last byte are cut there.
    CalibrationStruct full = good;
    std::memset(full.Filename, 'F', sizeof full.Filename);
    std::memset(full.Left.LabelLinear, 'L', sizeof full.Left.LabelLinear);
    std::memset(full.Right.ChannelName, 'N', sizeof full.Right.ChannelName);
    ASSERT_TRUE(ReadCalibrationRecord(Bytes(full).data(), sizeof full, read));
    EXPECT_EQ(std::strlen(read.Filename), 259u);
    EXPECT_EQ(std::strlen(read.Left.LabelLinear), 59u);
    EXPECT_EQ(std::strlen(read.Right.ChannelName), 39u);
    EXPECT_EQ(std::strlen(read.Left.LabelLog), std::strlen(good.Left.LabelLog));
}

TEST(CalibrationStruct, RecordsTheDialogNeverStoresAreRefused)
{
    struct Case {
        const char* Name;
        void (*Spoil)(CalibrationStruct&);
    };
    const Case cases[] = {
        {"enable flag 0x41414141", [](CalibrationStruct& r) { r.Right.IsEnabled = 0x41414141; }},
        {"NaN level", [](CalibrationStruct& r) { r.Left.RefLevel = NAN; }},
        {"infinite full scale", [](CalibrationStruct& r) { r.Right.PctFullScale = INFINITY; }},
        {"infinite ratio", [](CalibrationStruct& r) { r.Left.CalRatio = -INFINITY; }},
        {"negative level in volts", [](CalibrationStruct& r) { r.Left.RefUnits = UnitVolts, r.Left.RefLevel = -1.0f; }},
        {"unit 12", [](CalibrationStruct& r) { r.Left.RefUnits = 12; }},
        {"level type -1", [](CalibrationStruct& r) { r.Right.RefType = -1; }},
        {"level type 3", [](CalibrationStruct& r) { r.Left.RefType = 3; }},
        {"label type 3", [](CalibrationStruct& r) { r.Left.LabelType = 3; }},
        {"conversion 9", [](CalibrationStruct& r) { r.Right.ConversionType = 9; }},
        {"integration 3", [](CalibrationStruct& r) { r.Left.IntegrationType = 3; }},
        {"line break in a label", [](CalibrationStruct& r) { std::strcpy(r.Left.LabelLog, "dB\r\n[Main]"); }},
        {"control character in a name", [](CalibrationStruct& r) { r.Right.ChannelName[2] = 0x01; }},
        {"control character in the file name", [](CalibrationStruct& r) { r.Filename[0] = 0x1B; }},
    };
    const CalibrationStruct good = GoodRecord();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        CalibrationStruct spoiled = good;
        c.Spoil(spoiled);
        CalibrationStruct read = good;
        read.Left.CalRatio = 9.0f;
        const CalibrationStruct before = read;
        EXPECT_FALSE(ReadCalibrationRecord(Bytes(spoiled).data(), sizeof spoiled, read));
        EXPECT_EQ(std::memcmp(&read, &before, sizeof read), 0) << "the record stays as it was";
    }

    CalibrationStruct read{};
    const std::vector<uint8_t> nonZero(sizeof(CalibrationStruct), 0x41);
    EXPECT_FALSE(ReadCalibrationRecord(nonZero.data(), nonZero.size(), read));
    EXPECT_FALSE(ReadCalibrationRecord(nonZero.data(), 1000, read)) << "neither layout's size";
    uint8_t old[CalibrationStructOldSize] = {};
    const float nan = NAN;
    std::memcpy(old + 264, &nan, 4);
    EXPECT_FALSE(ReadCalibrationRecord(old, sizeof old, read)) << "older layout";

    // A dB unit takes a negative level.
    CalibrationStruct dbv = good;
    dbv.Left.RefUnits = UnitDbv;
    dbv.Left.RefLevel = -10.0f;
    EXPECT_TRUE(ReadCalibrationRecord(Bytes(dbv).data(), sizeof dbv, read));
}
