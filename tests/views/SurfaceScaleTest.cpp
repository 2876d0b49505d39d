// The 3-D surface's pure geometry: column table, outline, ticks, colour
// ramp and bands, level read-back, cursor values on the skew and autoscale.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/DisplaySettingsStruct.h"
#include "tests/views/FakeLineSource.h"
#include "views/TColourRamp.h"
#include "views/TSurfaceScale.h"

namespace {

std::vector<std::string> Texts(const std::vector<TAxisLabel>& labels)
{
    std::vector<std::string> out;
    for (const auto& l : labels) out.emplace_back(l.Text, strnlen(l.Text, 10));
    return out;
}

TSurfaceScale LinearScale(float top)
{
    TSurfaceScale s;
    s.AmpScaleType = 0;
    s.FreqScaleType = 0;
    s.PlotTop = top;
    return s;
}

}  // namespace

TEST(SurfaceScale, ColumnTableLeavesRoomForTheLinesAndNeverGoesNegative)
{
    const FakeLineSource source(10.0, 2000);   // 0 .. 20 kHz
    TSurfaceScale s = LinearScale(1.0f);
    s.BuildColumns(600, 300, source);
    ASSERT_EQ(s.Columns.size(), 500u);   // 600 columns less 100 lines of 3 rows
    for (int j : {0, 1, 250, 499}) {
        EXPECT_FLOAT_EQ(s.Columns[j].Frequency, 40.0f * j);
        EXPECT_EQ(s.Columns[j].Bin, uint32_t(4 * j));
    }
    EXPECT_EQ(s.ColumnForFrequency(100.0f), 2);
    EXPECT_EQ(s.ColumnForFrequency(25000.0f), TSurfaceScale::NoColumn);

    // A pane narrower than a third of its height has no columns and no outline.
    s.BuildColumns(50, 300, source);
    EXPECT_TRUE(s.Columns.empty());
    EXPECT_TRUE(s.BuildOutline(FakeLineSource(10.0, 2000, {0.5f}), 300, true).empty());

    // On a logarithmic axis the last column reaches one bin further, never
    // past the engine's high index.
    s.FreqScaleType = 1;
    const FakeLineSource coarse(1000.0, 20);
    s.BuildColumns(600, 300, coarse);
    for (const TColumnEntry& c : s.Columns) EXPECT_LE(c.Bin, 20u);
    EXPECT_EQ(s.Columns.back().Bin, 20u);

    // A range outside the data's, or UseFullSpan, shows all of it.
    s.UseFullSpan = false;
    s.StartFreq = 30000.0f;
    s.StopFreq = 40000.0f;
    double lo, hi;
    s.Range(source, lo, hi);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 20000.0);
    s.StartFreq = 1000.0f;
    s.StopFreq = 30000.0f;
    s.Range(source, lo, hi);
    EXPECT_EQ(lo, 1000.0);
    EXPECT_EQ(hi, 20000.0);
}

TEST(SurfaceScale, FlatHalfScaleLineIsHorizontalOneSixthUpThePane)
{
    TSurfaceScale s = LinearScale(1.0f);
    const FakeLineSource half(10.0, 2000, {0.5f});
    s.BuildColumns(600, 300, half);
    const std::vector<TCurvePoint> outline = s.BuildOutline(half, 300, true);
    ASSERT_EQ(outline.size(), 1 + 499 + 2u);
    EXPECT_EQ(outline.front(), (TCurvePoint{0, 301}));
    for (size_t i = 1; i + 2 < outline.size(); ++i) {
        EXPECT_EQ(outline[i].y, 299 - 50) << i;   // a sixth of 300 above the bottom row
        EXPECT_EQ(outline[i].x, int(i) - 1);
    }
    EXPECT_EQ(outline[outline.size() - 2], (TCurvePoint{498, 301}));
    EXPECT_EQ(outline.back(), (TCurvePoint{0, 301}));

    // Above the top: the full third; below 0: the base.
    const struct {
        float Value;
        int Height;
    } cases[] = {{2.0f, 100}, {1.0f, 100}, {-0.3f, 0}, {0.999f, 99}};
    for (const auto& c : cases) EXPECT_EQ(s.HeightOf(c.Value, 100), c.Height) << c.Value;
    s.AmpScaleType = 1;
    s.PlotTop = 0.0f;
    s.PlotRange = 60.0f;
    EXPECT_EQ(s.HeightOf(-30.0f, 100), 50);
    EXPECT_EQ(s.HeightOf(-90.0f, 100), 0);
}

TEST(SurfaceScale, OutlineVerticesSitMidRunAndBandsStep)
{
    // Eight columns over four bins, two columns each; values rise by bin.
    TSurfaceScale s = LinearScale(8.0f);
    s.Columns = {{0, 0}, {0, 0}, {1, 0}, {1, 0}, {2, 0}, {2, 0}, {3, 0}, {3, 0}};
    const FakeLineSource rising(1.0, 3, {3.0f, 6.0f, 9.0f, 12.0f});   // heights 3 * v / 8 over a scale of 3
    // Colour mode 1 draws one vertex per run, halfway back, with the height
    // before it; the closing point repeats the last vertex's x.
    std::vector<TCurvePoint> outline = s.BuildOutline(rising, 9, false);
    EXPECT_EQ(outline, (std::vector<TCurvePoint>{{0, 10}, {0, 7}, {1, 7}, {3, 6}, {5, 5}, {5, 10}, {0, 10}}));

    // On a band axis each drawn run is a step.
    s.FreqScaleType = 2;
    outline = s.BuildOutline(rising, 9, false);
    EXPECT_EQ(outline, (std::vector<TCurvePoint>{{0, 10}, {0, 7}, {0, 7}, {2, 7}, {2, 6}, {4, 6}, {4, 5}, {6, 5},
                                                  {6, 5}, {6, 10}, {0, 10}}));
}

TEST(SurfaceScale, OutlineOfAWideSurfaceFitsItsCapacity)
{
    TSurfaceScale s = LinearScale(1.0f);
    const FakeLineSource noise(1.0, 100000, {0.1f, 0.9f, 0.4f, 0.7f});
    for (int bands : {0, 2}) {
        s.FreqScaleType = uint16_t(bands);
        s.BuildColumns(2600, 600, noise);
        const std::vector<TCurvePoint> outline = s.BuildOutline(noise, 600, true);
        EXPECT_EQ(s.Columns.size(), 2400u);
        EXPECT_GT(outline.size(), 2400u);
        EXPECT_LE(outline.size(), 2 * s.Columns.size() + 3);
    }
}

TEST(SurfaceScale, FrequencyTicks)
{
    TSurfaceScale s = LinearScale(1.0f);
    const FakeLineSource wide(10.0, 2200);   // 0 .. 22 kHz
    s.BuildColumns(600, 300, wide);
    s.BuildFrequencyTicks(600, wide);
    EXPECT_EQ(Texts(s.FreqTicks), (std::vector<std::string>{"0.0", "5.0k", "10.0k", "15.0k", "20.0k"}));
    EXPECT_EQ(s.FreqTicks[1].Position, s.ColumnForFrequency(5000.0f));

    // 20 .. 35 Hz on a logarithmic axis: two decade ticks only, so linear steps of 2 Hz.
    TSurfaceScale log = LinearScale(1.0f);
    log.FreqScaleType = 1;
    log.UseFullSpan = false;
    log.StartFreq = 20.0f;
    log.StopFreq = 35.0f;
    const FakeLineSource fine(0.1, 10000);
    log.BuildColumns(600, 0, fine);
    log.BuildFrequencyTicks(600, fine);
    EXPECT_EQ(Texts(log.FreqTicks),
              (std::vector<std::string>{"20.00", "22.00", "24.00", "26.00", "28.00", "30.00", "32.00", "34.00"}));
}

TEST(SurfaceScale, AmplitudeTicks)
{
    TSurfaceScale s;
    s.PlotTop = 0.0f;
    s.PlotRange = 60.0f;
    s.BuildAmplitudeTicks(300);
    EXPECT_EQ(Texts(s.AmpTicks),
              (std::vector<std::string>{"0.0", "-10.0", "-20.0", "-30.0", "-40.0", "-50.0", "-60.0"}));
    for (size_t i = 0; i < s.AmpTicks.size(); ++i) EXPECT_EQ(s.AmpTicks[i].Position, int(50 * i));

    const struct {
        float Top;
        size_t Count;
        const char* Second;
    } linear[] = {{1.0f, 11, "0.90"}, {50.0f, 6, "40.00"}, {500.0f, 6, "400.0"}, {0.05f, 6, "0.04"},
                  {5000.0f, 6, "4000"}, {0.00005f, 6, "4.0e-05"}};
    for (const auto& c : linear) {
        TSurfaceScale l = LinearScale(c.Top);
        l.BuildAmplitudeTicks(300);
        ASSERT_EQ(l.AmpTicks.size(), c.Count) << c.Top;
        EXPECT_EQ(Texts(l.AmpTicks)[1], c.Second) << c.Top;
    }
    s.PlotRange = 0.0f;
    s.BuildAmplitudeTicks(300);
    EXPECT_TRUE(s.AmpTicks.empty());
}

TEST(SurfaceScale, ColourRampShiftAndCollapse)
{
    TColourRamp::Table t = TColourRamp::Spectrum();
    const std::map<int, uint32_t> expected = {
        {0, TColourRamp::Rgb(0, 0, 0)},       {39, TColourRamp::Rgb(0, 0, 249)},  {40, TColourRamp::Rgb(0, 0, 255)},
        {80, TColourRamp::Rgb(0, 255, 255)},  {120, TColourRamp::Rgb(0, 255, 0)}, {160, TColourRamp::Rgb(255, 255, 0)},
        {199, TColourRamp::Rgb(255, 5, 0)}};
    for (const auto& [i, colour] : expected) EXPECT_EQ(t[i], colour) << i;

    TColourRamp::Table up = t, down = t;
    TColourRamp::Shift(up, 10);
    TColourRamp::Shift(down, -10);
    for (int i = 190; i < 200; ++i) EXPECT_EQ(up[i], t[199]);
    EXPECT_EQ(up[0], t[10]);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(down[i], t[0]);
    EXPECT_EQ(down[199], t[189]);

    // A display of 4 levels per component keeps one colour of each run.
    TColourRamp::Table coarse = t;
    const int kept = TColourRamp::Collapse(coarse, [](uint32_t c) { return c & 0xC0C0C0; });
    EXPECT_LT(kept, 40);
    for (int i = 1; i < kept; ++i) EXPECT_NE(coarse[i], coarse[i - 1]);
    TColourRamp::Table exact = t;
    EXPECT_EQ(TColourRamp::Collapse(exact, [](uint32_t c) { return c; }), 200);
}

TEST(SurfaceScale, LevelsOfColourBandsAndHeights)
{
    TSurfaceScale s;
    s.PlotTop = 0.0f;
    s.PlotRange = 60.0f;
    EXPECT_FLOAT_EQ(s.LevelOfIndex(0, 200), -60.0f);
    EXPECT_FLOAT_EQ(s.LevelOfIndex(100, 200), -30.0f);
    EXPECT_FLOAT_EQ(s.LevelOfIndex(199, 200), -0.3f);
    EXPECT_EQ(s.HeightOfLevel(-30.0f, 300), 50);
    EXPECT_EQ(s.HeightOfLevel(-30.0f, 2), 0);
    TSurfaceScale l = LinearScale(2.0f);
    EXPECT_FLOAT_EQ(l.LevelOfIndex(50, 200), 0.5f);
    l.AmpScaleType = 7;
    EXPECT_FLOAT_EQ(l.LevelOfIndex(50, 200), -999.0f);
}

TEST(SurfaceScale, ColourWalkPaintsThePenRunsByRow)
{
    // A 6 x 12 image, pen pixels in a vertical run at column 2, rows 4..8.
    const int width = 6, height = 12;
    std::vector<int> image(width * height, -1);
    const int pen = -2;
    for (int y = 4; y <= 8; ++y) image[y * width + 2] = pen;
    image[10 * width + 2] = pen;   // not joined to the run: left alone
    const std::vector<TCurvePoint> outline = {{0, 13}, {2, 6}, {5, 6}, {0, 13}};
    TSurfaceScale::PaintByHeight(
        outline, height, 8, 8, [&](int x, int y) { return image[y * width + x] == pen; },
        [&](int x, int y, int index) { image[y * width + x] = index; });
    // Index trunc((12 - y) * 8 / 8), at most 7.
    const std::map<int, int> expected = {{4, 7}, {5, 7}, {6, 6}, {7, 5}, {8, 4}, {10, pen}};
    for (const auto& [y, v] : expected) EXPECT_EQ(image[y * width + 2], v) << y;
    std::vector<int> low(width * height, -1);
    low[11 * width + 1] = pen;
    low[10 * width + 1] = pen;
    TSurfaceScale::PaintByHeight(
        {{0, 13}, {1, 11}, {0, 13}, {0, 13}}, height, 8, 8, [&](int x, int y) { return low[y * width + x] == pen; },
        [&](int x, int y, int index) { low[y * width + x] = index; });
    EXPECT_EQ(low[11 * width + 1], 1);
    EXPECT_EQ(low[10 * width + 1], 2);
}

TEST(SurfaceScale, LevelReadBackFromCraftedColumns)
{
    const uint32_t background = 0x000000, coloured = 0x00FF00;
    // Background everywhere but three rows below the pixel read.
    auto column = [&](int colouredRow) {
        return [=](int y) { return y == colouredRow ? coloured : background; };
    };
    EXPECT_EQ(TSurfaceScale::ProbeColour(50, 100, background, true, column(53)), coloured);
    EXPECT_EQ(TSurfaceScale::ProbeColour(50, 100, background, false, column(53)), background);
    EXPECT_EQ(TSurfaceScale::ProbeColour(50, 100, background, true, column(56)), background);
    // The nearest probe wins: one row above beats four below.
    auto two = [&](int y) { return y == 54 ? 0x0000FFu : y == 49 ? coloured : background; };
    EXPECT_EQ(TSurfaceScale::ProbeColour(50, 100, background, true, two), coloured);
    // Rows outside the image are not read.
    int outside = 0;
    TSurfaceScale::ProbeColour(1, 3, background, true, [&](int y) {
        outside += y < 0 || y >= 3;
        return background;
    });
    EXPECT_EQ(outside, 0);

    const TColourRamp::Table ramp = TColourRamp::Spectrum();
    auto same = [](uint32_t c) { return c; };
    EXPECT_EQ(TSurfaceScale::BandOfColour(ramp[120], ramp.data(), 200, same), 120);
    EXPECT_EQ(TSurfaceScale::BandOfColour(0x123456, ramp.data(), 200, same), 0);   // not in the table: the bottom
}

TEST(SurfaceScale, CursorValuesFollowTheSkew)
{
    // A pane from x 20, bottom 320, 300 rows: a point on line row r, column c, height h.
    TSurfaceScale s;
    const int left = 20, bottom = 320;
    for (int r : {0, 3, 30, 31, 150}) {
        for (int h : {0, 30, 31, 99}) {
            const int c = 100;
            const int x = left + c + r / 3;
            const int y = bottom - 1 - r - h;
            EXPECT_NEAR(s.FrontColumn(x, y, left, bottom, h), c, 1) << r << " " << h;
            EXPECT_EQ(TSurfaceScale::RecordAtRow(y, bottom, h, 300), r);
        }
    }
    EXPECT_EQ(TSurfaceScale::RecordAtRow(20, bottom, 0, 300), 299);
    EXPECT_EQ(TSurfaceScale::RecordAtRow(319, bottom, 50, 300), 0);
}

TEST(SurfaceScale, LevelReadoutBesideTheColourBar)
{
    TSurfaceScale s;
    s.PlotTop = 0.0f;
    s.PlotRange = 60.0f;
    const TPaneRect graph{20, 50, 620, 350};
    const struct {
        float Level;
        int Y;
    } cases[] = {{0.0f, 50}, {10.0f, 50}, {-30.0f, 200}, {-60.0f, 350}, {-99.0f, 350}, {-0.5f, 53}};
    for (const auto& c : cases) EXPECT_EQ(s.LevelMark(c.Level, graph), (TCurvePoint{639, c.Y})) << c.Level;
    s.PlotRange = 0.0f;
    EXPECT_EQ(s.LevelMark(-10.0f, graph), (TCurvePoint{620, 50}));

    // The top colour band holds every level above it, the bottom one every level below.
    using T = TSurfaceScale::BarText;
    const struct {
        int Band;
        T Text;
    } bands[] = {{199, T::Over}, {198, T::Value}, {1, T::Value}, {0, T::Under}, {-1, T::Under}};
    for (const auto& b : bands) EXPECT_EQ(TSurfaceScale::ReadoutText(b.Band, 200), b.Text) << b.Band;
}

TEST(SurfaceScale, Autoscale)
{
    TSurfaceScale s;
    s.PlotTop = 0.0f;
    s.PlotRange = 60.0f;
    float top = 1.0f, range = 2.0f;
    EXPECT_FALSE(s.Autoscale(-20.0f, -20.0f, top, range));   // flat: nothing changes
    EXPECT_EQ(top, 1.0f);
    ASSERT_TRUE(s.Autoscale(-20.0f, -20.001f, top, range));
    EXPECT_FLOAT_EQ(range, 10.0f);
    const struct {
        float Hi, Lo, Top, Range;
    } cases[] = {{-20.0f, -95.0f, -20.0f, 60.0f}, {3.0f, -40.0f, 10.0f, 60.0f}, {-3.5f, -9.2f, -3.0f, 7.0f},
                 {-12.0f, -26.0f, -10.0f, 20.0f}};
    for (const auto& c : cases) {
        ASSERT_TRUE(s.Autoscale(c.Hi, c.Lo, top, range)) << c.Hi;
        EXPECT_FLOAT_EQ(top, c.Top) << c.Hi;
        EXPECT_FLOAT_EQ(range, c.Range) << c.Hi;
    }
    s.PlotTop = -20.0f;
    EXPECT_FALSE(s.Autoscale(-20.0f, -95.0f, top, range));   // already there

    TSurfaceScale l = LinearScale(1.0f);
    float ltop = 1.0f, lrange = 60.0f;
    ASSERT_TRUE(l.Autoscale(37.0f, 1.0f, ltop, lrange));
    EXPECT_FLOAT_EQ(ltop, 40.0f);
    EXPECT_FLOAT_EQ(lrange, 60.0f);
    EXPECT_FALSE(l.Autoscale(0.37f, 0.0f, ltop, lrange));   // top stays 1.0
}

TEST(SurfaceScale, TopFieldStepsWithTheValue)
{
    const struct {
        float Value, Step;
        int Decimals;
    } cases[] = {{0.00005f, 0.00001f, 7}, {0.001f, 0.0001f, 7}, {0.01f, 0.001f, 6}, {0.1f, 0.01f, 5},
                 {1.0f, 0.1f, 4},         {10.0f, 1.0f, 3},     {100.0f, 10.0f, 2}, {1000.0f, 100.0f, 1},
                 {5000.0f, 1000.0f, 1}};
    for (const auto& c : cases) {
        float step;
        int decimals;
        TSurfaceScale::TopFieldStep(c.Value, step, decimals);
        EXPECT_FLOAT_EQ(step, c.Step) << c.Value;
        EXPECT_EQ(decimals, c.Decimals) << c.Value;
    }
}

// The top field spins by its own step on a linear scale and by 5 dB on any
// other; the range field only ever in dB, down to 1 dB.
TEST(SurfaceScale, AmplitudeFieldSpinsFollowTheScaleKind)
{
    const struct {
        uint16_t Kind;
        float Value;
        TPlotTopSpin Spin;
    } cases[] = {{DisplaySettingsStruct::LinearAmplitude, 0.05f, {0.01f, 5, 1000.0f, 0.00001f}},
                 {DisplaySettingsStruct::LinearAmplitude, 5000.0f, {1000.0f, 1, 1000.0f, 0.00001f}},
                 {DisplaySettingsStruct::DecibelAmplitude, 0.05f, {5.0f, 0, 300.0f, -300.0f}},
                 {DisplaySettingsStruct::DecibelAmplitude, -250.0f, {5.0f, 0, 300.0f, -300.0f}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Kind << " " << c.Value);
        const TPlotTopSpin spin = TAmplitudeScale::TopSpin(c.Kind, c.Value);
        EXPECT_FLOAT_EQ(spin.Step, c.Spin.Step);
        EXPECT_EQ(spin.Decimals, c.Spin.Decimals);
        EXPECT_FLOAT_EQ(spin.Maximum, c.Spin.Maximum);
        EXPECT_FLOAT_EQ(spin.Minimum, c.Spin.Minimum);
    }
    const TPlotTopSpin range = TAmplitudeScale::RangeSpin();
    EXPECT_FLOAT_EQ(range.Minimum, TAmplitudeScale::LeastRange);
    EXPECT_FLOAT_EQ(range.Maximum, 200.0f);
    EXPECT_FLOAT_EQ(range.Step, 5.0f);
}

TEST(SurfaceScale, CursorCopyText)
{
    EXPECT_EQ(TSurfaceScale::CursorText(1000.0f, 2.5f, -20.25f, true),
              "Freq=\t1000.0000\r\nTime=\t2.5000\r\nAmp=\t-20.2500\r\n");
    // Colour mode 1 shows no level, so the copy has none.
    EXPECT_EQ(TSurfaceScale::CursorText(1000.0f, 2.5f, -20.25f, false), "Freq=\t1000.0000\r\nTime=\t2.5000\r\n");
    // Values of any size come out whole, past the 80 bytes a fixed block would hold.
    const std::string wide = TSurfaceScale::CursorText(-3.0e38f, 3.0e38f, -3.0e38f, true);
    EXPECT_GT(wide.size(), 80u);
    EXPECT_EQ(wide.substr(wide.size() - 7), ".0000\r\n");
    EXPECT_EQ(wide.find("Amp=\t-"), wide.rfind('\n', wide.size() - 2) + 1);
}
