// The THD+N plot's scales, lookups and ticks.
#include <gtest/gtest.h>

#include <cmath>

#include "utilities/TThdFreqScale.h"

namespace {

using S = TThdFreqScale;

std::vector<double> Values(const std::vector<S::TTick>& ticks, const std::vector<float>& scale)
{
    std::vector<double> v;
    for (const auto& t : ticks) v.push_back(scale[size_t(t.Offset)]);
    return v;
}

}  // namespace

TEST(TThdFreqScale, ScalesRunFromFirstToLastValue)
{
    const std::vector<float> log = S::FrequencyScale(600, 20, 20000, 1);
    ASSERT_EQ(log.size(), 600u);
    EXPECT_FLOAT_EQ(log[0], 20.0f);
    EXPECT_NEAR(log[300], std::sqrt(20.0 * 20000.0), 0.01);
    const std::vector<float> lin = S::FrequencyScale(100, 0, 1000, 0);
    EXPECT_FLOAT_EQ(lin[50], 500.0f);

    const std::vector<float> amp = S::AmplitudeScale(400, 10, 0.001f, 1);
    EXPECT_EQ(amp.front(), 0.001f);
    EXPECT_EQ(amp.back(), 10.0f);
    EXPECT_NEAR(amp[200], 0.1, 1e-4);
    EXPECT_EQ(S::AmplitudeScale(0, 10, 1, 1).size(), 0u);
}

TEST(TThdFreqScale, LookupsClampAndAnswerNoPixelWithoutATable)
{
    const std::vector<float> t = {1, 2, 3, 4};
    const struct {
        float Value;
        int Pixel;
    } cases[] = {{0.5f, 0}, {1, 0}, {2.5f, 1}, {3.99f, 2}, {4, 3}, {100, 3}};
    for (auto c : cases) EXPECT_EQ(S::ToPixel(t, c.Value), c.Pixel) << c.Value;
    EXPECT_EQ(S::ToPixel({}, 1.0f), S::NoPixel);
    EXPECT_EQ(S::ColumnValue(t, -1), 0.0f);
    EXPECT_EQ(S::ColumnValue(t, 4), 0.0f);
    EXPECT_EQ(S::ColumnValue(t, 2), 3.0f);
    EXPECT_EQ(S::RowValue(t, -5), 1.0f);
    EXPECT_EQ(S::RowValue(t, 9), 4.0f);
}

TEST(TThdFreqScale, FrequencyTicks)
{
    const struct {
        const char* Name;
        float Start, Stop;
        uint16_t Type;
        int Width;
        std::vector<double> Ticks;
        std::vector<std::string> SomeLabels;
    } cases[] = {
        {"log decades", 20, 20000, 1, 600,
         {20, 30, 40, 50, 60, 70, 80, 90, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 2000, 3000, 4000, 5000,
          6000, 7000, 8000, 9000, 10000, 20000},
         {"20", "100", "1.0k", "20.0k"}},
        {"log, one decade tick: linear second pass", 1000, 1008, 1, 400, {1000, 1002, 1004, 1006, 1008},
         {"1.000k", "1.002k", "1.008k"}},
        {"linear", 0, 1000, 0, 500, {0, 200, 400, 600, 800, 1000}, {"0.0", "200", "1.0k"}},
        {"linear narrow", 100, 150, 0, 500, {100, 110, 120, 130, 140, 150}, {"100.00", "150.00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<float> scale = S::FrequencyScale(c.Width, c.Start, c.Stop, c.Type);
        const auto ticks = S::FrequencyTicks(scale, c.Start, c.Stop, c.Type);
        ASSERT_EQ(ticks.size(), c.Ticks.size());
        for (size_t i = 0; i < ticks.size(); ++i) {
            // The tick's column holds its frequency: the column's value is at most it, the next one's above.
            EXPECT_LE(scale[size_t(ticks[i].Offset)], c.Ticks[i] * 1.0001) << i;
            if (size_t(ticks[i].Offset) + 1 < scale.size()) {
                EXPECT_GT(scale[size_t(ticks[i].Offset) + 1], c.Ticks[i] * 0.9999) << i;
            }
        }
        std::vector<std::string> labels;
        int last = 1 << 30;
        for (const auto& t : ticks)
            if (!t.Label.empty()) labels.push_back(t.Label);
        for (auto t = ticks.rbegin(); t != ticks.rend(); ++t)
            if (!t->Label.empty()) {
                EXPECT_GE(last - t->Offset, last == (1 << 30) ? 0 : S::FrequencyLabelGap);
                last = t->Offset;
            }
        EXPECT_EQ(ticks.back().Label, c.SomeLabels.back());
        for (const auto& want : c.SomeLabels)
            EXPECT_NE(std::find(labels.begin(), labels.end(), want), labels.end()) << want;
    }
}

TEST(TThdFreqScale, AmplitudeTicks)
{
    const std::vector<float> log = S::AmplitudeScale(400, 10, 0.001f, 1);
    const auto ticks = S::AmplitudeTicks(log, 10, 0.001f, 1);
    std::vector<double> expected;
    for (double decade = 0.001; decade < 10; decade *= 10)
        for (int k = 1; k < 10; ++k) expected.push_back(k * decade);
    expected.push_back(10);
    const std::vector<double> got = Values(ticks, log);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], expected[i], expected[i] * 0.03) << i;
    EXPECT_EQ(ticks.back().Label, "    10");
    EXPECT_EQ(ticks.front().Label, " 0.001");
    int last = 1 << 30;
    for (auto t = ticks.rbegin(); t != ticks.rend(); ++t)
        if (!t->Label.empty()) {
            if (last != 1 << 30) {
                EXPECT_GE(last - t->Offset, S::AmplitudeLabelGap);
            }
            last = t->Offset;
        }

    const std::vector<float> lin = S::AmplitudeScale(200, 5, 0, 0);
    const auto linear = S::AmplitudeTicks(lin, 5, 0, 0);
    ASSERT_EQ(linear.size(), 11u);
    EXPECT_EQ(linear[1].Label, "   0.5");
    EXPECT_EQ(linear.back().Offset, 199);

    EXPECT_TRUE(S::AmplitudeTicks(S::AmplitudeScale(200, 1, 1, 1), 1, 1, 1).empty());
}
