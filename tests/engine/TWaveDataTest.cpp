#include "engine/TWaveData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

TWaveFormat Format(uint16_t bytes, uint16_t channels = 1, uint32_t rate = 8000)
{
    return TWaveFormat(rate, channels, bytes);
}

// Stored bytes and read-back of one sample, for every width the sample
// operations handle: low bytes little-endian, 24-bit sign-extended, 8-bit
// unsigned around 127.
TEST(TWaveData, SamplesRoundTripThroughTheirStoredBytes)
{
    struct Case {
        uint16_t bytes;
        int32_t value;
        std::vector<uint8_t> stored;
        float scaled;
    };
    const Case cases[] = {
        {1, 127, {0x7F}, 0.0f},
        {1, 255, {0xFF}, 128.0f / 127.5f},
        {1, 0, {0x00}, -127.0f / 127.5f},
        {1, -5, {0xFB}, (251.0f - 127.0f) / 127.5f},
        {2, -2, {0xFE, 0xFF}, -2.0f / 32767.0f},
        {2, 32767, {0xFF, 0x7F}, 1.0f},
        {3, -1, {0xFF, 0xFF, 0xFF}, -1.0f / 8388607.0f},
        {3, -8388607, {0x01, 0x00, 0x80}, -1.0f},
        {3, 0x123456, {0x56, 0x34, 0x12}, 0x123456 / 8388607.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytes << " bytes, value " << c.value);
        TWaveData w(4, Format(c.bytes));
        ASSERT_EQ(w.Error, 0u);
        ASSERT_EQ(w.PutSample(c.value, 2, 0), 1);
        EXPECT_EQ(std::vector<uint8_t>(w.GetBuffer() + 2 * c.bytes, w.GetBuffer() + 3 * c.bytes), c.stored);
        const int32_t expectedRaw = c.bytes == 1 ? (c.value & 0xFF) : c.value;
        EXPECT_EQ(w.GetSample(2, 0, 0), static_cast<float>(expectedRaw));
        EXPECT_NEAR(w.GetSample(2, 0, 1), c.scaled, 1e-6);
    }
}

TEST(TWaveData, PutSampleRefusalsAndFourByteSamples)
{
    TWaveData byte(4, Format(1));
    EXPECT_EQ(byte.PutSample(300, 0, 0), 0);
    EXPECT_EQ(byte.PutSample(-256, 0, 0), 0);
    EXPECT_EQ(byte.PutSample(1, 4, 0), 0);
    EXPECT_EQ(byte.GetPosition(), 0u);
    EXPECT_EQ(byte.GetHighWaterMark(), 0u);

    TWaveData empty;
    EXPECT_EQ(empty.PutSample(1, 0, 0), 0);
    EXPECT_EQ(empty.GetSample(0, 0, 0), 0.0f);

    // 4-byte samples are moved by the frame operations only: a put stores
    // nothing yet counts as written, a get reads silence.
    TWaveData wide(2, Format(4));
    EXPECT_EQ(wide.PutSample(12345, 0, 0), 1);
    EXPECT_EQ(wide.GetPosition(), 1u);
    EXPECT_EQ(wide.GetHighWaterMark(), 1u);
    uint32_t raw;
    std::memcpy(&raw, wide.GetBuffer(), 4);
    EXPECT_EQ(raw, 0u);
    std::memset(wide.GetBuffer(), 0x11, 4);
    EXPECT_EQ(wide.GetSample(0, 0, 0), 0.0f);
}

// Outside the block a sample reads as silence: the code 127 unscaled, zero
// once measured from silence.
TEST(TWaveData, SamplesOutsideTheBlockReadAsSilence)
{
    TWaveData w(2, Format(1));
    EXPECT_EQ(w.GetSample(2, 0, 0), 127.0f);
    EXPECT_EQ(w.GetSample(2, 0, 1), 0.0f);
}

TEST(TWaveData, StereoFramesInterleaveAndMonoChannelOneIsChannelZero)
{
    TWaveData stereo(3, Format(2, 2));
    for (uint32_t f = 0; f < 3; ++f) {
        stereo.PutSample(100 + f, f, 0);
        stereo.PutSample(-100 - static_cast<int32_t>(f), f, 1);
    }
    const int16_t* s = reinterpret_cast<const int16_t*>(stereo.GetBuffer());
    EXPECT_EQ(std::vector<int16_t>(s, s + 6), (std::vector<int16_t>{100, -100, 101, -101, 102, -102}));

    int16_t right[2];
    ASSERT_EQ(stereo.ReadFrames(right, 1, 2, 1), 1);
    EXPECT_EQ(right[0], -101);
    EXPECT_EQ(right[1], -102);
    const int16_t left[2] = {7, 8};
    ASSERT_EQ(stereo.WriteFrames(left, 2, 2, 0), 1);  // cut to the one frame left
    EXPECT_EQ(stereo.GetSample(2, 0, 0), 7.0f);
    EXPECT_EQ(stereo.GetSample(2, 1, 0), -102.0f);

    TWaveData mono(2, Format(2, 1));
    mono.PutSample(42, 1, 1);
    EXPECT_EQ(mono.GetSample(1, 0, 0), 42.0f);
    mono.SetCalibration(1.0f, 3.0f);
    EXPECT_FLOAT_EQ(mono.GetSample(1, 1, 1), 42.0f / 32767.0f);
}

TEST(TWaveData, ReadFramesTakesOneChannelAtEveryWidth)
{
    for (uint16_t bytes : {1, 2, 3, 4}) {
        SCOPED_TRACE(bytes);
        TWaveData stereo(5, Format(bytes, 2));
        for (uint32_t f = 0; f < 5; ++f) {
            stereo.PutSample(static_cast<int32_t>(10 * f + 1), f, 0);
            stereo.PutSample(static_cast<int32_t>(10 * f + 5), f, 1);
        }
        for (uint16_t channel : {0, 1}) {
            std::vector<uint8_t> got(3 * bytes);
            ASSERT_EQ(stereo.ReadFrames(got.data(), 1, 3, channel), 1);
            for (uint32_t i = 0; i < 3; ++i)
                EXPECT_EQ(std::memcmp(&got[i * bytes], stereo.GetBuffer() + (1 + i) * 2 * bytes + channel * bytes, bytes), 0)
                    << "channel " << channel << " frame " << 1 + i;
        }
    }
}

TEST(TWaveData, ReadFramesRangeRules)
{
    TWaveData w(4, Format(1));
    for (uint32_t f = 0; f < 4; ++f)
        w.PutSample(10 + f, f, 0);
    uint8_t out[3] = {};
    // A range running past the end gives silence throughout, also where frames exist.
    EXPECT_EQ(w.ReadFrames(out, 2, 3, 0), 0);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 3), (std::vector<uint8_t>{127, 127, 127}));
    // A start beyond the end counts as frame 0.
    EXPECT_EQ(w.ReadFrames(out, 9, 3, 0), 1);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 3), (std::vector<uint8_t>{10, 11, 12}));
    EXPECT_EQ(w.ReadFrames(out, 0, 5, 0), 0);
    EXPECT_EQ(w.WriteFrames(out, 5, 1, 0), 0);
}

// Records the virtual seeks, as a disk-backed wave would follow them.
class SeekRecorder : public TWaveData {
public:
    using TWaveData::TWaveData;
    void Seek(uint32_t frame) override
    {
        Seeks.push_back(frame);
        TWaveData::Seek(frame);
    }
    std::vector<uint32_t> Seeks;
};

TEST(TWaveData, PositionMovesThroughTheVirtualSeek)
{
    SeekRecorder w(10, Format(2));
    EXPECT_EQ(w.SetPosition(4), 4u);
    EXPECT_EQ(w.SetPosition(11), 4u);  // beyond the frame count: stays
    EXPECT_EQ(w.Advance(100), 9u);     // stops at the last frame
    EXPECT_EQ(w.SeekEnd(), 10u);
    EXPECT_EQ(w.Rewind(), 0u);
    EXPECT_EQ(w.Seeks, (std::vector<uint32_t>{4, 4, 9, 10, 0}));
    EXPECT_EQ(w.GetPositionBytes(), 0u);
}

TEST(TWaveData, TimeAndFrameConversions)
{
    TWaveData w(44100, TWaveFormat(44100, 2, 3));
    EXPECT_EQ(w.TimeToFrame(0.5f), 22050u);
    EXPECT_EQ(w.TimeToFrame(-1.0f), 0u);
    EXPECT_FLOAT_EQ(w.FrameToTime(11025), 0.25f);
    EXPECT_FLOAT_EQ(w.GetDuration(), 1.0f);
    EXPECT_EQ(w.FramesToBytes(10), 60u);
    EXPECT_EQ(w.BytesToFrames(61), 10u);
    EXPECT_FLOAT_EQ(w.SetPositionTime(0.75f), 0.75f);
    EXPECT_EQ(w.GetPosition(), 33075u);
}

// A stream that fills the buffer to its end keeps every frame below the
// high-water mark, although the position stops at the last frame.
TEST(TWaveData, WriteStreamToTheEndKeepsTheLastFrame)
{
    TWaveData w(4, Format(2, 2));
    const std::vector<int16_t> first = {1, -1, 2, -2};
    const std::vector<int16_t> rest = {3, -3, 4, -4};
    ASSERT_EQ(w.WriteStream(first.data(), 8), 1);
    EXPECT_EQ(w.GetPosition(), 2u);
    EXPECT_EQ(w.GetHighWaterMark(), 2u);
    ASSERT_EQ(w.WriteStream(rest.data(), 8), 1);
    EXPECT_EQ(w.GetPosition(), 3u);
    EXPECT_EQ(w.GetHighWaterMark(), 4u);
    EXPECT_EQ(w.GetSample(3, 1, 0), -4.0f);
    // Nothing more fits.
    EXPECT_EQ(w.WriteStream(rest.data(), 8), 0);
    EXPECT_EQ(w.GetHighWaterMark(), 4u);
}

TEST(TWaveData, ReadStreamZeroFillsPastTheBuffer)
{
    TWaveData w(4, Format(2));
    const std::vector<int16_t> in = {5, 6, 7, 8};
    w.WriteStream(in.data(), 8);
    w.SetPosition(2);
    std::vector<int16_t> out(4, -1);
    ASSERT_EQ(w.ReadStream(out.data(), 8), 1);
    EXPECT_EQ(out, (std::vector<int16_t>{7, 8, 0, 0}));
    EXPECT_EQ(w.GetPosition(), 3u);
    EXPECT_EQ(w.ReadStream(out.data(), 2), 0);  // at the last frame
}

// Whole frames at any range up to the last frame, which ReadStream refuses
// to start at; the position, the high-water mark and frames outside the
// range stay; a range past the end is refused with nothing moved.
TEST(TWaveData, InterleavedFramesReadAndWriteInPlace)
{
    SeekRecorder w(5, Format(2, 2));
    const std::vector<int16_t> in = {1, -1, 2, -2, 3, -3};
    ASSERT_EQ(w.WriteStream(in.data(), 12), 1);
    w.SetPosition(1);
    w.Changed = 0;
    w.Seeks.clear();

    const std::vector<int16_t> block = {7, -7, 8, -8};
    ASSERT_EQ(w.WriteInterleaved(block.data(), 3, 2), 1);
    EXPECT_EQ(w.GetPosition(), 1u);
    EXPECT_EQ(w.GetHighWaterMark(), 3u);
    EXPECT_EQ(w.Changed, 1u);
    EXPECT_EQ(w.Seeks, (std::vector<uint32_t>{3, 4, 1}));  // the write ran through WriteStream
    std::vector<int16_t> out(4, 0);
    ASSERT_EQ(w.ReadInterleaved(out.data(), 4, 1), 1);
    EXPECT_EQ(out, (std::vector<int16_t>{8, -8, 0, 0}));
    ASSERT_EQ(w.ReadInterleaved(out.data(), 1, 2), 1);
    EXPECT_EQ(out, (std::vector<int16_t>{2, -2, 3, -3}));

    const std::vector<int16_t> before = out;
    EXPECT_EQ(w.ReadInterleaved(out.data(), 4, 2), 0);
    EXPECT_EQ(w.ReadInterleaved(out.data(), 6, 0), 0);
    EXPECT_EQ(out, before);
    w.Seeks.clear();
    EXPECT_EQ(w.WriteInterleaved(block.data(), 4, 2), 0);
    EXPECT_EQ(w.WriteInterleaved(block.data(), 6, 0), 0);
    EXPECT_EQ(w.Seeks, std::vector<uint32_t>{});
    EXPECT_EQ(w.GetSample(4, 0, 0), 8.0f);
}

TEST(TWaveData, SetLengthFillsGrowthWithSilenceAndCutsMarks)
{
    TWaveData w(4, Format(1, 2));
    w.SetPosition(3);
    for (uint32_t f = 0; f < 3; ++f)
        w.PutSample(200, f, 0);
    ASSERT_EQ(w.GetHighWaterMark(), 4u);
    ASSERT_EQ(w.SetLength(6), 1);
    EXPECT_EQ(w.GetFrameCount(), 6u);
    EXPECT_EQ(w.GetBufferSize(), 12u);
    EXPECT_EQ(w.GetPosition(), 4u);
    EXPECT_EQ(w.GetHighWaterMark(), 4u);
    EXPECT_EQ(w.GetSample(0, 0, 0), 200.0f);
    for (uint32_t f = 4; f < 6; ++f)
        for (uint16_t c = 0; c < 2; ++c)
            EXPECT_EQ(w.GetSample(f, c, 0), 127.0f);
    ASSERT_EQ(w.SetLength(2), 1);
    EXPECT_EQ(w.GetPosition(), 2u);
    EXPECT_EQ(w.GetHighWaterMark(), 2u);
    EXPECT_EQ(w.GetBufferSize(), 4u);

    TWaveData none(0, Format(2));
    ASSERT_EQ(none.SetLength(3), 1);
    EXPECT_EQ(none.GetBufferSize(), 6u);
}

// A size beyond 32 bits of bytes is a failed allocation, not a wrapped one.
TEST(TWaveData, OversizedBlocksReportFailure)
{
    TWaveData huge(0x40000001u, Format(4, 1));
    EXPECT_EQ(huge.Error, 1u);
    EXPECT_EQ(huge.GetBuffer(), nullptr);
    EXPECT_EQ(huge.GetFrameCount(), 0u);

    TWaveData w(2, Format(2, 2));
    EXPECT_EQ(w.SetLength(0x40000001u), 0);
    EXPECT_EQ(w.GetFrameCount(), 2u);
}

TEST(TWaveData, CalibrationScalesPerWidth)
{
    struct Case {
        uint16_t bytes;
        double fullScale;
    };
    for (const Case c : {Case{1, 127.5}, Case{2, 32767.0}, Case{3, 8388607.0}, Case{4, 1073741824.0}}) {
        TWaveData w(1, Format(c.bytes, 2));
        w.SetCalibration(0.0f, 1.5f);
        EXPECT_EQ(w.GetCalibration(0), 2.0f);
        EXPECT_FLOAT_EQ(w.GetScale(0), static_cast<float>(2.0 / c.fullScale));
        EXPECT_FLOAT_EQ(w.GetScale(1), static_cast<float>(1.5 / c.fullScale));
    }
}

TEST(TWaveData, SilenceCoversEveryChannelAndWidth)
{
    for (uint16_t bytes : {1, 2, 3, 4}) {
        SCOPED_TRACE(bytes);
        TWaveData w(5, Format(bytes, 2));
        std::memset(w.GetBuffer(), 0x55, w.GetBufferSize());
        w.SilenceFrames(1, 9);
        EXPECT_EQ(w.GetHighWaterMark(), 5u);
        const uint32_t frameBytes = 2u * bytes;
        for (uint32_t i = 0; i < frameBytes; ++i)
            EXPECT_EQ(w.GetBuffer()[i], 0x55);
        std::vector<uint8_t> silence(frameBytes, bytes == 1 ? 127 : 0);
        for (uint32_t f = 1; f < 5; ++f)
            EXPECT_EQ(std::memcmp(w.GetBuffer() + f * frameBytes, silence.data(), frameBytes), 0) << f;
    }
    TWaveData w(4, Format(1));
    w.ClearBuffer();
    EXPECT_EQ(w.GetSample(3, 0, 0), 127.0f);
}

TEST(TWaveData, MeasuresOverAFrameRange)
{
    TWaveData w(5, Format(2));
    const int32_t values[] = {1000, -3000, 2000, -500, 32767};
    for (uint32_t f = 0; f < 5; ++f)
        w.PutSample(values[f], f, 0);
    const double s = 1.0 / 32767.0;
    EXPECT_NEAR(w.MeanSquare(0, 4, 0), (1e6 + 9e6 + 4e6 + 0.25e6) * s * s / 4, 1e-9);
    EXPECT_NEAR(w.SumOfMagnitudes(1, 99, 0), (3000 + 2000 + 500 + 32767) * s, 1e-6);
    EXPECT_EQ(w.MeanSquare(3, 3, 0), 0.0);

    float hi = 0, lo = 0;
    // The last frame is not part of the envelope.
    w.GetMinMax(0, 5, &hi, &lo, 0, 0, 0);
    EXPECT_EQ(hi, 2000.0f);
    EXPECT_EQ(lo, -3000.0f);
    w.GetMinMax(0, 4, &hi, &lo, 0, 0, 1);
    EXPECT_FLOAT_EQ(hi, std::sqrt((1e6f + 4e6f) / 2));
    EXPECT_FLOAT_EQ(lo, -std::sqrt((9e6f + 0.25e6f) / 2));
    w.GetMinMax(1, 3, &hi, &lo, 0, 1, 0);
    EXPECT_FLOAT_EQ(hi, 2000.0f / 32767.0f);
    EXPECT_FLOAT_EQ(lo, -3000.0f / 32767.0f);
    hi = lo = 99.0f;
    w.GetMinMax(5, 9, &hi, &lo, 0, 0, 0);
    EXPECT_EQ(hi, 99.0f);

    TWaveData byte(3, Format(1));
    byte.PutSample(100, 0, 0);
    byte.PutSample(200, 1, 0);
    byte.GetMinMax(0, 2, &hi, &lo, 0, 1, 0);
    EXPECT_FLOAT_EQ(hi, 73.0f / 127.5f);
    EXPECT_FLOAT_EQ(lo, -27.0f / 127.5f);
}

// The same waveform, relative to silence, triggers alike in 8- and 16-bit data.
TEST(TWaveData, TriggerLevelsAndStepsAreMeasuredFromSilence)
{
    // Samples relative to silence in percent of the positive range.
    const int pattern[] = {0, 10, 30, 20, -40, -10, 0};
    struct Case {
        uint16_t type, slope;
        uint32_t threshold, from;
        int fires;
    };
    const Case cases[] = {
        {TriggerSettings::Level, TriggerSettings::Positive, 25, 0, 1},
        {TriggerSettings::Level, TriggerSettings::Positive, 35, 0, 0},
        {TriggerSettings::Level, TriggerSettings::Negative, 35, 0, 1},
        {TriggerSettings::Level, TriggerSettings::Negative, 45, 0, 0},
        {TriggerSettings::Edge, TriggerSettings::Positive, 25, 0, 1},   // step -40 -> -10
        {TriggerSettings::Edge, TriggerSettings::Positive, 25, 5, 0},
        {TriggerSettings::Edge, TriggerSettings::Negative, 55, 0, 1},   // step 20 -> -40
        {TriggerSettings::Edge, TriggerSettings::Negative, 65, 0, 0},
        {TriggerSettings::Edge, TriggerSettings::Positive, 0, 6, 1},    // threshold 0: first sample
        {TriggerSettings::Edge, 2, 0, 0, 0},
        {2, TriggerSettings::Positive, 0, 0, 0},
    };
    for (uint16_t bytes : {1, 2, 3}) {
        TWaveData w(7, Format(bytes));
        const int32_t range = w.GetMaxValue() - w.GetSilenceValue();
        for (uint32_t f = 0; f < 7; ++f)
            w.PutSample(w.GetSilenceValue() + pattern[f] * range / 100, f, 0);
        for (const Case& c : cases) {
            TriggerSettings t;
            t.TriggerType = c.type;
            t.TriggerSlope = c.slope;
            t.Threshold = c.threshold;
            EXPECT_EQ(w.TestTrigger(t, c.from, 100, 0), c.fires)
                << bytes << " bytes, type " << c.type << " slope " << c.slope << " threshold " << c.threshold;
        }
    }
    TWaveData wide(3, Format(4));
    TriggerSettings t;
    t.Threshold = 0;
    EXPECT_EQ(wide.TestTrigger(t, 0, 3, 0), 0);
}

}  // namespace
