// The calibration level of numpy-written tones.
#include <gtest/gtest.h>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "engine/CalibrationStruct.h"
#include "engine/TCalibrationLevel.h"
#include "engine/TWaveData.h"

namespace {

template <typename T> T Value(T field) { return field; }

// A 16-bit PCM file of the fixture script (44-byte canonical header) as wave data.
void LoadTone(const char* name, TWaveData& wave)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/calibration/" + name, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(bytes.size(), 44u) << name;
    uint16_t channels;
    uint32_t rate, size;
    std::memcpy(&channels, &bytes[22], 2);
    std::memcpy(&rate, &bytes[24], 4);
    std::memcpy(&size, &bytes[40], 4);
    wave.SetFormat(rate, channels, 2);
    ASSERT_EQ(wave.SetLength(size / (2u * channels)), 1);
    std::memcpy(wave.GetBuffer(), &bytes[44], size);
}

CalibrationStruct Unmeasured()
{
    CalibrationStruct r{};
    r.Left.PctFullScale = r.Right.PctFullScale = -1.0f;
    return r;
}

}

TEST(TCalibrationLevel, BlockCountIsSignedAndSkipsTheFirstSecond)
{
    EXPECT_EQ(TCalibrationLevel::BlockCount(44100 + 32768, 44100), 6);
    EXPECT_EQ(TCalibrationLevel::BlockCount(2 * 44100, 44100), 8);
    EXPECT_EQ(TCalibrationLevel::BlockCount(8000 + 16383, 8000), 0);
    EXPECT_LT(TCalibrationLevel::BlockCount(100, 44100), 0);
}

TEST(TCalibrationLevel, HalfScaleSineMeasuresHalfOnEitherChannel)
{
    TWaveData wave;
    LoadTone("half_scale_stereo.wav", wave);
    for (uint16_t channel : {0, 1, 2}) {
        SCOPED_TRACE(channel);
        CalibrationStruct r = Unmeasured();
        TCalibrationLevel::Measure(channel, wave, r);
        EXPECT_EQ(Value(r.Left.PctFullScale) < 0, channel == 1);
        EXPECT_EQ(Value(r.Right.PctFullScale) < 0, channel == 0);
        if (channel != 1) {
            EXPECT_NEAR(Value(r.Left.PctFullScale), 0.5, 0.005);
        }
        if (channel != 0) {
            EXPECT_NEAR(Value(r.Right.PctFullScale), 0.5, 0.005);
        }
    }
}

TEST(TCalibrationLevel, ClippedMonoToneReadsFullScaleOnBothFields)
{
    TWaveData wave;
    LoadTone("clipped_mono.wav", wave);
    CalibrationStruct r = Unmeasured();
    TCalibrationLevel::Measure(2, wave, r);
    EXPECT_EQ(Value(r.Left.PctFullScale), 1.0f);
    EXPECT_EQ(Value(r.Right.PctFullScale), 1.0f);
}

TEST(TCalibrationLevel, SourceWithoutBlocksIsTooLow)
{
    TWaveData wave;
    LoadTone("too_short_mono.wav", wave);
    CalibrationStruct r = Unmeasured();
    TCalibrationLevel::Measure(2, wave, r);
    EXPECT_LT(Value(r.Left.PctFullScale), TCalibrationLevel::LowestLevel);
    EXPECT_GE(Value(r.Left.PctFullScale), 0.0f);
    EXPECT_LT(Value(r.Right.PctFullScale), TCalibrationLevel::LowestLevel);
}
