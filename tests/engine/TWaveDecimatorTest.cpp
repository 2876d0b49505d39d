#include "engine/TWaveDecimator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/TWaveData.h"
#include "tests/engine/Fixture.h"

// 10,500 stereo frames by 2: five blocks of 1,000 frames and 250 from the
// remainder, equal to numpy's block-wise 39-tap low pass and every second
// sample (silence after the wave's end, never the previous block's samples).
TEST(TWaveDecimator, TenThousandFiveHundredFramesByTwo)
{
    const auto rows = ReadFixture("edit_decimate.txt");
    ASSERT_EQ(rows.size(), 4u);
    const TWaveFormat format(8000, 2, 2);
    TWaveData source(uint32_t(rows[0].size()), format);
    for (uint32_t i = 0; i < rows[0].size(); ++i) {
        source.PutSample(int32_t(rows[0][i]), i, 0);
        source.PutSample(int32_t(rows[1][i]), i, 1);
    }
    std::vector<double> left, right;
    std::vector<uint32_t> counts;
    ASSERT_TRUE(TWaveDecimator::Run(source, 2, 1, [&](const TWaveData& block, uint32_t count) {
        counts.push_back(count);
        for (uint32_t i = 0; i < count; ++i) {
            left.push_back(const_cast<TWaveData&>(block).GetSample(i, 0, 0));
            right.push_back(const_cast<TWaveData&>(block).GetSample(i, 1, 0));
        }
        return true;
    }, {}));
    EXPECT_EQ(counts, (std::vector<uint32_t>{1000, 1000, 1000, 1000, 1000, 250}));
    ASSERT_EQ(left.size(), rows[2].size());
    for (size_t i = 0; i < left.size(); ++i) {
        ASSERT_NEAR(left[i], rows[2][i], 1.0) << i;
        ASSERT_NEAR(right[i], rows[3][i], 1.0) << i;
    }
}

TEST(TWaveDecimator, RefusesRatiosOutsideTheRangeAndStopsOnAFailedAppend)
{
    TWaveData source(5000, TWaveFormat(8000, 1, 2));
    int appends = 0;
    const auto append = [&](const TWaveData&, uint32_t) { return ++appends < 2; };
    EXPECT_FALSE(TWaveDecimator::Run(source, 0, 1, append, {}));
    EXPECT_FALSE(TWaveDecimator::Run(source, 51, 1, append, {}));
    EXPECT_EQ(appends, 0);
    EXPECT_FALSE(TWaveDecimator::Run(source, 2, 0, append, {}));
    EXPECT_EQ(appends, 2);
}
