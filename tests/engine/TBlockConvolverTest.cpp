#include "engine/TBlockConvolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/engine/Fixture.h"

namespace {

// The noise of tests/fixtures/make_edit_fixtures.py.
float Noise(uint32_t index, uint32_t seed, int64_t amplitude)
{
    uint32_t u = index * 2654435761u + seed;
    u ^= u >> 13;
    u *= 0x5BD1E995u;
    u ^= u >> 15;
    return static_cast<float>(static_cast<int64_t>(u % static_cast<uint64_t>(2 * amplitude + 1)) - amplitude);
}

// Uneven taps, so that a kernel used the wrong way round shows: the whole run
// at once (several transforms, the last one partly filled) and in pieces
// short enough to take one transform each, against numpy's direct sum.
TEST(TBlockConvolver, SlidingDotProductMatchesNumpy)
{
    const auto rows = ReadFixture("edit_fft_filter.txt");
    ASSERT_GE(rows.size(), 4u);
    for (size_t r = rows.size() - 4; r < rows.size(); r += 2) {
        const std::vector<float> h(rows[r].begin(), rows[r].end());
        const std::vector<double>& want = rows[r + 1];
        const uint32_t taps = static_cast<uint32_t>(h.size());
        const uint32_t count = static_cast<uint32_t>(want.size());
        SCOPED_TRACE(testing::Message() << taps << " taps");
        std::vector<float> x(count + taps - 1);
        for (uint32_t i = 0; i < x.size(); ++i)
            x[i] = Noise(i, taps, 30000);
        double scale = 0.0;
        for (double v : want)
            scale = std::max(scale, std::fabs(v));

        TBlockConvolver convolver;
        ASSERT_TRUE(convolver.SetCoefficients(h.data(), taps));
        for (uint32_t piece : {count, 37u, taps / 2}) {
            SCOPED_TRACE(testing::Message() << "pieces of " << piece);
            std::vector<float> y(count, NAN);
            for (uint32_t first = 0; first < count; first += piece)
                ASSERT_TRUE(convolver.Correlate(x.data() + first, std::min(piece, count - first), y.data() + first));
            double worst = 0.0;
            for (uint32_t i = 0; i < count; ++i)
                worst = std::max(worst, std::fabs(y[i] - want[i]));
            EXPECT_LT(worst / scale, 1e-6);
        }
    }
}

TEST(TBlockConvolver, RefusesNoTaps)
{
    TBlockConvolver convolver;
    const float x[4] = {1, 2, 3, 4};
    float y[4] = {};
    EXPECT_FALSE(convolver.SetCoefficients(x, 0));
    EXPECT_FALSE(convolver.Correlate(x, 4, y));
}

}  // namespace
