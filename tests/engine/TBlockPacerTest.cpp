#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "engine/TBlockPacer.h"

namespace {

// The blocks a pacer hands out while a 48 kHz source is polled at random
// intervals of 1 to maxGapMs milliseconds for the given time; the source's
// position moves in the driver's coarse steps of 10 ms.
std::vector<uint64_t> PacedBlocks(uint32_t hop, double seconds, int maxGapMs, uint64_t first)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> gap(1, maxGapMs);
    TBlockPacer pacer;
    std::vector<uint64_t> blocks;
    for (double ms = 0; ms < seconds * 1000; ms += gap(random)) {
        const uint64_t position = uint64_t(ms / 10) * 480;
        uint64_t due = 0;
        if (pacer.Due(position, first, hop, due)) {
            EXPECT_LE(due, position);
            blocks.push_back(due);
        }
    }
    return blocks;
}

}  // namespace

TEST(TBlockPacer, BlocksFollowTheHopWhateverThePollingRate)
{
    struct Case { uint32_t Hop; int MaxGapMs; };
    // FFT 16384 at 75 % and 50 % overlap, polled fast and at a slow timer.
    for (const Case c : {Case{4096, 2}, Case{4096, 20}, Case{8192, 2}, Case{8192, 20}}) {
        SCOPED_TRACE(testing::Message() << c.Hop << " " << c.MaxGapMs);
        const std::vector<uint64_t> blocks = PacedBlocks(c.Hop, 20.0, c.MaxGapMs, 16384);
        ASSERT_FALSE(blocks.empty());
        EXPECT_GE(blocks.front(), 16384u);
        const double expected = (20.0 * 48000 - double(blocks.front())) / c.Hop;
        EXPECT_NEAR(double(blocks.size()), expected, 1.5);
        for (size_t i = 1; i < blocks.size(); ++i) ASSERT_EQ(blocks[i] - blocks[i - 1], c.Hop) << i;
    }
}

TEST(TBlockPacer, FirstBlockWaitsForEnoughDataAndAStallIsCaughtUpAtOnce)
{
    TBlockPacer pacer;
    uint64_t due = 0;
    EXPECT_FALSE(pacer.Due(16383, 16384, 4096, due));
    ASSERT_TRUE(pacer.Due(20000, 16384, 4096, due));
    EXPECT_EQ(due, 20000u);
    EXPECT_FALSE(pacer.Due(24095, 16384, 4096, due));
    ASSERT_TRUE(pacer.Due(24100, 16384, 4096, due));
    EXPECT_EQ(due, 24096u);
    // Blocks due during a slow pass come one after another...
    ASSERT_TRUE(pacer.Due(33000, 16384, 4096, due));
    EXPECT_EQ(due, 28192u);
    ASSERT_TRUE(pacer.Due(33000, 16384, 4096, due));
    EXPECT_EQ(due, 32288u);
    EXPECT_FALSE(pacer.Due(33000, 16384, 4096, due));
    // ...but a pass a second late takes the newest data, then hops on from there.
    ASSERT_TRUE(pacer.Due(90000, 16384, 4096, due));
    EXPECT_EQ(due, 90000u);
    EXPECT_FALSE(pacer.Due(94095, 16384, 4096, due));
    ASSERT_TRUE(pacer.Due(94096, 16384, 4096, due));
    EXPECT_EQ(due, 94096u);
    pacer.Reset();
    EXPECT_FALSE(pacer.Due(100, 16384, 4096, due));
}
