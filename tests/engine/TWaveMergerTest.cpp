#include "engine/TWaveMerger.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/TWaveData.h"

namespace {

void Ramp(TWaveData& wave, int32_t base)
{
    for (uint32_t i = 0; i < wave.GetFrameCount(); ++i)
        wave.PutSample(base + int32_t(i % 20000), i, 0);
}

struct Collected {
    std::vector<int32_t> Left, Right;
    TWaveMerger::TAppend Append()
    {
        return [this](const TWaveData& block, uint32_t count) {
            for (uint32_t i = 0; i < count; ++i) {
                Left.push_back(int32_t(const_cast<TWaveData&>(block).GetSample(i, 0, 0)));
                Right.push_back(int32_t(const_cast<TWaveData&>(block).GetSample(i, 1, 0)));
            }
            return true;
        };
    }
};

}

// One second and two seconds of mono give one second of stereo, each
// channel equal to its source.
TEST(TWaveMerger, StereoAsLongAsTheShorterSource)
{
    const TWaveFormat mono(44100, 1, 2);
    TWaveData left(44100, mono), right(88200, mono);
    Ramp(left, -10000);
    Ramp(right, 5000);
    Collected out;
    EXPECT_EQ(TWaveMerger::Run(left, right, out.Append(), {}), TWaveMerger::TResult::Done);
    ASSERT_EQ(out.Left.size(), 44100u);
    for (uint32_t i = 0; i < 44100; ++i) {
        ASSERT_EQ(out.Left[i], -10000 + int32_t(i % 20000)) << i;
        ASSERT_EQ(out.Right[i], 5000 + int32_t(i % 20000)) << i;
    }
}

TEST(TWaveMerger, Refusals)
{
    using C = TWaveMerger::TCheck;
    EXPECT_EQ(TWaveMerger::Check({44100, 1, 2}, {44100, 1, 2}), C::Fits);
    EXPECT_EQ(TWaveMerger::Check({44100, 2, 2}, {44100, 1, 2}), C::NotMono);
    EXPECT_EQ(TWaveMerger::Check({44100, 1, 2}, {48000, 1, 2}), C::RatesDiffer);
    EXPECT_EQ(TWaveMerger::Check({44100, 1, 2}, {44100, 1, 1}), C::WidthsDiffer);
}

// A failed append ends the merge; a cancel skips the whole blocks left but
// still appends the last partial block.
TEST(TWaveMerger, FailedAppendEndsAndCancelKeepsTheTail)
{
    const TWaveFormat mono(8000, 1, 2);
    TWaveData left(40000, mono), right(40000, mono);
    int appends = 0;
    EXPECT_EQ(TWaveMerger::Run(left, right, [&](const TWaveData&, uint32_t) { return ++appends < 2; }, {}),
              TWaveMerger::TResult::AppendFailed);
    EXPECT_EQ(appends, 2);
    std::vector<uint32_t> counts;
    EXPECT_EQ(TWaveMerger::Run(left, right, [&](const TWaveData&, uint32_t n) { counts.push_back(n); return true; },
                               [](uint32_t, uint32_t) { return false; }),
              TWaveMerger::TResult::Done);
    EXPECT_EQ(counts, (std::vector<uint32_t>{16384, 40000 - 2 * 16384}));
}
