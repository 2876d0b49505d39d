#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "generator/TGeneratorSettings.h"
#include "tests/generator/ExpectedGeneratorKeys.h"
#include "tests/generator/GeneratorTestSupport.h"

TEST(TGeneratorSettings, EmptyFileGivesTheDefaultsAndWritesEveryKeyInOrder)
{
    TMapProfile empty;
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    TGeneratorSettings::Load(empty, left, right, level);
    EXPECT_EQ(left.SigType, Tone1kSignal);
    EXPECT_EQ(right.SigType, PinkNoiseSignal);
    EXPECT_EQ(left.Tones[0].ToneEnable, 1);
    EXPECT_EQ(left.Tones[0].FreqHz, 1000.0f);
    EXPECT_EQ(left.Tones[0].Amplitude, 1.0f);
    for (int i = 1; i < SignalParams::ToneCount; ++i) {
        EXPECT_EQ(right.Tones[i].ToneEnable, 0);
        EXPECT_EQ(right.Tones[i].FreqHz, 1000.0f * (i + 1));
    }
    EXPECT_STREQ(right.DTMF.KeyString, "1234567890*#ABCD");
    EXPECT_EQ(level.FSOption, FullScaleUnknown);

    TMapProfile written;
    TGeneratorSettings::Save(written, left, right, level);
    const size_t count = sizeof ExpectedGeneratorKeys / sizeof ExpectedGeneratorKeys[0];
    ASSERT_EQ(count, size_t(TGeneratorSettings::KeyCount));
    ASSERT_EQ(written.Written.size(), count);
    for (size_t i = 0; i < count; ++i) {
        const TExpectedGeneratorKey& k = ExpectedGeneratorKeys[i];
        SCOPED_TRACE(std::string(k.Section) + "/" + k.Key);
        EXPECT_EQ(written.Written[i].Section, k.Section);
        EXPECT_EQ(written.Written[i].Key, k.Key);
        EXPECT_EQ(written.Written[i].Value, k.Written);
    }
}

TEST(TGeneratorSettings, EveryDefaultIsTheKeysOwn)
{
    // A file holding each default text reads as an empty one.
    TMapProfile defaults;
    for (const TExpectedGeneratorKey& k : ExpectedGeneratorKeys) defaults.Write(k.Section, k.Key, k.Default);
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    TGeneratorSettings::Load(defaults, left, right, level);
    TMapProfile fromDefaults, fromEmpty;
    TGeneratorSettings::Save(fromDefaults, left, right, level);
    TDefaultRecords expected;
    TGeneratorSettings::Save(fromEmpty, expected.Left, expected.Right, expected.Level);
    EXPECT_EQ(fromDefaults.Values, fromEmpty.Values);
}

TEST(TGeneratorSettings, SavedValuesReadBack)
{
    TDefaultRecords r;
    r.Left.SigType = DTMFSignal;
    r.Left.FreqSweep.FStartHz = 123.456789f;
    r.Left.FreqStep.StepSize = 0.5f;
    r.Left.Tones[3] = {1, 3150.25f, -20.0f, 0.0f};
    r.Left.Pulse.WidthNSec = -7;
    std::strcpy(r.Left.UserDefined.WaveFileName, "C:\\waves\\sweep file.wav");
    std::strcpy(r.Right.DTMF.KeyString, "*#0");
    r.Right.DTMF.TwistDB = -4.5f;
    r.Right.IMD.IMDtype = 2;
    r.Right.NoiseBurst.Type = 0;
    r.Level.OutputUnits = DbvUnits;
    r.Level.FSLevel = 2.13f;
    r.Level.OutputLevelR = -12.5f;

    TMapProfile file;
    TGeneratorSettings::Save(file, r.Left, r.Right, r.Level);
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    TGeneratorSettings::Load(file, left, right, level);
    EXPECT_EQ(left.SigType, DTMFSignal);
    // Reals come back with the six decimals of "%f".
    EXPECT_FLOAT_EQ(left.FreqSweep.FStartHz, 123.456787f);
    EXPECT_EQ(left.FreqStep.StepSize, 0.5f);
    EXPECT_EQ(left.Tones[3].FreqHz, 3150.25f);
    EXPECT_FLOAT_EQ(left.Tones[3].Amplitude, 0.1f);
    EXPECT_EQ(left.Pulse.WidthNSec, -7);
    EXPECT_STREQ(left.UserDefined.WaveFileName, "C:\\waves\\sweep file.wav");
    EXPECT_STREQ(right.DTMF.KeyString, "*#0");
    EXPECT_EQ(right.DTMF.TwistDB, -4.5f);
    EXPECT_EQ(right.IMD.IMDtype, 2);
    EXPECT_EQ(right.NoiseBurst.Type, 0);
    EXPECT_EQ(level.OutputUnits, DbvUnits);
    EXPECT_FLOAT_EQ(level.FSLevel, 2.13f);
    EXPECT_EQ(level.OutputLevelR, -12.5f);
}

TEST(TGeneratorSettings, RightValuesComeOnlyFromTheTwinSections)
{
    TMapProfile file;
    file.Write("Tones", "FreqHz0", "440.0");
    file.Write("DTMF", "KeyString", "111");
    file.Write("Main", "SigType", "8");
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    TGeneratorSettings::Load(file, left, right, level);
    EXPECT_EQ(left.Tones[0].FreqHz, 440.0f);
    EXPECT_EQ(right.Tones[0].FreqHz, 1000.0f);
    EXPECT_STREQ(right.DTMF.KeyString, "1234567890*#ABCD");
    EXPECT_EQ(right.SigType, PinkNoiseSignal);

    file.Write("TonesR", "FreqHz0", "880.0");
    file.Write("DTMF_R", "KeyString", "222");
    file.Write("User DefinedR", "WaveFileName", "r.wav");
    file.Write("Main", "SigTypeR", "14");
    TGeneratorSettings::Load(file, left, right, level);
    EXPECT_EQ(left.Tones[0].FreqHz, 440.0f);
    EXPECT_EQ(right.Tones[0].FreqHz, 880.0f);
    EXPECT_STREQ(left.DTMF.KeyString, "111");
    EXPECT_STREQ(right.DTMF.KeyString, "222");
    EXPECT_STREQ(right.UserDefined.WaveFileName, "r.wav");
    EXPECT_STREQ(left.UserDefined.WaveFileName, "");
    EXPECT_EQ(right.SigType, DTMFSignal);
}

TEST(TGeneratorSettings, TextsReadAsTheirLeadingNumbersWithoutRangeTests)
{
    // A key's text as read, and as the value read is written again.
    struct TCase {
        const char* Section;
        const char* Key;
        const char* Text;
        const char* Written;
    } cases[] = {
        {"ToneBurst", "FreqHz", "12abc", "12"},
        {"ToneBurst", "FreqHz", "abc", "0"},
        {"ToneBurst", "FreqHz", "  -40", "-40"},
        {"ToneBurst", "FreqHz", "99999999999", "2147483647"},
        // 16-bit fields keep the low 16 bits.
        {"IMD", "IMDtype", "70000", "4464"},
        {"Level", "OutputUnits", "-1", "65535"},
        {"Square", "FreqHz", "1.5e3Hz", "1500.000000"},
        {"Square", "FreqHz", "x", "0.000000"},
        {"Square", "DutyCyclePct", "150", "150"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Section) + "/" + c.Key + " = " + c.Text);
        TMapProfile file;
        file.Write(c.Section, c.Key, c.Text);
        SignalParams left{}, right{};
        OutputLevelStruct level{};
        TGeneratorSettings::Load(file, left, right, level);
        TMapProfile again;
        TGeneratorSettings::Save(again, left, right, level);
        EXPECT_EQ(again.Values[std::string(c.Section) + "/" + c.Key], c.Written);
    }
    // A key string longer than its field keeps its first 99 characters.
    TMapProfile file;
    file.Write("DTMF", "KeyString", std::string(150, '7'));
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    TGeneratorSettings::Load(file, left, right, level);
    EXPECT_EQ(std::string(left.DTMF.KeyString), std::string(99, '7'));
}
