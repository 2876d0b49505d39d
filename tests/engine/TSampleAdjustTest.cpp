#include "engine/TSampleAdjust.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/TSeriesData.h"
#include "tests/engine/Fixture.h"

namespace {

TSeriesData Block(const std::vector<double>& samples, TWaveFormat format)
{
    TSeriesData block(uint32_t(samples.size()), format, 1, 0);
    for (size_t i = 0; i < samples.size(); ++i)
        block.PutSample(uint32_t(i), int32_t(samples[i]));
    return block;
}

std::vector<double> Stored(const TSeriesData& block, int32_t silence)
{
    std::vector<double> out;
    for (uint32_t i = 0; i < block.GetLength(); ++i)
        out.push_back(block.GetSample(i, 0) + silence);
    return out;
}

}

// numpy's rounding half up of gain x sample (+ offset) around silence, held
// to the range: +6 dB and +10 % on 16-bit data, +3 dB on 8-bit codes.
TEST(TSampleAdjust, GainAndOffsetMatchNumpy)
{
    const auto rows = ReadFixture("edit_gain_offset.txt");
    ASSERT_EQ(rows.size(), 5u);
    const TWaveFormat f16(44100, 1, 2);
    const TWaveFormat f8(44100, 1, 1);
    struct Case {
        const char* name;
        TWaveFormat format;
        size_t input, expected;
        double gain, offset;
    } cases[] = {
        {"+6 dB", f16, 0, 1, TSampleAdjust::LinearGain(6.0f), 0.0},
        {"+10 %", f16, 0, 2, 1.0, TSampleAdjust::OffsetInSamples(10.0f, f16, 0, 0.0f)},
        {"8-bit +3 dB", f8, 3, 4, TSampleAdjust::LinearGain(3.0f), 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSeriesData block = Block(rows[c.input], c.format);
        const std::vector<double>& expected = rows[c.expected];
        EXPECT_EQ(TSampleAdjust::Run({&block, c.gain, c.offset}, {}, block.GetLength(), c.format.SilenceValue, {}),
                  block.GetLength());
        EXPECT_EQ(Stored(block, c.format.SilenceValue), expected);
    }
}

TEST(TSampleAdjust, SixDecibelsTurnMinusOneThousandIntoMinus1995)
{
    const TWaveFormat format(44100, 1, 2);
    TSeriesData block = Block({-1000}, format);
    TSampleAdjust::Run({&block, TSampleAdjust::LinearGain(6.0f), 0.0}, {}, 1, 0, {});
    EXPECT_EQ(block.GetSample(0, 0), -1995.0f);
}

TEST(TSampleAdjust, ZeroGainAndOffsetKeepEverySample)
{
    const TWaveFormat format(44100, 1, 3);
    const std::vector<double> samples = {-8388607, -1, 0, 1, 4000000, 8388607};
    TSeriesData block = Block(samples, format);
    TSampleAdjust::Run({&block, TSampleAdjust::LinearGain(0.0f), TSampleAdjust::OffsetInSamples(0.0f, format, 0, 0.0f)},
                       {}, uint32_t(samples.size()), 0, {});
    EXPECT_EQ(Stored(block, 0), samples);
}

// A DC offset in calibrated units divides by the ratio; an enabled channel
// with ratio 0 falls back to percent.
TEST(TSampleAdjust, OffsetUnits)
{
    const TWaveFormat format(44100, 1, 2);
    EXPECT_FLOAT_EQ(TSampleAdjust::OffsetInSamples(10.0f, format, 0, 2.0f), 3276.7f);
    EXPECT_FLOAT_EQ(TSampleAdjust::OffsetInSamples(0.5f, format, 1, 2.0f), 32767.0f * 0.5f / 2.0f);
    EXPECT_FLOAT_EQ(TSampleAdjust::OffsetInSamples(10.0f, format, 1, 0.0f), 3276.7f);
}

// A refused step keeps the frames done and leaves the rest; both channels
// move together.
TEST(TSampleAdjust, StopKeepsTheFramesDone)
{
    const TWaveFormat format(44100, 2, 2);
    TSeriesData left = Block({100, 100, 100, 100}, format);
    TSeriesData right = Block({-100, -100, -100, -100}, format);
    const uint32_t done = TSampleAdjust::Run({&left, 2.0, 0.0}, {&right, 1.0, 5.0}, 4, 0,
                                             [](uint32_t i) { return i < 2; });
    EXPECT_EQ(done, 2u);
    EXPECT_EQ(Stored(left, 0), (std::vector<double>{200, 200, 100, 100}));
    EXPECT_EQ(Stored(right, 0), (std::vector<double>{-95, -95, -100, -100}));
    EXPECT_FALSE(TSampleAdjust::CanAdjust(4));
    EXPECT_TRUE(TSampleAdjust::CanAdjust(3));
}
