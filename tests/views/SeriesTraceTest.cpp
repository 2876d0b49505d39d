// The time series view's trace builders against numpy references: min/max
// and single-value traces, the strip chart, the X/Y plot, per-channel
// calibration and the polyline pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "engine/CalibrationStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveSummary.h"
#include "tests/engine/Fixture.h"
#include "views/TSeriesReader.h"
#include "views/TSeriesScale.h"
#include "views/TSeriesTrace.h"

namespace {

struct TCaseRows {
    uint32_t Rate, Width, Height, First, Last;
    std::vector<double> Samples, Frames, A, B;
};

std::vector<TCaseRows> ReadCases()
{
    const auto rows = ReadFixture("series_view_trace.txt");
    std::vector<TCaseRows> cases;
    for (size_t i = 0; i + 5 <= rows.size(); i += 5) {
        const auto& h = rows[i];
        cases.push_back({uint32_t(h[0]), uint32_t(h[1]), uint32_t(h[2]), uint32_t(h[3]), uint32_t(h[4]), rows[i + 1],
                         rows[i + 2], rows[i + 3], rows[i + 4]});
    }
    return cases;
}

void Fill(TWaveData& wave, const std::vector<double>& samples, uint16_t channel)
{
    for (size_t f = 0; f < samples.size(); ++f) wave.PutSample(int32_t(samples[f]), uint32_t(f), channel);
}

TSeriesScale ScaleFor(TWaveData& wave, uint32_t width, uint32_t first, uint32_t last)
{
    TSeriesScale scale;
    scale.PlotTop = 100.0f;
    scale.BuildColumns(int(width), wave.FrameToTime(first), wave.FrameToTime(last), TSeriesReader(&wave, 0, 0));
    return scale;
}

CalibrationChannel Calibrated()
{
    CalibrationChannel c{};
    c.IsEnabled = 1;
    return c;
}

}  // namespace

TEST(SeriesTrace, MinMaxTraceOfASineMatchesNumpyColumnByColumn)
{
    const auto cases = ReadCases();
    ASSERT_EQ(cases.size(), 2u);
    const TCaseRows& c = cases[0];
    TWaveData wave(uint32_t(c.Samples.size()), TWaveFormat(c.Rate, 1, 2));
    Fill(wave, c.Samples, 0);
    const TSeriesScale scale = ScaleFor(wave, c.Width, c.First, c.Last);
    for (uint32_t i = 0; i < c.Width; ++i) ASSERT_EQ(scale.Columns[i].Frame, uint32_t(c.Frames[i])) << i;

    const TPaneRect pane{72, 50, 72 + int(c.Width), 50 + int(c.Height)};
    std::vector<TCurvePoint> points;
    ASSERT_TRUE(TSeriesTrace::Build(TSeriesReader(&wave, 0, 0), nullptr, TSeriesTrace::FirstOnly, scale, pane,
                                    c.Width * 20, points));
    ASSERT_EQ(points.size(), 2 * size_t(c.Width));   // two points a column
    int atTop = 0, atBottom = 0;
    for (uint32_t i = 0; i < c.Width; ++i) {
        SCOPED_TRACE(i);
        const TCurvePoint& max = points[2 * i];
        const TCurvePoint& min = points[2 * i + 1];
        EXPECT_EQ(max.x, pane.left + int(i));
        EXPECT_EQ(min.x, pane.left + int(i));
        EXPECT_NEAR(pane.bottom - max.y, c.A[i], 1.0);
        EXPECT_NEAR(pane.bottom - min.y, c.B[i], 1.0);
        atTop += pane.bottom - max.y == int(c.Height) - 1;
        atBottom += pane.bottom - min.y == 1;
    }
    // A full-scale sine reaches both extremes, never past them.
    EXPECT_GT(atTop, 0);
    EXPECT_GT(atBottom, 0);

    // Too little room for the pane: nothing is built.
    EXPECT_FALSE(TSeriesTrace::Build(TSeriesReader(&wave, 0, 0), nullptr, TSeriesTrace::FirstOnly, scale, pane,
                                     c.Width - 1, points));
    const TPaneRect wide{72, 50, 72 + int(c.Width) + 1, 250};
    EXPECT_FALSE(TSeriesTrace::Build(TSeriesReader(&wave, 0, 0), nullptr, TSeriesTrace::FirstOnly, scale, wide,
                                     c.Width * 20, points));
}

TEST(SeriesTrace, SingleValueTraceDrawsEachNewFrameOnce)
{
    const auto cases = ReadCases();
    const TCaseRows& c = cases.at(1);
    TWaveData wave(uint32_t(c.Samples.size()), TWaveFormat(c.Rate, 1, 2));
    Fill(wave, c.Samples, 0);
    const TSeriesScale scale = ScaleFor(wave, c.Width, c.First, c.Last);
    const TPaneRect pane{0, 0, int(c.Width), int(c.Height)};
    std::vector<TCurvePoint> points;
    ASSERT_TRUE(TSeriesTrace::Build(TSeriesReader(&wave, 0, 0), nullptr, TSeriesTrace::FirstOnly, scale, pane,
                                    c.Width * 20, points));
    ASSERT_EQ(points.size(), c.A.size());
    for (size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(points[i].x, int(c.A[i]));
        EXPECT_NEAR(pane.bottom - points[i].y, c.B[i], 1.0);
    }
}

TEST(SeriesTrace, EachSeriesIsScaledWithItsOwnChannelsCalibration)
{
    // Left at a quarter of full scale, right at a half; only the right channel
    // is calibrated (1 unit at full scale).
    TWaveData wave(1000, TWaveFormat(48000, 2, 2));
    wave.SetCalibration(1.0f, 1.0f);
    for (uint32_t f = 0; f < 1000; ++f) {
        wave.PutSample(32767 / 4, f, 0);
        wave.PutSample(32767 / 2, f, 1);
    }
    const CalibrationChannel right = Calibrated();
    TSeriesScale scale = ScaleFor(wave, 100, 0, 999);
    scale.Calibration[1] = &right;
    scale.PlotTop = 1.0f;
    const TPaneRect pane{0, 0, 100, 1000};
    const TSeriesReader left(&wave, 0, 0), rightReader(&wave, 1, 0);
    auto heightOf = [&](const TSeriesReader& a, const TSeriesReader* b, TSeriesTrace::TCombine combine) {
        std::vector<TCurvePoint> points;
        EXPECT_TRUE(TSeriesTrace::Build(a, b, combine, scale, pane, 2000, points));
        return pane.bottom - points.at(5).y;
    };
    // The right channel alone: 0.5 units on the -1 .. 1 axis.
    EXPECT_NEAR(heightOf(rightReader, nullptr, TSeriesTrace::FirstOnly), 750, 1);
    // The left channel in percent: 25 % is far above the top of 1.
    EXPECT_EQ(heightOf(left, nullptr, TSeriesTrace::FirstOnly), 999);
    scale.PlotTop = 100.0f;
    // Right minus left: 0.5 units - 25 %; left minus right: 25 - 0.5.
    EXPECT_NEAR(heightOf(rightReader, &left, TSeriesTrace::Difference), 500 + (0.5 - 25.0) * 5, 1);
    EXPECT_NEAR(heightOf(left, &rightReader, TSeriesTrace::Difference), 500 + (25.0 - 0.5) * 5, 1);
    EXPECT_NEAR(heightOf(left, &rightReader, TSeriesTrace::Sum), 500 + (25.0 + 0.5) * 5, 1);

    // On the dB axis the right channel's level is in its own unit.
    scale.AmpScaleType = TSeriesScale::DecibelAxis;
    scale.PlotTop = 0.0f;
    scale.PlotRange = 100.0f;
    EXPECT_NEAR(heightOf(rightReader, nullptr, TSeriesTrace::FirstOnly), 1000 * (100 + 20 * std::log10(0.5)) / 100,
                1);
}

TEST(SeriesTrace, StripChartMovesOnlyAfterEightNewColumns)
{
    // A strip chart of one second at 65536 Hz over 256 columns (256 frames a
    // column), fed from a 4096-sample analysis block holding a ramp.
    TWaveData clockWave(65537, TWaveFormat(65536, 1, 2));
    TSeriesScale scale = ScaleFor(clockWave, 256, 0, 65536);
    ASSERT_EQ(scale.Columns[1].Frame, 256u);
    TSeriesData block(4096, TWaveFormat(65536, 1, 2), 1, 0);
    for (uint32_t i = 0; i < 4096; ++i) block.PutSample(i, int32_t(i * 8));
    const TSeriesReader reader(&block, 0, 0);
    const TPaneRect pane{10, 0, 266, 200};
    std::vector<TCurvePoint> points;
    TSeriesTrace::TStripState state;
    state.LastFrame = 10000;
    auto step = [&](uint32_t frame, bool keep) {
        return TSeriesTrace::Scroll(reader, nullptr, TSeriesTrace::FirstOnly, scale, pane, 5120, frame, 4096, state,
                                    keep, points);
    };

    EXPECT_FALSE(step(10000 + 8 * 256 - 1, false));
    EXPECT_EQ(state.LastFrame, 10000);
    EXPECT_TRUE(points.empty());

    ASSERT_TRUE(step(10000 + 8 * 256, false));
    EXPECT_EQ(state.LastFrame, 10000 + 8 * 256);
    ASSERT_EQ(points.size(), 512u);
    // The old part is a flat line at zero; the 8 new columns at the right
    // edge rise with the ramp's last 2048 samples.
    EXPECT_EQ(points[0].y, 100);
    EXPECT_EQ(points[495].x, 257);
    EXPECT_EQ(points[496].x, 258);
    EXPECT_EQ(points[511].x, 265);
    for (int i = 497; i < 512; i += 2) EXPECT_LT(points[size_t(i)].y, 100) << i;
    EXPECT_LT(points[511].y, points[497].y);
    const TCurvePoint newest = points[510];

    // The next step shifts what is there left by its columns; a first pane
    // of two keeps the frame for the second.
    ASSERT_TRUE(step(10000 + 18 * 256, true));
    EXPECT_EQ(state.LastFrame, 10000 + 8 * 256);
    EXPECT_EQ(points[510 - 20], (TCurvePoint{newest.x - 10, newest.y}));

    // A frame counter that went back restarts from a whole block.
    state.LastFrame = 50000;
    EXPECT_TRUE(step(100, false));
    EXPECT_EQ(state.LastFrame, 100);
}

TEST(SeriesTrace, XYPlotPutsOneChannelAgainstTheOther)
{
    TSeriesData left(64, TWaveFormat(48000, 1, 2), 1, 0), right(64, TWaveFormat(48000, 1, 2), 1, 0);
    for (uint32_t i = 0; i < 64; ++i) {
        const double a = 2 * std::numbers::pi * i / 64;
        left.PutSample(i, int32_t(std::lround(16383 * std::cos(a))));
        right.PutSample(i, int32_t(std::lround(16383 * std::sin(a))));
    }
    TSeriesScale scale;
    scale.PlotTop = 100.0f;
    const TPaneRect pane{0, 0, 400, 200};
    std::vector<TCurvePoint> points;
    ASSERT_TRUE(TSeriesTrace::BuildXY(TSeriesReader(&left, 0, 0), TSeriesReader(&right, 1, 0), 64, scale, pane, 64,
                                      points));
    ASSERT_EQ(points.size(), 64u);
    EXPECT_NEAR(points[0].x, 300, 1);    // cos 0 = 50 %: three quarters across
    EXPECT_NEAR(points[0].y, 100, 1);
    EXPECT_NEAR(points[16].x, 200, 1);   // sin = 50 %: a quarter down from the top
    EXPECT_NEAR(points[16].y, 50, 1);
    EXPECT_FALSE(TSeriesTrace::BuildXY(TSeriesReader(&left, 0, 0), TSeriesReader(&right, 1, 0), 64, scale, pane, 63,
                                       points));
    EXPECT_FALSE(TSeriesTrace::BuildXY(TSeriesReader(&left, 0, 0), TSeriesReader(), 64, scale, pane, 64, points));
}

TEST(SeriesTrace, PolylinePiecesAreJoined)
{
    using Pieces = std::vector<std::pair<int, int>>;
    EXPECT_EQ(TSeriesTrace::Pieces(20000, TSeriesTrace::ScreenPiece), (Pieces{{0, 8192}, {8191, 8192}, {16382, 3618}}));
    EXPECT_EQ(TSeriesTrace::Pieces(8192, TSeriesTrace::ScreenPiece), (Pieces{{0, 8192}}));
    EXPECT_EQ(TSeriesTrace::Pieces(600, TSeriesTrace::PrinterPiece), (Pieces{{0, 256}, {255, 256}, {510, 90}}));
    EXPECT_EQ(TSeriesTrace::Pieces(1, TSeriesTrace::ScreenPiece), (Pieces{{0, 1}}));
    EXPECT_TRUE(TSeriesTrace::Pieces(0, TSeriesTrace::ScreenPiece).empty());
}

// The wave's min/max summary changes no point: traces of a stereo wave of
// odd length built with it and with every frame read are equal, for one
// series and two joined, at spans a column of a few frames, of just under,
// at and over one finest block and one block of the next level, from
// offsets on and off the block boundaries, and over the whole wave.
TEST(SeriesTrace, MinMaxTracesWithTheSummaryEqualTracesReadFrameByFrame)
{
    const uint32_t block = TWaveSummary::BlockFramesFor(2);
    const uint32_t big = block * TWaveSummary::Fanout;
    const uint32_t frames = 4 * big + 3 * block + 101;
    const TWaveFormat format(8000, 2, 2);
    TWaveData summarised(frames, format), plain(frames, format);
    plain.SetSummaryEnabled(false);
    std::mt19937 rng(11);
    std::normal_distribution<double> noise(0.0, 6000.0);
    for (uint32_t f = 0; f < frames; ++f)
        for (uint16_t c = 0; c < 2; ++c) {
            // Rare spikes, so that the extremes sit in single frames.
            const double v = (f % 9973 == 17 * c) ? 32767.0 : noise(rng);
            const int32_t s = int32_t(std::clamp(v, -32767.0, 32767.0));
            summarised.PutSample(s, f, c);
            plain.PutSample(s, f, c);
        }
    struct TCase {
        int Width;
        uint32_t First;
        int64_t Span;  // frames a column
    };
    const TCase cases[] = {
        {1050, 0, 3},        {400, 7, block - 1}, {400, 0, block},    {400, 511, block + 1},
        {97, block, 2 * block + 3}, {5, 1, big - 1}, {5, big, big},   {4, 3, big + 1},
        {3, 100, big + block / 2},  {1, 0, frames - 1},  {1050, 0, (frames - 1) / 1050}, {777, 13, 555},
    };
    for (const TCase& c : cases) {
        const uint32_t last = uint32_t(std::min<int64_t>(c.First + c.Span * c.Width, frames - 1));
        for (auto combine : {TSeriesTrace::FirstOnly, TSeriesTrace::Difference, TSeriesTrace::Sum}) {
            SCOPED_TRACE(testing::Message() << c.Width << " columns from " << c.First << " to " << last
                                            << ", combine " << combine);
            const TSeriesScale scale = ScaleFor(summarised, uint32_t(c.Width), c.First, last);
            const TPaneRect pane{10, 20, 10 + c.Width, 20 + 600};
            std::vector<TCurvePoint> with, without;
            const TSeriesReader a(&summarised, 0, 0), b(&summarised, 1, 0);
            const TSeriesReader pa(&plain, 0, 0), pb(&plain, 1, 0);
            const bool joined = combine != TSeriesTrace::FirstOnly;
            ASSERT_TRUE(TSeriesTrace::Build(a, joined ? &b : nullptr, combine, scale, pane, size_t(c.Width) * 20, with));
            ASSERT_TRUE(
                TSeriesTrace::Build(pa, joined ? &pb : nullptr, combine, scale, pane, size_t(c.Width) * 20, without));
            ASSERT_EQ(with.size(), without.size());
            for (size_t i = 0; i < with.size(); ++i) {
                ASSERT_EQ(with[i].x, without[i].x) << i;
                ASSERT_EQ(with[i].y, without[i].y) << i;
            }
        }
    }
    // The wide cases went through the summary.
    EXPECT_TRUE(summarised.GetSummary().IsCurrent());
    EXPECT_FALSE(summarised.GetSummary().IsEmpty());
}
