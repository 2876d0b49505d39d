#include "engine/TSegmentFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/TWaveData.h"
#include "engine/TWaveFilter.h"
#include "tests/engine/Fixture.h"

namespace {

struct Fixture {
    std::vector<double> Input;
    std::vector<double> Filtered;
    static constexpr uint32_t First = 3000;
    static constexpr uint32_t Count = 20500;
};

Fixture Load()
{
    const auto rows = ReadFixture("edit_segment_filter.txt");
    return {rows.at(0), rows.at(1)};
}

void Fill(TWaveData& wave, const std::vector<double>& samples)
{
    for (uint32_t i = 0; i < samples.size(); ++i)
        wave.PutSample(int32_t(samples[i]), i, 0);
}

FilterSettings BandPass()
{
    FilterSettings s;
    s.Type = FilterSettings::BandPass;
    s.NumTaps = 101;
    s.BPCenterHz = 1500;
    s.BPWidthHz = 1000;
    s.FilterGainDB = -3.0f;
    return s;
}

}

// Two one-second blocks and a remainder equal scipy's lfilter of the segment
// from zero history, delayed one frame, within 1 LSB; frames outside the
// segment stay as they were.
TEST(TSegmentFilter, BlocksMatchLfilter)
{
    const Fixture f = Load();
    const TWaveFormat format(8000, 1, 2);
    TWaveData wave(uint32_t(f.Input.size()), format);
    Fill(wave, f.Input);
    TWaveFilter filter(format, BandPass());
    std::vector<uint32_t> progress;
    ASSERT_TRUE(TSegmentFilter::Run(filter, wave, Fixture::First, Fixture::Count, 1, 0,
                                    [&](uint32_t p) { progress.push_back(p); }, [] { return false; }));
    EXPECT_EQ(progress, (std::vector<uint32_t>{0, 50}));
    int worst = 0;
    for (uint32_t i = 0; i < wave.GetFrameCount(); ++i) {
        const bool inside = i >= Fixture::First && i < Fixture::First + Fixture::Count;
        const double expected = inside ? f.Filtered[i - Fixture::First] : f.Input[i];
        worst = std::max(worst, int(std::fabs(wave.GetSample(i, 0, 0) - expected)));
    }
    EXPECT_LE(worst, 1);
}

// Cancelling after the first block stops there: the second block and the
// remainder are not touched.
TEST(TSegmentFilter, CancelStopsAfterTheBlock)
{
    const Fixture f = Load();
    const TWaveFormat format(8000, 1, 2);
    TWaveData wave(uint32_t(f.Input.size()), format);
    Fill(wave, f.Input);
    TWaveFilter filter(format, BandPass());
    EXPECT_FALSE(TSegmentFilter::Run(filter, wave, Fixture::First, Fixture::Count, 1, 0, {}, [] { return true; }));
    for (uint32_t i = Fixture::First + 8000; i < wave.GetFrameCount(); ++i)
        ASSERT_EQ(wave.GetSample(i, 0, 0), f.Input[i]) << i;
    EXPECT_NEAR(wave.GetSample(Fixture::First + 100, 0, 0), f.Filtered[100], 1.0);
}

// A segment shorter than a second is one block.
TEST(TSegmentFilter, ShortSegmentIsOneBlock)
{
    const Fixture f = Load();
    const TWaveFormat format(8000, 1, 2);
    TWaveData wave(uint32_t(f.Input.size()), format);
    Fill(wave, f.Input);
    TWaveFilter filter(format, BandPass());
    int calls = 0;
    ASSERT_TRUE(TSegmentFilter::Run(filter, wave, Fixture::First, 500, 1, 0, {}, [&] { ++calls; return false; }));
    EXPECT_EQ(calls, 1);
    for (uint32_t i = 0; i < 500; ++i)
        ASSERT_NEAR(wave.GetSample(Fixture::First + i, 0, 0), f.Filtered[i], 1.0) << i;
}
