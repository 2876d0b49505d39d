// Shapes, pulses, user wave files and DTMF keys.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/TEngineHost.h"
#include "generator/TSignalSynthesizer.h"
#include "tests/generator/GeneratorTestSupport.h"

namespace {

struct TShapes : ::testing::Test {
    TTestSources Sources;
    TRuntimeRandom Random;
    TSignalSynthesizer Synth{Sources, Random};

    std::vector<int32_t> Render(const SignalParams& p, TWaveFormat f, uint32_t frames, double a = 1.0,
                                uint16_t channel = 0)
    {
        TWaveData block(frames, f);
        block.ClearBuffer();
        Synth.Build(block, p, channel, a);
        return Channel(block, channel);
    }
};

}  // namespace

TEST_F(TShapes, SquareHoldsItsDutyCycle)
{
    // 1 kHz, 25 % at 48 kHz: 12 frames at 0.99 max x A, 36 at 0.99 min x A, rounded.
    SignalParams p = DefaultSignal(SquareSignal);
    p.Square.FreqHz = 1000.0f;
    p.Square.DutyCyclePct = 25;
    const std::vector<int32_t> s = Render(p, TWaveFormat(48000, 1, 2), 96, 0.5);
    for (int j = 0; j < 96; ++j) ASSERT_EQ(s[j], j % 48 < 12 ? 16220 : -16220) << j;
    // 8-bit: the same deviations around silence 127.
    const std::vector<int32_t> byte = Render(p, TWaveFormat(48000, 1, 1), 48, 1.0);
    EXPECT_EQ(byte[0], 127 + 127);  // 126.72 above silence
    EXPECT_EQ(byte[20], 127 - 126);  // 125.73 below
    // 32-bit: +/- 2^30 x 0.99.
    const std::vector<int32_t> wide = Render(p, TWaveFormat(48000, 1, 4), 48, 1.0);
    EXPECT_EQ(wide[0], 1063004406);
    EXPECT_EQ(wide[47], -1063004406);
}

TEST_F(TShapes, SawtoothAndTriangleRampOverTheirPeriods)
{
    // Sawtooth at 1 kHz, 44.1 kHz: 44 frames rising from min in steps of (max - min) / 44.
    SignalParams p = DefaultSignal(SawtoothSignal);
    const std::vector<int32_t> rising = Render(p, TWaveFormat(44100, 1, 2), 88);
    for (int j = 0; j < 88; ++j) ASSERT_EQ(rising[j], int32_t(std::floor((j % 44) * 65534.0 / 44 - 32767 + 0.5))) << j;
    p.Sawtooth.Slope = -1;
    const std::vector<int32_t> falling = Render(p, TWaveFormat(44100, 1, 2), 44);
    EXPECT_EQ(falling[0], 32767);
    EXPECT_EQ(falling[43], int32_t(std::floor(32767 - 43 * 65534.0 / 44 + 0.5)));
    // 8-bit at half amplitude: around 127, from 127 - 63 up.
    p.Sawtooth.Slope = 1;
    const std::vector<int32_t> byte = Render(p, TWaveFormat(44100, 1, 1), 44, 0.5);
    EXPECT_EQ(byte[0], int32_t(std::floor(127 - 127 * 0.5 + 0.5)));
    EXPECT_EQ(byte[22], int32_t(std::floor(127 + (22 * 255.0 / 44 - 127) * 0.5 + 0.5)));

    // Triangle at 1 kHz, 48 kHz: up over 24 frames, down over 24.
    SignalParams t = DefaultSignal(TriangularSignal);
    const std::vector<int32_t> tri = Render(t, TWaveFormat(48000, 1, 2), 48);
    EXPECT_EQ(tri[0], -32767);
    EXPECT_EQ(tri[12], 0);
    EXPECT_EQ(tri[24], 32767);
    EXPECT_EQ(tri[36], 0);
    EXPECT_EQ(tri[47], int32_t(std::floor(65534.0 - 23 * 65534.0 / 24 - 32767 + 0.5)));
}

TEST_F(TShapes, ShapesAboveTheRateAreSilent)
{
    for (int32_t type : {SawtoothSignal, TriangularSignal, SquareSignal}) {
        SCOPED_TRACE(type);
        SignalParams p = DefaultSignal(type);
        p.Sawtooth.FreqHz = p.Triangular.FreqHz = p.Square.FreqHz = 30000.0f;
        // A triangle needs two frames a period.
        if (type == TriangularSignal) p.Triangular.FreqHz = 5000.0f;
        EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 1), 20), std::vector<int32_t>(20, 127));
    }
}

TEST_F(TShapes, PulseLeadsItsInterval)
{
    // 200 us every 10 ms at 44.1 kHz: 8 frames high, 441 a period.
    SignalParams p = DefaultSignal(PulseSignal);
    const std::vector<int32_t> s = Render(p, TWaveFormat(44100, 1, 2), 882, 0.5);
    for (int j = 0; j < 882; ++j) ASSERT_EQ(s[j], j % 441 < 8 ? 16220 : 0) << j;
    // A width not below the interval is high throughout.
    p.Pulse.WidthNSec = 10000;
    EXPECT_EQ(Render(p, TWaveFormat(44100, 1, 1), 441), std::vector<int32_t>(441, 127 + 127));
    p.Pulse.RepIntervalNSec = -5;
    EXPECT_EQ(Render(p, TWaveFormat(44100, 1, 1), 10), std::vector<int32_t>(10, 127));
}

TEST_F(TShapes, UserFileAtFullAmplitudeIsBitExact)
{
    const std::vector<int32_t> samples = {0, 1, 127, 128, 200, 255, 3, 90};
    Sources.AddFile("byte.wav", TWaveFormat(8000, 1, 1), samples);
    SignalParams p = DefaultSignal(UserDefinedSignal);
    std::strcpy(p.UserDefined.WaveFileName, "byte.wav");
    // Repeated to fill the block; a one-channel file feeds both channels.
    const std::vector<int32_t> left = Render(p, TWaveFormat(8000, 2, 1), 12, 1.0, 0);
    const std::vector<int32_t> right = Render(p, TWaveFormat(8000, 2, 1), 12, 1.0, 1);
    const std::vector<int32_t> expected = {0, 1, 127, 128, 200, 255, 3, 90, 0, 1, 127, 128};
    EXPECT_EQ(left, expected);
    EXPECT_EQ(right, expected);
    // At half amplitude the 8-bit codes scale around 127, to the nearest code.
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 1), 4, 0.5), (std::vector<int32_t>{64, 64, 127, 128}));

    const std::vector<int32_t> stereo = {-32767, 32767, 100, -100, 0, 5};
    Sources.AddFile("word.wav", TWaveFormat(8000, 2, 2), stereo);
    std::strcpy(p.UserDefined.WaveFileName, "word.wav");
    EXPECT_EQ(Render(p, TWaveFormat(8000, 2, 2), 3, 1.0, 1), (std::vector<int32_t>{32767, -100, 5}));
}

TEST_F(TShapes, UserFilesOfAnotherWidthAreConverted)
{
    // 16-bit samples in a 24-bit block (the other channel's file is 24-bit): x 256.
    Sources.AddFile("word.wav", TWaveFormat(8000, 1, 2), {1000, -32767, 32767});
    SignalParams p = DefaultSignal(UserDefinedSignal);
    std::strcpy(p.UserDefined.WaveFileName, "word.wav");
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 3), 3), (std::vector<int32_t>{256000, -8388352, 8388352}));
    // 8-bit codes in a 16-bit block: around silence, x 256.
    Sources.AddFile("byte.wav", TWaveFormat(8000, 1, 1), {127, 255, 0});
    std::strcpy(p.UserDefined.WaveFileName, "byte.wav");
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 2), 3), (std::vector<int32_t>{0, 32767, -32512}));
    // 24-bit in a 32-bit block: x 128; 32-bit files are read too.
    Sources.AddFile("wide.wav", TWaveFormat(8000, 1, 4), {1 << 30, -(1 << 29)});
    std::strcpy(p.UserDefined.WaveFileName, "wide.wav");
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 4), 2), (std::vector<int32_t>{1 << 30, -(1 << 29)}));
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 2), 2), (std::vector<int32_t>{32767, -16384}));
}

TEST_F(TShapes, MissingUserFileIsReportedAndSilent)
{
    SignalParams p = DefaultSignal(UserDefinedSignal);
    std::strcpy(p.UserDefined.WaveFileName, "C:\\nowhere\\gone.wav");
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 1), 5), std::vector<int32_t>(5, 127));
    ASSERT_EQ(Sources.Reports.size(), 1u);
    EXPECT_EQ(Sources.Reports[0].Text, "Generator - Failure opening file: C:\\nowhere\\gone.wav");
}

TEST_F(TShapes, DTMFMatchesNumpyAndHoldsEachKeysPair)
{
    const TSampleFixture fixture = ReadSampleFixture("dtmf_8000_16.txt");
    SignalParams p = DefaultSignal(DTMFSignal);
    const std::vector<int32_t> s = Render(p, TWaveFormat(8000, 1, 2), uint32_t(fixture.Samples.size()));
    ASSERT_EQ(s.size(), fixture.Samples.size());
    for (size_t j = 0; j < s.size(); ++j) ASSERT_NEAR(s[j], fixture.Samples[j], 1) << j;
    // Each key: 800 frames of its pair, then 800 frames of silence with dither.
    for (int key = 0; key < 4; ++key)
        for (int j = key * 1600 + 801; j < key * 1600 + 1600; ++j) ASSERT_LE(std::abs(s[j]), 1) << j;
}

TEST_F(TShapes, DTMFTwistLowersOneGroupAndOtherKeysAreSilent)
{
    SignalParams p = DefaultSignal(DTMFSignal);
    std::strcpy(p.DTMF.KeyString, "x1");
    p.DTMF.PulseWidthMsec = 1000;
    p.DTMF.PulseSpacingMsec = 0;
    const TWaveFormat f(8000, 1, 2);
    const std::vector<int32_t> s = Render(p, f, 16000);
    // A character that is no key: silence plus dither.
    for (int j = 0; j < 8000; ++j) ASSERT_LE(std::abs(s[j]), 1) << j;
    // Level of one tone over the second key, in dB relative to another.
    auto relative = [](const std::vector<int32_t>& x, double hz, double reference) {
        auto level = [&x](double f) {
            double c = 0, q = 0;
            for (int j = 8000; j < 16000; ++j) {
                c += x[j] * std::cos(TSignalSynthesizer::TwoPi * f * (j + 1.0) / 8000);
                q += x[j] * std::sin(TSignalSynthesizer::TwoPi * f * (j + 1.0) / 8000);
            }
            return std::sqrt(c * c + q * q);
        };
        return 20 * std::log10(level(hz) / level(reference));
    };
    // "1" with a 3 dB twist: 697 Hz 3 dB below 1209 Hz; -3 dB lowers 1209 Hz instead.
    EXPECT_NEAR(relative(s, 697, 1209), -3.0, 0.05);
    p.DTMF.TwistDB = -3.0f;
    EXPECT_NEAR(relative(Render(p, f, 16000), 697, 1209), 3.0, 0.05);
}

TEST_F(TShapes, EmptyOrZeroLengthKeysAreSilent)
{
    SignalParams p = DefaultSignal(DTMFSignal);
    p.DTMF.KeyString[0] = '\0';
    p.DTMF.RepeatFlag = 1;
    for (int32_t v : Render(p, TWaveFormat(8000, 1, 2), 8000)) ASSERT_LE(std::abs(v), 1);
    p.DTMF.PulseWidthMsec = 0;
    p.DTMF.PulseSpacingMsec = 0;
    std::strcpy(p.DTMF.KeyString, "123");
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 1), 100), std::vector<int32_t>(100, 127));
}
