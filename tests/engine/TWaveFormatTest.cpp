#include "engine/TWaveFormat.h"

#include <gtest/gtest.h>

namespace {

struct SetCase {
    uint32_t rate;
    uint16_t channels, bytes;
    uint32_t wantRate;
    uint16_t wantChannels, wantBytes, wantBits;
    int32_t largest, smallest, silence;
};

TEST(TWaveFormat, SetDerivesRangeFromWidthAndRepairsBadArguments)
{
    const SetCase cases[] = {
        {0, 0, 0, 44100, 1, 2, 16, 32767, -32767, 0},
        {48000, 3, 5, 48000, 1, 2, 16, 32767, -32767, 0},
        {8000, 1, 1, 8000, 1, 1, 8, 255, 0, 127},
        {44100, 2, 2, 44100, 2, 2, 16, 32767, -32767, 0},
        {96000, 2, 3, 96000, 2, 3, 24, 8388607, -8388607, 0},
        {192000, 1, 4, 192000, 1, 4, 32, 1073741824, -1073741824, 0},
    };
    for (const SetCase& c : cases) {
        TWaveFormat f(c.rate, c.channels, c.bytes);
        SCOPED_TRACE(testing::Message() << c.rate << "/" << c.channels << "/" << c.bytes);
        EXPECT_EQ(f.SamplingRate, c.wantRate);
        EXPECT_EQ(f.NumChannels, c.wantChannels);
        EXPECT_EQ(f.BytesPerSample, c.wantBytes);
        EXPECT_EQ(f.BitsPerSample, c.wantBits);
        EXPECT_EQ(f.MaxValue, c.largest);
        EXPECT_EQ(f.MinValue, c.smallest);
        EXPECT_EQ(f.SilenceValue, c.silence);
    }
}

TEST(TWaveFormat, FullScaleIsHalfTheRange)
{
    EXPECT_DOUBLE_EQ(TWaveFormat(44100, 1, 1).FullScale(), 127.5);
    EXPECT_DOUBLE_EQ(TWaveFormat(44100, 1, 2).FullScale(), 32767.0);
    EXPECT_DOUBLE_EQ(TWaveFormat(44100, 1, 3).FullScale(), 8388607.0);
    EXPECT_DOUBLE_EQ(TWaveFormat(44100, 1, 4).FullScale(), 1073741824.0);
}

TEST(TWaveFormat, EqualityIgnoresDerivedValues)
{
    TWaveFormat a(44100, 2, 2), b(44100, 2, 2);
    b.BitsPerSample = 12;
    b.MaxValue = 1;
    EXPECT_TRUE(a.IsEqual(b));
    EXPECT_FALSE(a.IsEqual(TWaveFormat(48000, 2, 2)));
    EXPECT_FALSE(a.IsEqual(TWaveFormat(44100, 1, 2)));
    EXPECT_FALSE(a.IsEqual(TWaveFormat(44100, 2, 3)));
}

TEST(TWaveFormat, TwentyFourBitPackingRoundTrips)
{
    EXPECT_EQ(SignExtend24(0x800000), -8388608);
    EXPECT_EQ(SignExtend24(0x7FFFFF), 8388607);
    EXPECT_EQ(SignExtend24(0xFFFFFF), -1);
    EXPECT_EQ(TWaveFormat::Pack24(-1), 0xFFFFFF);
    EXPECT_EQ(TWaveFormat::Pack24(-8388607), 0x800001);
    EXPECT_EQ(TWaveFormat::Pack24(12345), 12345);
    for (int32_t v : {-8388608, -8388607, -65536, -1, 0, 1, 4660, 8388607})
        EXPECT_EQ(SignExtend24(TWaveFormat::Pack24(v) & 0xFFFFFF), v) << v;
}

}  // namespace
