#include "engine/TSeriesData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "tests/engine/Fixture.h"

namespace {

TWaveFormat Format(uint16_t bytes, uint32_t rate = 8000)
{
    return TWaveFormat(rate, 1, bytes);
}

TSeriesData FromFixture(const std::vector<double>& samples, uint32_t ratio = 1, uint32_t filter = 0)
{
    const uint32_t extra = (ratio >= 2 && filter == 1) ? TSeriesData::FilterTaps : 0;
    TSeriesData block(static_cast<uint32_t>(samples.size()) - extra, Format(2), ratio, filter);
    for (size_t i = 0; i < samples.size(); ++i)
        block.PutSample(static_cast<uint32_t>(i), static_cast<int32_t>(samples[i]));
    return block;
}

TEST(TSeriesData, LengthsAndTimes)
{
    TSeriesData filtered(1024, Format(2, 44100), 4, 1);
    EXPECT_EQ(filtered.GetLength(), 1063u);
    EXPECT_EQ(filtered.GetDecimatedLength(), 256u);
    TSeriesData plain(1000, Format(2, 44100), 3, 0);
    EXPECT_EQ(plain.GetLength(), 1000u);
    EXPECT_EQ(plain.GetDecimatedLength(), 333u);

    TSeriesData halved(16, Format(2, 44100), 2, 0);
    EXPECT_EQ(halved.TimeToSample(0.5f), 11025u);
    EXPECT_FLOAT_EQ(halved.SamplesToTime(22050), 1.0f);
    TSeriesData none(16, Format(2, 44100), 0, 0);
    EXPECT_EQ(none.TimeToSample(0.5f), 0u);
    EXPECT_EQ(none.SamplesToTime(10), 0.0f);

    TSeriesData empty(0, Format(2), 1, 0);
    EXPECT_EQ(empty.Error, 1u);
    EXPECT_EQ(empty.GetSamplePtr(0), nullptr);
    EXPECT_EQ(empty.GetPeakMagnitude(), 0);
}

// Samples read relative to silence for every width; results beyond the
// range are held at its limits instead of wrapping.
TEST(TSeriesData, SamplesAreRelativeToSilenceAndClippedToTheRange)
{
    struct Case {
        uint16_t bytes;
        int32_t put;
        std::vector<uint8_t> stored;
        float unscaled, scaled;
    };
    const Case cases[] = {
        {1, 255, {0xFF}, 128.0f, 128.0f / 127.5f},
        {1, 127, {0x7F}, 0.0f, 0.0f},
        {1, 300, {0xFF}, 128.0f, 128.0f / 127.5f},
        {1, -4, {0x00}, -127.0f, -127.0f / 127.5f},
        {2, -40000, {0x01, 0x80}, -32767.0f, -1.0f},
        {2, 40000, {0xFF, 0x7F}, 32767.0f, 1.0f},
        {3, -1, {0xFF, 0xFF, 0xFF}, -1.0f, -1.0f / 8388607.0f},
        {3, 9000000, {0xFF, 0xFF, 0x7F}, 8388607.0f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytes << " bytes, put " << c.put);
        TSeriesData block(3, Format(c.bytes), 1, 0);
        block.PutSample(1, c.put);
        const uint8_t* p = block.GetSamplePtr(1);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(std::vector<uint8_t>(p, p + c.bytes), c.stored);
        EXPECT_EQ(block.GetSample(1, 0), c.unscaled);
        EXPECT_NEAR(block.GetSample(1, 1), c.scaled, 1e-6);
        EXPECT_EQ(block.GetSample(3, 0), 0.0f);  // outside: a silent sample
        EXPECT_EQ(block.GetSample(0, 0), 0.0f);  // cleared to silence
        EXPECT_EQ(block.GetSamplePtr(3), nullptr);
    }
    TSeriesData calibrated(1, Format(2), 1, 0);
    calibrated.SetCalibration(2.0f);
    calibrated.PutSample(0, 32767);
    EXPECT_FLOAT_EQ(calibrated.GetSample(0, 1), 2.0f);
}

TEST(TSeriesData, ReadSamplesGivesWhatGetSampleGivesAndZerosPastTheBlock)
{
    for (uint16_t bytes : {1, 2, 3, 4}) {
        SCOPED_TRACE(bytes);
        TSeriesData block(37, Format(bytes), 1, 0);
        for (uint32_t i = 0; i < 37; ++i)
            block.PutSample(i, static_cast<int32_t>((i * 7919) % 251) - 125 + Format(bytes).SilenceValue);
        std::vector<float> read(40, -1.0f);
        block.ReadSamples(read.data(), 40);
        for (uint32_t i = 0; i < 40; ++i)
            ASSERT_EQ(read[i], block.GetSample(i, 0)) << i;
    }
}

TEST(TSeriesData, MinMaxOverARange)
{
    TSeriesData block(6, Format(2), 1, 0);
    const int32_t values[] = {500, -1500, 3000, -200, 100, 9000};
    for (uint32_t i = 0; i < 6; ++i)
        block.PutSample(i, values[i]);
    float hi = 0, lo = 0;
    block.GetMinMax(0, 5, &hi, &lo, 0, 0);
    EXPECT_EQ(hi, 3000.0f);
    EXPECT_EQ(lo, -1500.0f);
    block.GetMinMax(0, 5, &hi, &lo, 0, 1);
    EXPECT_FLOAT_EQ(hi, std::sqrt((500.0f * 500 + 3000.0f * 3000 + 100.0f * 100) / 3));
    EXPECT_FLOAT_EQ(lo, -std::sqrt((1500.0f * 1500 + 200.0f * 200) / 2));
    block.GetMinMax(4, 2, &hi, &lo, 1, 0);  // reversed: 0 .. 2
    EXPECT_FLOAT_EQ(hi, 500.0f / 32767.0f);
    EXPECT_FLOAT_EQ(lo, -1500.0f / 32767.0f);
    block.GetMinMax(50, 60, &hi, &lo, 0, 0);  // beyond: the last two samples
    EXPECT_EQ(hi, 9000.0f);
    EXPECT_EQ(lo, 100.0f);
}

TEST(TSeriesData, PeakMagnitudeIsLogarithmic)
{
    // 182 is the first 16-bit deviation at half the decades of full scale
    // (sqrt(32767) = 181.02), 2897 the first 24-bit one.
    struct Case {
        uint16_t bytes;
        int32_t deviation;
        int percent;
    };
    const Case cases[] = {
        {2, 32767, 100}, {2, -32766, 100}, {2, 1, 0}, {2, 0, 0}, {2, 182, 50},
        {1, 127, 100}, {1, -127, 100}, {1, 11, 49}, {3, 2897, 50},
    };
    for (const Case& c : cases) {
        TSeriesData block(8, Format(c.bytes), 1, 0);
        block.PutSample(5, c.deviation + (c.bytes == 1 ? 127 : 0));
        EXPECT_EQ(block.GetPeakMagnitude(), c.percent) << c.bytes << " bytes, deviation " << c.deviation;
    }
}

// A tone below the cutoff, one above it, and a full-scale burst whose ringing
// passes full scale: filtered, held at the limits, and every fourth sample kept.
TEST(TSeriesData, DecimationMatchesReference)
{
    const auto rows = ReadFixture("decimation_16bit.txt");
    ASSERT_EQ(rows.size(), 3u);
    TSeriesData block = FromFixture(rows[0], 4, 1);
    ASSERT_EQ(block.GetLength(), rows[0].size());
    for (uint32_t j = 0; j < TSeriesData::FilterTaps; ++j)
        EXPECT_NEAR(block.GetTaps()[j], rows[1][j], 1e-7) << j;
    block.Decimate();
    for (size_t j = 0; j < rows[2].size(); ++j)
        ASSERT_NEAR(block.GetSample(static_cast<uint32_t>(j), 0), rows[2][j], 1.0) << j;
}

TEST(TSeriesData, HilbertEnvelopeMatchesReference)
{
    const auto rows = ReadFixture("hilbert_envelope_16bit.txt");
    ASSERT_EQ(rows.size(), 2u);
    TSeriesData block = FromFixture(rows[0]);
    ASSERT_EQ(block.HilbertEnvelope(0, static_cast<uint32_t>(rows[0].size())), 1);
    for (size_t i = 0; i < rows[1].size(); ++i)
        ASSERT_NEAR(block.GetSample(static_cast<uint32_t>(i), 0), rows[1][i], 2.0) << i;
    EXPECT_EQ(block.HilbertEnvelope(0, 1000), 0);  // not a power of two
}

// The envelope of a full-scale square wave rises past full scale at its
// edges; the block holds it at the limit and never turns it negative.
TEST(TSeriesData, EnvelopeOfFullScaleSquareStaysInRange)
{
    for (uint16_t bytes : {1, 2}) {
        TSeriesData block(256, Format(bytes), 1, 0);
        const int32_t silence = bytes == 1 ? 127 : 0;
        const int32_t peak = bytes == 1 ? 127 : 32767;
        for (uint32_t i = 0; i < 256; ++i)
            block.PutSample(i, silence + ((i / 32) % 2 ? -peak : peak));
        ASSERT_EQ(block.HilbertEnvelope(0, 256), 1);
        float hi = 0, lo = 0;
        block.GetMinMax(0, 256, &hi, &lo, 0, 0);
        EXPECT_EQ(hi, bytes == 1 ? 255.0f : 32767.0f) << bytes;
        EXPECT_GE(lo, bytes == 1 ? 127.0f : 0.0f) << bytes;
    }
}

TEST(TSeriesData, SchroederIntegralMatchesReference)
{
    const auto rows = ReadFixture("schroeder_16bit.txt");
    ASSERT_EQ(rows.size(), 2u);
    TSeriesData block = FromFixture(rows[0]);
    ASSERT_EQ(block.SchroederIntegrate(99999), 1);
    for (size_t i = 0; i < rows[1].size(); ++i)
        ASSERT_NEAR(block.GetSample(static_cast<uint32_t>(i), 0), rows[1][i], 1.0) << i;

    TSeriesData silent(16, Format(1), 1, 0);
    EXPECT_EQ(silent.SchroederIntegrate(16), 0);
    EXPECT_EQ(silent.GetSample(0, 0), 0.0f);
}

// One waveform, relative to silence, triggers at the same index in 8-, 16-
// and 24-bit blocks.
TEST(TSeriesData, FindTriggerMeasuresFromSilence)
{
    const int pattern[] = {0, 10, 30, 20, -40, -10, 0, 60};
    struct Case {
        uint16_t type, slope;
        uint32_t threshold, first, end;
        int fires;
        uint32_t index;
    };
    const Case cases[] = {
        {TriggerSettings::Level, TriggerSettings::Positive, 25, 0, 8, 1, 2},
        {TriggerSettings::Level, TriggerSettings::Positive, 25, 3, 8, 1, 7},
        {TriggerSettings::Level, TriggerSettings::Positive, 25, 3, 7, 0, 0},
        {TriggerSettings::Level, TriggerSettings::Negative, 35, 0, 8, 1, 4},
        {TriggerSettings::Edge, TriggerSettings::Positive, 25, 0, 8, 1, 4},
        {TriggerSettings::Edge, TriggerSettings::Positive, 70, 0, 8, 0, 0},
        {TriggerSettings::Edge, TriggerSettings::Negative, 55, 0, 8, 1, 3},
        {TriggerSettings::Edge, TriggerSettings::Positive, 0, 5, 8, 1, 5},
        {TriggerSettings::Edge, TriggerSettings::Positive, 0, 7, 8, 0, 0},
        {3, TriggerSettings::Positive, 0, 0, 8, 0, 0},
    };
    for (uint16_t bytes : {1, 2, 3}) {
        TSeriesData block(8, Format(bytes), 1, 0);
        const int32_t silence = bytes == 1 ? 127 : 0;
        const int32_t range = bytes == 1 ? 128 : (bytes == 2 ? 32767 : 8388607);
        for (uint32_t i = 0; i < 8; ++i)
            block.PutSample(i, silence + pattern[i] * range / 100);
        for (const Case& c : cases) {
            TriggerSettings t;
            t.TriggerType = c.type;
            t.TriggerSlope = c.slope;
            t.Threshold = c.threshold;
            uint32_t found = 99;
            EXPECT_EQ(block.FindTrigger(t, c.first, c.end, &found), c.fires)
                << bytes << " bytes, type " << c.type << " slope " << c.slope << " from " << c.first;
            EXPECT_EQ(found, c.index) << bytes << " bytes, type " << c.type << " slope " << c.slope;
        }
    }

    TSeriesData sine(64, Format(2), 1, 0);
    for (uint32_t i = 0; i < 64; ++i)
        sine.PutSample(i, static_cast<int32_t>(32767 * std::sin(2 * std::numbers::pi * i / 64)));
    TriggerSettings half;
    half.Threshold = 50;
    uint32_t found = 0;
    ASSERT_EQ(sine.FindTrigger(half, 0, 64, &found), 1);
    EXPECT_GE(sine.GetSample(found, 0), 16383.0f);
    EXPECT_LT(sine.GetSample(found - 1, 0), 16383.0f);
}

}  // namespace
