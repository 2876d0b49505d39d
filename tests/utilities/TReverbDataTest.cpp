// Timing, smoothing and decay times of the reverberation table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "utilities/TReverbData.h"

namespace {

TEST(TReverbData, TimingOfLiveRunsAndSegments)
{
    struct Case {
        float Decay;
        TReverbData::TGeometry Geometry;
        uint32_t Rate;
        float Noise, Total, Hop;
        int32_t Capacity;
    };
    const Case cases[] = {
        {10.0f, {8192, 95}, 44100, 10.0f, 21.4f, 0.0092880f, 1184},
        {3.0f, {8192, 95}, 44100, 4.0f, 8.4f, 0.0092880f, 430},
        {10.0f, {4096, 90}, 44100, 10.0f, 21.4f, 0.0092880f, 1184},
        {10.0f, {32768, 95}, 192000, 10.0f, 21.4f, 0.0085333f, 1289},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Rate);
        TReverbData d;
        d.DecayLength = c.Decay;
        d.Geometry = c.Geometry;
        d.ComputeTiming(c.Rate);
        EXPECT_FLOAT_EQ(d.NoiseLength, c.Noise);
        EXPECT_NEAR(d.TotalLength, c.Total, 1e-5);
        EXPECT_NEAR(d.HopTime, c.Hop, 1e-6);
        EXPECT_EQ(d.RowCapacity, c.Capacity);
    }
    // The segment table by rate, and the hop the decay analysis steps by.
    EXPECT_EQ(TReverbData::SegmentGeometry(32000).FftSize, 4096u);
    EXPECT_EQ(TReverbData::SegmentGeometry(32001).FftSize, 8192u);
    EXPECT_EQ(TReverbData::SegmentGeometry(48000).OverlapPercent, 95);
    EXPECT_EQ(TReverbData::SegmentGeometry(88200).FftSize, 16384u);
    EXPECT_EQ(TReverbData::SegmentGeometry(96000).OverlapPercent, 97);
    EXPECT_EQ(TReverbData::SegmentGeometry(120000).FftSize, 32768u);
    EXPECT_EQ(TReverbData::HopFrames(TReverbData::LiveGeometry), 409u);
}

TEST(TReverbData, TimeSpansRunToTheTenthsAfterTheDecay)
{
    const std::vector<int> spans = TReverbData::TimeSpans(10.0f);
    ASSERT_FALSE(spans.empty());
    EXPECT_EQ(spans.front(), 1);
    EXPECT_EQ(spans.back(), 109);
    EXPECT_EQ(spans.size(), 109u);
    EXPECT_NE(std::find(spans.begin(), spans.end(), 25), spans.end());
}

// Rows of two entries over n rows at hop s whose level follows level(t),
// steepened by 0.1 % so that a depth is passed on its row, not a rounding
// short of it.
TReverbData Table(int n, float hop, const std::function<float(float)>& level, float decayLength = 10.0f)
{
    TReverbData d;
    d.HopTime = hop;
    d.DecayLength = decayLength;
    d.RowCapacity = n;
    EXPECT_TRUE(d.AllocateRows());
    d.BandCount = 2;
    d.RowCount = n;
    for (int r = 0; r < n; ++r) {
        const float t = r * hop;
        d.Rows[r].Time = t;
        d.Rows[r].Frequency[0] = 1000.0f;
        d.Rows[r].Frequency[1] = TReverbData::WidebandFrequency;
        d.Rows[r].Level[0] = d.Rows[r].Level[1] = 1.001f * level(t);
    }
    return d;
}

// Straight decays of a known slope: every smoother keeps the slope, so each
// depth is reached at depth / slope, to within a row.
TEST(TReverbData, TimesOfStraightDecaysUnderEverySmoother)
{
    const float hop = 0.01f;
    for (float t60 : {0.5f, 1.0f, 2.0f}) {
        for (int32_t method : {TReverbData::NoSmoothing, TReverbData::Averaging, TReverbData::Schroeder}) {
            SCOPED_TRACE(testing::Message() << t60 << " s, method " << method);
            TReverbData d = Table(int(1.5f * t60 / hop), hop, [t60](float t) { return -60.0f * t / t60; });
            d.ApplySmoothing(method, TReverbData::Rt30);
            d.ComputeReverbTimes(TReverbData::Rt30);
            const ReverbResult& r = d.Results[0];
            EXPECT_NEAR(r.T[0], t60 / 6, 1.5f * hop);
            EXPECT_NEAR(r.T[1], t60 / 3, 1.5f * hop);
            EXPECT_NEAR(r.T[2], t60 / 2, 1.5f * hop);
            EXPECT_NEAR(r.T[5], t60, 3.0f * hop);
            EXPECT_EQ(r.Estimated[0], 0);
            EXPECT_EQ(r.Estimated[2], 0);
            EXPECT_FLOAT_EQ(d.Results[1].Frequency, TReverbData::WidebandFrequency);
        }
    }
}

// Averaging treats the first row as every other: over a straight decay each
// smoothed row lies the slope's hop below the one before, row 0 included,
// so the drop from row 0 is not read early.
TEST(TReverbData, AveragingSmoothsTheFirstRowToo)
{
    const float hop = 0.008f;
    TReverbData d = Table(100, hop, [](float t) { return -100.0f * t; });
    d.ApplySmoothing(TReverbData::Averaging, TReverbData::Rt20);
    EXPECT_LT(d.Rows[0].Smoothed[0], -1.0f);
    for (int r = 0; r < 80; ++r)
        EXPECT_NEAR(d.Rows[r].Smoothed[0] - d.Rows[r + 1].Smoothed[0], 100.0f * hop, 1e-3) << r;
    // The last rows, a window's worth, keep their levels.
    EXPECT_FLOAT_EQ(d.Rows[99].Smoothed[0], d.Rows[99].Level[0]);
}

// The extrapolation methods over a decay that reaches 25 dB in 0.5 s: the
// depths not reached come from those that were, flagged.
TEST(TReverbData, ExtrapolationByMethod)
{
    struct Case {
        int32_t Method;
        float T[6];
    };
    // T10 at 0.1 s, T20 at 0.5 s, T30 at 0.6 s; the decay ends at 35 dB.
    const Case cases[] = {
        {TReverbData::Rt10, {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f}},
        {TReverbData::Rt20, {0.1f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f}},
        {TReverbData::Rt30, {0.1f, 0.5f, 0.6f, 0.8f, 1.0f, 1.2f}},
    };
    auto level = [](float t) {
        if (t < 0.1f) return -100.0f * t;
        if (t < 0.5f) return -10.0f - 25.0f * (t - 0.1f);
        return -20.0f - 100.0f * (t - 0.5f);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Method);
        TReverbData d = Table(66, 0.01f, level);
        d.ApplySmoothing(TReverbData::NoSmoothing, c.Method);
        d.ComputeReverbTimes(c.Method);
        const ReverbResult& r = d.Results[0];
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(r.T[i], c.T[i], 0.035f) << i;
        // The flags say what the decay reached, whatever the method made of it.
        EXPECT_EQ(r.Estimated[2], 0);
        EXPECT_EQ(r.Estimated[3], 1);
        EXPECT_EQ(r.Estimated[5], 1);
    }
    // RT 20 takes three T20 even where the decay reached 60 dB.
    TReverbData d = Table(200, 0.01f, [](float t) { return t < 0.4f ? -50.0f * t : -20.0f - 100.0f * (t - 0.4f); });
    d.ApplySmoothing(TReverbData::NoSmoothing, TReverbData::Rt20);
    d.ComputeReverbTimes(TReverbData::Rt20);
    EXPECT_NEAR(d.Results[0].T[5], 1.2f, 0.031f);
    EXPECT_EQ(d.Results[0].Estimated[5], 0);
    d.ComputeReverbTimes(TReverbData::Rt30);
    EXPECT_NEAR(d.Results[0].T[5], 2.0f * 0.5f, 0.021f);
}

// A decay that never falls 10 dB has no times; times beyond what the decay
// length allows count as none.
TEST(TReverbData, TheDecayLengthBoundsTheTimes)
{
    TReverbData flat = Table(100, 0.01f, [](float t) { return -5.0f * t; });
    flat.ApplySmoothing(TReverbData::NoSmoothing, TReverbData::Rt20);
    for (int32_t m : {TReverbData::Rt10, TReverbData::Rt20, TReverbData::Rt30}) {
        flat.ComputeReverbTimes(m);
        for (float t : flat.Results[0].T)
            EXPECT_EQ(t, 0.0f) << m;
    }
    // 10 dB after 0.3 s of a 0.25 s decay length: T10 is set to 0.
    TReverbData slow = Table(100, 0.01f, [](float t) { return -100.0f / 3.0f * t; }, 0.25f);
    slow.ApplySmoothing(TReverbData::NoSmoothing, TReverbData::Rt10);
    slow.ComputeReverbTimes(TReverbData::Rt10);
    EXPECT_EQ(slow.Results[0].T[0], 0.0f);
    // T60 of 1.2 s beyond twice a 0.5 s decay length is dropped; T20 of 0.4 s stays.
    TReverbData shortDecay = Table(100, 0.01f, [](float t) { return -50.0f * t; }, 0.5f);
    shortDecay.ApplySmoothing(TReverbData::NoSmoothing, TReverbData::Rt20);
    shortDecay.ComputeReverbTimes(TReverbData::Rt20);
    EXPECT_NEAR(shortDecay.Results[0].T[1], 0.4f, 0.011f);
    EXPECT_EQ(shortDecay.Results[0].T[5], 0.0f);
}

// Times count from the row nearest the decay start.
TEST(TReverbData, DecayStartMovesTheReferenceRow)
{
    TReverbData d = Table(200, 0.01f, [](float t) { return t < 0.5f ? 0.0f : -50.0f * (t - 0.5f); });
    d.ApplySmoothing(TReverbData::NoSmoothing, TReverbData::Rt20);
    d.DecayStartTime = 0.5f;
    d.ComputeReverbTimes(TReverbData::Rt20);
    EXPECT_NEAR(d.Results[0].T[1], 0.4f, 0.011f);
    d.DecayStartTime = 0.0f;
    d.ComputeReverbTimes(TReverbData::Rt20);
    EXPECT_NEAR(d.Results[0].T[1], 0.9f, 0.011f);
}

}  // namespace
