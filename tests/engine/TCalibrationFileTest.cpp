#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include "engine/TCalibrationFile.h"

namespace {

using TKeys = std::map<std::pair<std::string, std::string>, std::string>;

TCalibrationFile::TLookup LookupIn(const TKeys& keys)
{
    return [&keys](const char* section, const char* key, const char* fallback) {
        const auto found = keys.find({section, key});
        return found == keys.end() ? std::string(fallback) : found->second;
    };
}

CalibrationStruct Written()
{
    CalibrationStruct r{};
    r.Left.IsEnabled = 1;
    r.Left.RefLevel = 94.0f;
    r.Left.RefUnits = 2;
    r.Left.RefType = 1;
    std::strcpy(r.Left.LabelLinear, "Pascals rms");
    std::strcpy(r.Left.LabelLog, "SPL (dB re 20uPA) rms");
    r.Left.LabelType = 1;
    r.Left.PctFullScale = 0.25f;
    r.Left.CalRatio = 5.5f;
    std::strcpy(r.Left.ChannelName, "Mic");
    r.Right = r.Left;
    r.Right.RefUnits = 3;
    r.Right.ConversionType = 5;
    r.Right.IntegrationType = 2;
    std::strcpy(r.Right.ChannelName, "Probe");
    return r;
}

}

TEST(TCalibrationFile, WrittenKeysReadBackIntoTheSameBlocks)
{
    TKeys keys;
    const CalibrationStruct written = Written();
    TCalibrationFile::Write([&](const char* section, const char* key, const std::string& text) {
        keys[{section, key}] = text;
    }, written);
    EXPECT_EQ(keys.size(), 23u);
    EXPECT_EQ((keys[{"CalibrationR", "CalibrationStructTypeID"}]), "102");
    EXPECT_EQ((keys[{"Calibration", "RefLevel"}]), "94.000000");

    CalibrationStruct read{};
    read.Left.IsEnabled = read.Right.IsEnabled = 1;
    ASSERT_TRUE(TCalibrationFile::Read(LookupIn(keys), read));
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);
}

TEST(TCalibrationFile, TextsAreCutToTheirFieldsAndNumbersToTheirBuffer)
{
    TKeys keys = {
        {{"Calibration", "LabelLinear"}, std::string(100, 'L')},
        {{"Calibration", "LeftChannelName"}, std::string(100, 'N')},
        // Only the first 79 characters of a number are read.
        {{"Calibration", "RefLevel"}, "1." + std::string(77, '0') + "5"},
        {{"CalibrationR", "CalibrationStructTypeID"}, "102"},
    };
    CalibrationStruct read{};
    ASSERT_TRUE(TCalibrationFile::Read(LookupIn(keys), read));
    EXPECT_EQ(std::strlen(read.Left.LabelLinear), 59u);
    EXPECT_EQ(std::strlen(read.Left.ChannelName), 39u);
    EXPECT_EQ(float(read.Left.RefLevel), 1.0f);
    EXPECT_STREQ(read.Right.ChannelName, "Right");
}

// Numbers that are not finite, codes outside the dialog's lists and binary
// text refuse the whole file; the record stays as it was.
TEST(TCalibrationFile, FilesTheDialogNeverWritesAreRefused)
{
    const std::pair<const char*, const char*> spoils[][2] = {
        {{"Calibration", "RefLevel"}, {"inf", ""}},
        {{"Calibration", "RefLevel"}, {"nan", ""}},
        {{"Calibration", "RefLevel"}, {"1e39", ""}},
        {{"CalibrationR", "PctFullScaleRight"}, {"-inf", ""}},
        {{"Calibration", "CalRatioLeft"}, {"1e999", ""}},
        {{"Calibration", "RefUnits"}, {"-2147483648", ""}},
        {{"Calibration", "RefUnits"}, {"99999999999", ""}},
        {{"CalibrationR", "RefType"}, {"3", ""}},
        {{"Calibration", "LabelType"}, {"7", ""}},
        {{"Calibration", "ConversionType"}, {"9", ""}},
        {{"CalibrationR", "IntegrationType"}, {"3", ""}},
        {{"Calibration", "RefLevel"}, {"-1", ""}},
        {{"Calibration", "LabelLog"}, {"dB\x01\x02", ""}},
    };
    for (const auto& spoil : spoils) {
        const std::string section = spoil[0].first, key = spoil[0].second, value = spoil[1].first;
        SCOPED_TRACE(section + "/" + key + "=" + value);
        TKeys keys = {{{"CalibrationR", "CalibrationStructTypeID"}, "102"}, {{section, key}, value}};
        CalibrationStruct record = Written();
        const CalibrationStruct before = record;
        EXPECT_FALSE(TCalibrationFile::Read(LookupIn(keys), record));
        EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    }

    // A negative level is a level in a dB unit.
    TKeys dbv = {{{"Calibration", "RefLevel"}, "-10"}, {{"Calibration", "RefUnits"}, "5"}};
    CalibrationStruct record{};
    EXPECT_TRUE(TCalibrationFile::Read(LookupIn(dbv), record));
    EXPECT_EQ(float(record.Right.RefLevel), -10.0f) << "older file: the right channel copies the left";
}
