#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "generator/TGeneratorSettings.h"
#include "tests/generator/ExpectedGeneratorKeys.h"
#include "tests/generator/GeneratorTestSupport.h"

namespace {
// Half of 48000 Hz.
constexpr double Nyquist = 24000.0;
}

TEST(TGeneratorSettings, EmptyFileGivesTheDefaultsAndWritesEveryKeyInOrder)
{
    TMapProfile empty;
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    TGeneratorSettings::Load(empty, left, right, level, Nyquist);
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
    TGeneratorSettings::Load(defaults, left, right, level, Nyquist);
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
    TGeneratorSettings::Load(file, left, right, level, Nyquist);
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
    TGeneratorSettings::Load(file, left, right, level, Nyquist);
    EXPECT_EQ(left.Tones[0].FreqHz, 440.0f);
    EXPECT_EQ(right.Tones[0].FreqHz, 1000.0f);
    EXPECT_STREQ(right.DTMF.KeyString, "1234567890*#ABCD");
    EXPECT_EQ(right.SigType, PinkNoiseSignal);

    file.Write("TonesR", "FreqHz0", "880.0");
    file.Write("DTMF_R", "KeyString", "222");
    file.Write("User DefinedR", "WaveFileName", "r.wav");
    file.Write("Main", "SigTypeR", "14");
    TGeneratorSettings::Load(file, left, right, level, Nyquist);
    EXPECT_EQ(left.Tones[0].FreqHz, 440.0f);
    EXPECT_EQ(right.Tones[0].FreqHz, 880.0f);
    EXPECT_STREQ(left.DTMF.KeyString, "111");
    EXPECT_STREQ(right.DTMF.KeyString, "222");
    EXPECT_STREQ(right.UserDefined.WaveFileName, "r.wav");
    EXPECT_STREQ(left.UserDefined.WaveFileName, "");
    EXPECT_EQ(right.SigType, DTMFSignal);
}

TEST(TGeneratorSettings, TextsReadAsTheirLeadingNumbers)
{
    // A key's text as read, and as the value read is written again.
    struct TCase {
        const char* Section;
        const char* Key;
        const char* Text;
        const char* Written;
    } cases[] = {
        {"ToneBurst", "FreqHz", "12abc", "12"},
        {"ToneBurst", "FreqHz", "  40", "40"},
        {"IMD", "IMDtype", "2x", "2"},
        {"Square", "FreqHz", "1.5e3Hz", "1500.000000"},
        {"Square", "DutyCyclePct", "75%", "75"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Section) + "/" + c.Key + " = " + c.Text);
        TMapProfile file;
        file.Write(c.Section, c.Key, c.Text);
        SignalParams left{}, right{};
        OutputLevelStruct level{};
        TGeneratorSettings::Load(file, left, right, level, Nyquist);
        TMapProfile again;
        TGeneratorSettings::Save(again, left, right, level);
        EXPECT_EQ(again.Values[std::string(c.Section) + "/" + c.Key], c.Written);
    }
    // A key string longer than its field keeps its first 99 characters.
    TMapProfile file;
    file.Write("DTMF", "KeyString", std::string(150, '7'));
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    TGeneratorSettings::Load(file, left, right, level, Nyquist);
    EXPECT_EQ(std::string(left.DTMF.KeyString), std::string(99, '7'));
}

TEST(TGeneratorSettings, ValuesItCannotUseKeepTheirDefaultsAndSilenceTheirChannel)
{
    // Key, text, the value written back, and the channels that cannot play
    // what they were set to (L, R or LR). Levels are checked in their unit.
    struct TCase {
        const char* Section;
        const char* Key;
        const char* Text;
        const char* Written;
        const char* Silent;
    } cases[] = {
        {"Level", "OutputLevel", "nan", "0.000000", "L"},
        {"Level", "OutputLevelR", "inf", "0.000000", "R"},
        {"Level", "OutputLevel", "1e39", "0.000000", "L"},
        {"Level", "OutputLevel", "-200", "0.000000", "L"},
        {"Level", "OutputLevel", "0.5", "0.000000", "L"},
        {"Level", "OutputUnits", "99", "0", "LR"},
        {"Level", "OutputUnits", "-1", "0", "LR"},
        {"Level", "FSOption", "65535", "1", "LR"},
        {"Level", "FSCardType", "8", "1", "LR"},
        {"Level", "FSLevel", "-inf", "0.000000", "LR"},
        {"Main", "SigType", "99", "3", "L"},
        {"Main", "SigTypeR", "4294967295", "1", "R"},
        {"Main", "SigType", "-1", "3", "L"},
        {"NoiseBurst", "Type", "2", "1", "L"},
        {"IMDR", "IMDtype", "70000", "0", "R"},
        {"FreqSweep", "SweepType", "0", "1", "L"},
        {"FreqStepR", "StepType", "3", "1", "R"},
        {"FreqStep", "StepSize", "0", "1000.000000", "L"},
        {"TonesR", "FreqHz3", "30000", "4000.000000", "R"},
        {"Tones", "FreqHz0", "-1", "1000.000000", "L"},
        {"Tones", "FreqHz9", "nan", "10000.000000", "L"},
        {"Tones", "PwrDB2", "3", "0.000000", "L"},
        {"Tones", "PwrDB2", "-97", "0.000000", "L"},
        {"FreqSweep", "FStopHz", "24000.5", "2000.000000", "L"},
        {"LevelSweepR", "StartDB", "1e39", "-20.000000", "R"},
        {"LevelSweep", "FreqHz", "inf", "1000.000000", "L"},
        {"ToneBurst", "FreqHz", "0", "1000", "L"},
        {"ToneBurst", "FreqHz", "99999999999", "1000", "L"},
        {"IMD", "HiFreqHz", "30000", "5000.000000", "L"},
        {"IMD", "PwrRatio", "0", "4.000000", "L"},
        {"SquareR", "FreqHz", "0", "2000.000000", "R"},
        {"Sawtooth", "FreqHz", "30000", "1000.000000", "L"},
        {"TriangularR", "FreqHz", "-5", "1000.000000", "R"},
        {"DTMF_R", "TwistDB", "nan", "3.000000", "R"},
        {"Square", "DutyCyclePct", "150", "50", "L"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Section) + "/" + c.Key + " = " + c.Text);
        TMapProfile file;
        file.Write(c.Section, c.Key, c.Text);
        SignalParams left{}, right{};
        OutputLevelStruct level{};
        const TGeneratorSettings::TRefusals refused = TGeneratorSettings::Load(file, left, right, level, Nyquist);
        ASSERT_EQ(refused.Keys.size(), 1u);
        EXPECT_EQ(refused.Keys[0], std::string(c.Section) + "/" + c.Key);
        EXPECT_EQ(refused.Channel[0], std::strchr(c.Silent, 'L') != nullptr);
        EXPECT_EQ(refused.Channel[1], std::strchr(c.Silent, 'R') != nullptr);
        EXPECT_NE(refused.Message().find(refused.Keys[0]), std::string::npos);
        TMapProfile again;
        TGeneratorSettings::Save(again, left, right, level);
        EXPECT_EQ(again.Values[std::string(c.Section) + "/" + c.Key], c.Written);
        for (const auto& [key, value] : again.Values) {
            EXPECT_EQ(value.find("nan"), std::string::npos) << key;
            EXPECT_EQ(value.find("inf"), std::string::npos) << key;
        }
    }
}

TEST(TGeneratorSettings, LevelsAndFrequenciesAtTheirLimitsPass)
{
    TMapProfile file;
    file.Write("Tones", "FreqHz1", "24000");
    file.Write("Tones", "FreqHz2", "0");
    file.Write("Tones", "PwrDB1", "-96");
    file.Write("SquareR", "FreqHz", "24000");
    file.Write("Level", "OutputUnits", "2");
    file.Write("Level", "FSOption", "0");
    file.Write("Level", "FSLevel", "2.0");
    file.Write("Level", "OutputLevel", "2.0");
    file.Write("Level", "OutputLevelR", "0.001");
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    EXPECT_FALSE(TGeneratorSettings::Load(file, left, right, level, Nyquist).Any());
    EXPECT_EQ(left.Tones[1].FreqHz, 24000.0f);
    EXPECT_EQ(right.Square.FreqHz, 24000.0f);
    EXPECT_EQ(level.OutputLevel, 2.0f);
    // No percentage is no level.
    file.Write("Level", "OutputUnits", "1");
    file.Write("Level", "OutputLevel", "0");
    const TGeneratorSettings::TRefusals percent = TGeneratorSettings::Load(file, left, right, level, Nyquist);
    ASSERT_EQ(percent.Keys.size(), 1u);
    EXPECT_EQ(percent.Keys[0], "Level/OutputLevel");
    // At 8000 Hz the defaults above 4 kHz still stand; a stored 5 kHz does not.
    TMapProfile low;
    low.Write("Tones", "FreqHz5", "5000");
    const TGeneratorSettings::TRefusals refused = TGeneratorSettings::Load(low, left, right, level, 4000.0);
    ASSERT_EQ(refused.Keys.size(), 1u);
    EXPECT_EQ(refused.Keys[0], "Tones/FreqHz5");
    EXPECT_EQ(left.Tones[5].FreqHz, 6000.0f);
    EXPECT_EQ(left.FreqStep.FStopHz, 22000.0f);
}
