#include "engine/TSpline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/engine/Fixture.h"

namespace {

std::vector<float> Interleave(const std::vector<double>& x, const std::vector<double>& y)
{
    std::vector<float> points;
    for (size_t i = 0; i < x.size(); ++i) {
        points.push_back(static_cast<float>(x[i]));
        points.push_back(static_cast<float>(y[i]));
    }
    return points;
}

// Uneven intervals, on the points and beyond both ends (the end cubics extended).
TEST(TSpline, NaturalSplineMatchesReference)
{
    const auto rows = ReadFixture("spline_natural.txt");
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<float> points = Interleave(rows[0], rows[1]);
    TSpline spline(points.data(), static_cast<uint32_t>(rows[0].size()), TSpline::Cubic);
    for (size_t i = 0; i < rows[2].size(); ++i)
        EXPECT_NEAR(spline.Evaluate(static_cast<float>(rows[2][i])), rows[3][i], 2e-5) << "x " << rows[2][i];
}

TEST(TSpline, LinearModeJoinsThePointsAndExtendsTheEndLines)
{
    const std::vector<float> points = {1, 10, 2, 30, 4, 20};
    TSpline line(points.data(), 3, TSpline::Linear);
    const float cases[][2] = {{2, 30}, {1.5f, 20}, {3, 25}, {0, -10}, {6, 10}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(line.Evaluate(c[0]), c[1]) << c[0];
}

TEST(TSpline, StraightLineIsReproducedByTheCubic)
{
    const std::vector<float> points = {0, 1, 1, 3, 3, 7, 7, 15};
    TSpline spline(points.data(), 4, TSpline::Cubic);
    for (float x : {-2.0f, 0.5f, 2.0f, 5.5f, 9.0f})
        EXPECT_NEAR(spline.Evaluate(x), 2 * x + 1, 1e-5) << x;
}

TEST(TSpline, DegenerateCurvesGiveZeroOrTheirPoints)
{
    const std::vector<float> two = {0, 5, 1, 6};
    EXPECT_EQ(TSpline(two.data(), 2, TSpline::Cubic).Evaluate(0.5f), 0.0f);
    EXPECT_EQ(TSpline(two.data(), 2, TSpline::Linear).Evaluate(0.5f), 0.0f);
    EXPECT_EQ(TSpline(nullptr, 5, TSpline::Cubic).Evaluate(0.5f), 0.0f);
    const std::vector<float> three = {0, 5, 1, 6, 2, 9};
    EXPECT_EQ(TSpline(three.data(), 3, 7).Evaluate(0.5f), 0.0f);

    // Equal neighbouring x values: straight lines, finite everywhere, the
    // repeated point's value where x meets it.
    const std::vector<float> repeated = {0, 0, 1, 2, 1, 4, 2, 6};
    TSpline spline(repeated.data(), 4, TSpline::Cubic);
    EXPECT_FLOAT_EQ(spline.Evaluate(0.5f), 1.0f);
    EXPECT_FLOAT_EQ(spline.Evaluate(1.5f), 5.0f);
    EXPECT_TRUE(std::isfinite(spline.Evaluate(1.0f)));
}

}  // namespace
