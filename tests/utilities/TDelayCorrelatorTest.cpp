#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "utilities/TDelayCorrelator.h"

namespace {

// Uniform noise of a fixed seed over most of the 16-bit range.
std::vector<int32_t> Noise(size_t count)
{
    std::vector<int32_t> x(count);
    uint32_t state = 36;
    for (auto& v : x) {
        state = state * 1664525u + 1013904223u;
        v = static_cast<int32_t>(state >> 16) - 32768;
        v = v * 3 / 4;
    }
    return x;
}

TSeriesData Block(const std::vector<int32_t>& source, int64_t first, uint32_t n, uint32_t rate)
{
    TSeriesData block(n, TWaveFormat(rate, 2, 2), 1, 0);
    for (uint32_t i = 0; i < n; ++i) block.PutSample(i, source[static_cast<size_t>(first + i)]);
    return block;
}

AnalysisSettingsStruct Stereo(uint32_t rate)
{
    AnalysisSettingsStruct a;
    a.Format = TWaveFormat(rate, 2, 2);
    return a;
}

}  // namespace

TEST(TDelayCorrelator, BlockSizeReachesTheMaximumDelay)
{
    const struct {
        int32_t ms;
        uint32_t rate;
        uint32_t n;
    } cases[] = {{10, 44100, 4096},  {46, 44100, 8192},   {47, 44100, 8192},    {91, 44100, 16384},
                 {92, 44100, 16384}, {100, 44100, 16384}, {500, 44100, 65536}, {500, 96000, 131072},
                 {1000, 192000, 524288}};
    for (const auto& c : cases) {
        EXPECT_EQ(TDelayCorrelator::BlockSize(c.ms, c.rate), c.n) << c.ms << " ms at " << c.rate;
        EXPECT_GE(3 * c.n / 8, uint32_t(int64_t{c.ms} * c.rate / 1000));
    }
}

// Right = left delayed by k samples: the peak sits exactly k below N / 2 and
// the delay reads -k samples, at the edge of the reach too.
TEST(TDelayCorrelator, LagIsExactToOneSample)
{
    for (uint32_t rate : {44100u, 96000u}) {
        TDelayCorrelator correlator(Stereo(rate), DisplaySettingsStruct{}, 500);
        ASSERT_TRUE(correlator.IsReady());
        const uint32_t n = correlator.GetBlockSize();
        const int64_t reach = 3 * n / 8 - 1;
        const std::vector<int32_t> s = Noise(4 * size_t{n});
        for (int64_t k : {int64_t{0}, int64_t{1}, int64_t{10}, int64_t{-10}, int64_t{1000}, reach, -reach}) {
            SCOPED_TRACE(testing::Message() << rate << " Hz, lag " << k);
            const int64_t p = 2 * n;
            const TSeriesData left = Block(s, p - n / 2, n, rate);
            const TSeriesData right = Block(s, p - k, n, rate);
            const float ms = correlator.Measure(left, right);
            EXPECT_EQ(int64_t{correlator.GetPeakIndex()}, int64_t{n / 2} - k);
            EXPECT_NEAR(ms, -1000.0 * k / rate, 1e-4);
        }
    }
}

TEST(TDelayCorrelator, SilenceAndUnits)
{
    TDelayCorrelator correlator(Stereo(44100), DisplaySettingsStruct{}, 10);
    const TSeriesData silence(4096, TWaveFormat(44100, 2, 2), 1, 0);
    EXPECT_EQ(correlator.Measure(silence, silence), 0.0f);
    EXPECT_EQ(correlator.GetPeakIndex(), 2048u);

    EXPECT_FLOAT_EQ(TDelayCorrelator::ToUnits(1.0f, TDelayCorrelator::Milliseconds, 1130.0f), 1.0f);
    EXPECT_NEAR(TDelayCorrelator::ToUnits(1.0f, TDelayCorrelator::Feet, 1130.0f), 1.130, 1e-6);
    EXPECT_NEAR(TDelayCorrelator::ToUnits(1.0f, TDelayCorrelator::Metres, 1130.0f), 0.344424, 1e-6);
    EXPECT_EQ(TDelayCorrelator::ToUnits(1.0f, 3, 1130.0f), 0.0f);
}
