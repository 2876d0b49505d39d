#include "engine/TCapturePosition.h"
#include "engine/TSoundDeviceQuirks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct QuirkCase {
    const char* name;
    TSoundDeviceQuirks::TDirection direction;
    uint32_t TSoundDeviceQuirks::*flag;
    uint32_t want;
};

TEST(TSoundDeviceQuirks, DeviceTableMatchesNamesAsTheTableSays)
{
    using Q = TSoundDeviceQuirks;
    const QuirkCase cases[] = {
        {"DAL Card", Q::Input, &Q::leadIn, 1},
        {"DAL Card", Q::Input, &Q::positionOffset8000, 0},
        {"Dal", Q::Input, &Q::leadIn, 1},
        {"Creative Windows Sound System", Q::Output, &Q::positionOffset8000, 0},
        {"Creative windows sound system", Q::Output, &Q::positionOffset8000, 1},
        {"My Antex card", Q::Input, &Q::positionOffset8000, 0},
        {"sb16 card", Q::Output, &Q::continuousRates, 0},
        {"Darla24", Q::Output, &Q::quirkA, 0},
        {"Darla24", Q::Input, &Q::quirkA, 1},
        {"Darla24", Q::Input, &Q::settleDelay, 1},
        {"VXPOCKET v2", Q::Input, &Q::positionOffset12000, 1},
        {"E-MU 0404", Q::Output, &Q::positionOffset8000, 0},
        {"E-MU 0404", Q::Input, &Q::positionOffset8000, 1},
        {"ST192 Pro", Q::Input, &Q::extensible20Bit, 1},
        {"Pd96", Q::Output, &Q::extensible20Bit, 1},
        {"Pd96", Q::Input, &Q::extensible20Bit, 0},
        {"Null Output", Q::Output, &Q::positionOffset8000, 1},
    };
    for (const QuirkCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " direction " << c.direction);
        TSoundDeviceQuirks q;
        TWaveFormat minimum(11025, 1, 1), maximum(44100, 2, 2);
        q.Apply(c.name, c.direction, minimum, maximum);
        EXPECT_EQ(q.*c.flag, c.want);
    }
}

TEST(TSoundDeviceQuirks, ContinuousRateCardSnapsToTheNearerTableRate)
{
    TSoundDeviceQuirks q;
    TWaveFormat minimum(11025, 1, 1), maximum(44100, 2, 2);
    q.Apply("SB16", TSoundDeviceQuirks::Output, minimum, maximum);
    EXPECT_EQ(minimum.SamplingRate, 5000u);
    EXPECT_EQ(minimum.NumChannels, 2);
    EXPECT_EQ(maximum.SamplingRate, 45000u);
    const uint32_t cases[][2] = {{22139, 22050}, {22146, 22242}, {4000, 5000}, {22050, 22050}, {44999, 45000}};
    for (const auto& c : cases)
        EXPECT_EQ(q.NearestSupportedRate(c[0], 5000, 45000), c[1]) << c[0];
}

TEST(TSoundDeviceQuirks, StandardAndFixedRateModels)
{
    TSoundDeviceQuirks standard;
    standard.standardRates = 1;
    const uint32_t cases[][2] = {{8000, 11025}, {16537, 11025}, {16538, 22050}, {33075, 22050}, {33076, 44100},
                                 {48000, 44100}};
    for (const auto& c : cases)
        EXPECT_EQ(standard.NearestSupportedRate(c[0], 11025, 44100), c[1]) << c[0];
    EXPECT_EQ(TSoundDeviceQuirks().NearestSupportedRate(12345, 11025, 44100), 12345u);

    TSoundDeviceQuirks emu, tapco;
    TWaveFormat minimum, maximum;
    emu.Apply("E-MU 1820", TSoundDeviceQuirks::Input, minimum, maximum);
    tapco.Apply("Tapco Link", TSoundDeviceQuirks::Input, minimum, maximum);
    EXPECT_FALSE(emu.RateInFixedList(32000));
    EXPECT_TRUE(emu.RateInFixedList(192000));
    EXPECT_FALSE(tapco.RateInFixedList(96000));
    EXPECT_TRUE(TSoundDeviceQuirks().RateInFixedList(32000));
}

TEST(TSoundDeviceQuirks, PositionCorrectionsAndValidBits)
{
    TSoundDeviceQuirks dal;
    TWaveFormat minimum, maximum;
    dal.Apply("DAL", TSoundDeviceQuirks::Input, minimum, maximum);
    EXPECT_EQ(dal.PositionCorrection(10000), 10000u);
    EXPECT_EQ(dal.PositionCorrection(10001), 1u);
    EXPECT_EQ(TSoundDeviceQuirks().PositionCorrection(8001), 1u);
    EXPECT_EQ(TSoundDeviceQuirks().PositionCorrection((1ull << 32) + 8000), 1ull << 32);

    TSoundDeviceQuirks st;
    st.extensible20Bit = 1;
    EXPECT_EQ(st.ValidBitsFor24(2), 24);
    EXPECT_EQ(st.ValidBitsFor24(5), 20);
    EXPECT_EQ(TSoundDeviceQuirks().ValidBitsFor24(5), 24);
}

TEST(TSoundDeviceQuirks, PlatformCodes)
{
    const uint32_t cases[][4] = {{1, 4, 0, 0}, {1, 4, 10, 1}, {1, 4, 90, 2}, {2, 4, 0, 3}, {2, 5, 0, 4},
                                 {2, 5, 1, 5}, {2, 10, 0, 5}, {2, 3, 51, 5}, {3, 1, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TSoundDeviceQuirks::PlatformCode(c[0], c[1], c[2]), static_cast<int>(c[3]))
            << c[0] << " " << c[1] << "." << c[2];
}

TEST(TCapturePosition, CountStaysContinuousAcrossTheDriverWrap)
{
    TCapturePosition p;
    const uint32_t start = 0xFFFFF000u;
    EXPECT_EQ(p.Extend(start), start);
    EXPECT_EQ(p.Extend(0xFFFFFF00u), 0xFFFFFF00u);
    EXPECT_EQ(p.Extend(0x00000100u), 0x100000100ull);
    EXPECT_EQ(p.Extend(0x00002000u), 0x100002000ull);
    EXPECT_EQ(p.Extend(0x00001000u), 0x100001000ull) << "a small step back stays a step back";
    p.Reset();
    EXPECT_EQ(p.Extend(0x10u), 0x10u);
}

TEST(TCapturePosition, EstimateMovesByTheMeanIntervalButNeverPastTheLastReport)
{
    TCapturePosition::Timing = {};
    const uint32_t byteRate = 48000 * 2;  // 96 bytes a millisecond
    const uint64_t base = (1ull << 32) - 500;
    EXPECT_EQ(TCapturePosition::Estimate(base, 0, byteRate), 0u);
    EXPECT_EQ(TCapturePosition::Estimate(base + 2000, 7, byteRate), base);
    // Standing still: 7 ms (the starting mean) a call, 672 bytes, up to the last report.
    EXPECT_EQ(TCapturePosition::Estimate(base + 2000, 14, byteRate), base + 672);
    EXPECT_EQ(TCapturePosition::Estimate(base + 2000, 21, byteRate), base + 1344);
    EXPECT_EQ(TCapturePosition::Estimate(base + 2000, 28, byteRate), base + 2000);
    EXPECT_EQ(TCapturePosition::Estimate(base + 2000, 35, byteRate), base + 2000);
}

TEST(TCapturePosition, ACaptureOpenedAgainEstimatesAsTheFirstCaptureDid)
{
    const uint32_t byteRate = 96000;
    auto firstEstimates = [&] {
        std::vector<uint64_t> e;
        for (uint32_t t = 0; t < 6; ++t) e.push_back(TCapturePosition::Estimate(1920 * (t / 2 + 1), 1000 + 7 * t, byteRate));
        return e;
    };
    TCapturePosition::Timing = {};
    const std::vector<uint64_t> first = firstEstimates();
    // A long capture, then the device opens again.
    TCapturePosition::Estimate(50'000'000, 9000, byteRate);
    TCapturePosition::Estimate(50'001'920, 9007, byteRate);
    TCapturePosition::ForgetPositions();
    EXPECT_EQ(firstEstimates(), first);
}

TEST(TCapturePosition, MeanIntervalIsMeasuredEveryHundredCalls)
{
    TCapturePosition::Timing = {};
    for (uint32_t i = 0; i < 100; ++i)
        TCapturePosition::Estimate(1000 + i, 1000 + 20 * i, 1000);
    TCapturePosition::Estimate(5000, 3000, 1000);
    EXPECT_FLOAT_EQ(TCapturePosition::Timing.MeanMs, 30.0f);
    EXPECT_EQ(TCapturePosition::Timing.CallCount, 1);
}

}  // namespace
