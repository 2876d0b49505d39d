#include <gtest/gtest.h>

#include "tests/engine/Fixture.h"
#include "utilities/TPhaseScopeTrace.h"

namespace {

using Point = TPhaseScopeTrace::Point;

TSeriesData Block(const std::vector<double>& samples)
{
    TSeriesData s(static_cast<uint32_t>(samples.size()), TWaveFormat(44100, 1, 2), 1, 0);
    for (uint32_t i = 0; i < samples.size(); ++i) s.PutSample(i, static_cast<int32_t>(samples[i]));
    return s;
}

}  // namespace

TEST(TPhaseScopeTrace, PointsOfEachFormatMatchNumpy)
{
    const auto rows = ReadFixture("phase_scope_trace.txt");
    ASSERT_EQ(rows.size(), 6u);
    const auto& p = rows[0];
    const TPhaseScopeTrace::Rect rect{int32_t(p[2]), int32_t(p[3]), int32_t(p[4]), int32_t(p[5])};
    const TSeriesData left = Block(rows[1]), right = Block(rows[2]);
    for (uint16_t format = 0; format < 3; ++format) {
        SCOPED_TRACE(format);
        std::vector<Point> points;
        TPhaseScopeTrace::Compute(left, right, format, int32_t(p[1]), rect, 1000, points);
        const auto& expected = rows[3 + format];
        ASSERT_EQ(points.size() * 2, expected.size());
        for (size_t i = 0; i < points.size(); ++i)
            EXPECT_EQ(points[i], (Point{int32_t(expected[2 * i]), int32_t(expected[2 * i + 1])})) << i;
    }
}

// Identical channels: vertical in the sound stage, diagonal as Lissajous;
// silence sits at the centre; a block larger than the buffer draws nothing.
TEST(TPhaseScopeTrace, ShapesSilenceAndCapacity)
{
    std::vector<double> ramp;
    for (int i = -50; i <= 50; ++i) ramp.push_back(i * 100.0);
    const TSeriesData same = Block(ramp);
    const TPhaseScopeTrace::Rect rect{0, 0, 101, 101};
    std::vector<Point> points;
    TPhaseScopeTrace::Compute(same, same, TPhaseScopeTrace::SoundStage, 32767, rect, 1000, points);
    ASSERT_EQ(points.size(), ramp.size());
    for (const Point& q : points) EXPECT_EQ(q.X, 50);
    for (uint16_t format : {TPhaseScopeTrace::LeftVersusRight, TPhaseScopeTrace::RightVersusLeft}) {
        TPhaseScopeTrace::Compute(same, same, format, 32767, rect, 1000, points);
        for (const Point& q : points) EXPECT_EQ(q.X, 101 - q.Y) << format;
        EXPECT_EQ(points.front(), (Point{1, 100}));
        EXPECT_EQ(points.back(), (Point{100, 1}));
    }

    const TSeriesData silence = Block(std::vector<double>(16, 0.0));
    TPhaseScopeTrace::Compute(silence, silence, TPhaseScopeTrace::SoundStage, 32767, rect, 1000, points);
    for (const Point& q : points) EXPECT_EQ(q, (Point{50, 51}));

    TPhaseScopeTrace::Compute(same, same, TPhaseScopeTrace::SoundStage, 32767, rect, 100, points);
    EXPECT_TRUE(points.empty());

    EXPECT_EQ(TPhaseScopeTrace::Capacity(50, 16384), 32768);
    EXPECT_EQ(TPhaseScopeTrace::Capacity(1000, 16384), 20000);
    EXPECT_EQ(TPhaseScopeTrace::Capacity(819, 16384), 32768);
}
