// The spectrum view's pure scales: pane rectangles, value-to-height rule,
// column maps, axis label tables and curve building.
#include <gtest/gtest.h>

#include <cstring>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "engine/TSpectralData.h"
#include "views/TPaneLayout.h"
#include "views/TSpectralSource.h"
#include "views/TSpectrumScale.h"

namespace {

// Bins of a fixed width, values from a table (held values from a second one).
class FakeSource : public TSpectrumSource {
public:
    FakeSource(double binWidth, int lastIndex, std::vector<float> values = {}, std::vector<float> held = {})
        : BinWidth(binWidth), Last(lastIndex), Values(std::move(values)), Held(std::move(held)) {}
    int IndexOf(float f) const override { return int(f / BinWidth + 0.5); }
    int LastIndex() const override { return Last; }
    float RangeMax(int first, int last, bool peak) const override
    {
        const auto& v = peak ? Held : Values;
        float m = -1e9f;
        for (int i = first; i <= last; ++i) m = std::max(m, v.at(size_t(i)));
        return m;
    }
    float LowFrequency() const override { return 0.0f; }
    float HighFrequency() const override { return float(BinWidth * Last); }

    double BinWidth;
    int Last;
    std::vector<float> Values, Held;
};

std::vector<std::string> Texts(const std::vector<TAxisLabel>& labels)
{
    std::vector<std::string> out;
    for (const auto& l : labels) out.emplace_back(l.Text, strnlen(l.Text, 10));
    return out;
}

std::vector<int> Positions(const std::vector<TAxisLabel>& labels)
{
    std::vector<int> out;
    for (const auto& l : labels) out.push_back(l.Position);
    return out;
}

}  // namespace

TEST(PaneLayout, PanesFollowMarginsModeAndScrollBar)
{
    TPaneLayout layout;
    layout.PaneMode = 2;
    // 400 high graph area: client 500 high minus top 50, bottom 30, scroll bar 20.
    layout.Calculate({0, 0, 600, 500}, 20);
    EXPECT_EQ(layout.GraphRect, (TPaneRect{20, 50, 580, 450}));
    EXPECT_EQ(layout.PaneRect1.Height(), 190);
    EXPECT_EQ(layout.PaneRect2.Height(), 190);
    EXPECT_EQ(layout.PaneRect2.top - layout.PaneRect1.bottom, 20);
    EXPECT_EQ(layout.PaneRect2.bottom, 450);

    layout.PaneMode = 1;
    for (auto [scroll, gapToBottom] : {std::pair{0, 30}, std::pair{16, 46}}) {
        layout.Calculate({0, 0, 600, 500}, scroll);
        EXPECT_EQ(layout.PaneRect1, layout.GraphRect);
        EXPECT_EQ(500 - layout.PaneRect1.bottom, gapToBottom);
    }

    // Too narrow (40 = both margins) or too low (80 = both insets): unchanged.
    const TPaneLayout before = layout;
    for (TPaneRect client : {TPaneRect{0, 0, 40, 500}, TPaneRect{0, 0, 600, 80}}) {
        layout.Calculate(client, 16);
        EXPECT_EQ(layout.GraphRect, before.GraphRect);
        EXPECT_EQ(layout.PaneRect1, before.PaneRect1);
    }
    layout.Calculate({0, 0, 41, 81}, 0);
    EXPECT_EQ(layout.GraphRect, (TPaneRect{20, 50, 21, 51}));
}

TEST(PaneLayout, PaneAtPicksThePaneHoldingThePoint)
{
    TPaneLayout layout;
    layout.PaneMode = 2;
    layout.Calculate({0, 0, 600, 500}, 20);
    EXPECT_EQ(layout.PaneAt(100, layout.PaneRect1.top), layout.PaneRect1);
    EXPECT_EQ(layout.PaneAt(100, layout.PaneRect2.bottom - 1), layout.PaneRect2);
    EXPECT_EQ(layout.PaneAt(100, layout.PaneRect1.bottom), TPaneRect{});    // in the gap
    EXPECT_EQ(layout.PaneAt(layout.PaneRect1.right, 100), TPaneRect{});    // right edge is outside
    layout.PaneMode = 1;
    EXPECT_EQ(layout.PaneAt(0, 0), layout.GraphRect);
    layout.PaneMode = 3;
    EXPECT_EQ(layout.PaneAt(100, 100), TPaneRect{});
}

TEST(SpectrumScale, ValueToHeightClampsToThePane)
{
    struct Case {
        uint16_t amp;
        float top, range, value;
        int height;
        bool coherence;
        int expected;
    };
    const Case cases[] = {
        {1, 0.0f, 120.0f, -60.0f, 240, false, 120},
        {1, 0.0f, 120.0f, -120.0f, 240, false, 1},    // at top - range: 1 pixel above the bottom
        {1, 0.0f, 120.0f, -500.0f, 240, false, 1},
        {1, 0.0f, 120.0f, 10.0f, 240, false, 240},    // above the top: the pane top
        {1, 0.0f, 120.0f, NAN, 240, false, 1},
        {1, 0.0f, 120.0f, 3e38f, 240, false, 240},
        {0, 2.0f, 0.0f, 1.0f, 100, false, 50},
        {0, 0.0f, 0.0f, 0.5f, 100, false, 50},        // linear top 0 counts as 1.0
        {0, -3.0f, 0.0f, 0.25f, 100, false, 25},
        {1, 0.0f, 120.0f, 1.0f, 120, true, 100},      // coherence 1.0: five sixths
        {1, 0.0f, 120.0f, 0.599f, 120, true, 59},     // truncated
    };
    for (const Case& c : cases) {
        TSpectrumScale s;
        s.AmpScaleType = c.amp;
        s.PlotTop = c.top;
        s.PlotRange = c.range;
        EXPECT_EQ(s.ValueToHeight(c.value, c.height, c.coherence), c.expected) << c.value;
    }
    TSpectrumScale meter;
    EXPECT_EQ(meter.MeterHeight(5.0f, 100), 98);
    EXPECT_EQ(meter.MeterHeight(-200.0f, 100), 1);
    EXPECT_EQ(meter.MeterHeight(-60.0f, 100), 50);
}

TEST(SpectrumScale, ColumnMapsOnLinearLogarithmicAndBandAxes)
{
    TSpectrumScale s;
    s.FreqScaleType = 0;
    s.StartFreq = 0.0f;
    s.StopFreq = 400.0f;
    s.BuildColumnMap(4, FakeSource(100.0, 100));
    ASSERT_EQ(s.ColumnBins.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(s.FrequencyAtColumn(i), 100.0f * i);
        EXPECT_EQ(s.BinAtColumn(i), uint32_t(i));
    }

    // 10 to 1000 Hz over 4 columns: 10, 31.6, 100, 316.2 Hz; bins of 10 Hz.
    for (uint16_t axis : {1, 2}) {
        s.FreqScaleType = axis;
        s.StartFreq = 10.0f;
        s.StopFreq = 1000.0f;
        s.BuildColumnMap(4, FakeSource(10.0, 100));
        EXPECT_NEAR(s.FrequencyAtColumn(1), 31.62f, 0.01f);
        EXPECT_EQ(s.BinAtColumn(0), 3u);    // the first column takes the second's index
        EXPECT_EQ(s.BinAtColumn(2), 10u);
        EXPECT_EQ(s.BinAtColumn(3), 33u);   // the last one reaches one further
        // ... but never past the last index.
        s.BuildColumnMap(4, FakeSource(10.0, 32));
        EXPECT_EQ(s.BinAtColumn(3), 32u);
    }

    // A start of 0 on a logarithmic axis starts the map at 1 Hz.
    s.FreqScaleType = 1;
    s.StartFreq = 0.0f;
    s.BuildColumnMap(10, FakeSource(1.0, 2000));
    EXPECT_FLOAT_EQ(s.FrequencyAtColumn(0), 1.0f);

    // Lookups outside the map.
    EXPECT_FLOAT_EQ(s.FrequencyAtColumn(-1), 0.0f);
    EXPECT_EQ(s.BinAtColumn(10), 1u);
    EXPECT_EQ(s.ColumnOf(5000.0f), TSpectrumScale::NoColumn);
}

TEST(SpectrumScale, BandAxisMapOfTheEngineStaysInsideItsBands)
{
    AnalysisSettingsStruct analysis;
    analysis.Format = TWaveFormat(44100, 1, 2);
    analysis.FFTsize = 4096;
    DisplaySettingsStruct display;
    display.FreqScaleType = 2;
    display.OctaveNumber = 3;
    TSpectralData data(analysis, display, 0);
    ASSERT_EQ(data.Error, 0u);
    TSpectrumScale s;
    s.FreqScaleType = 2;
    s.StartFreq = data.GetLowFrequency();
    s.StopFreq = data.GetHighFrequency();
    s.BuildColumnMap(700, TSpectralSource(data));
    ASSERT_EQ(s.ColumnBins.size(), 700u);
    for (size_t i = 1; i < s.ColumnBins.size(); ++i) {
        EXPECT_LE(s.ColumnBins[i].Bin, uint32_t(data.GetLastBand())) << i;
        EXPECT_GE(s.ColumnBins[i].Bin, s.ColumnBins[i - 1].Bin) << i;
    }
}

TEST(SpectrumScale, FrequencyLabels)
{
    struct Case {
        uint16_t axis;
        float start, stop;
        int width;
        std::vector<int> columns;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        // 0 to 22 kHz over 600 columns: step 5000.
        {0, 0.0f, 22000.0f, 600, {0, 136, 272, 409, 545}, {"0.0", "5.0k", "10.0k", "15.0k", "20.0k"}},
        // Decades give 100, 200, 300 only: labelled again with steps of 50.
        {1, 100.0f, 300.0f, 300, {0, 110, 189, 250}, {"100", "150", "200", "250"}},
        // A tick on a column boundary takes the column before it. Labels
        // closer than 30 pixels to the kept one on their right lose their text.
        {0, 0.0f, 1000.0f, 100, {0, 19, 39, 59, 79}, {"0.0", "", "400", "", "800"}},
        // Narrow spans print more decimals.
        {0, 1000.0f, 1008.0f, 400, {0, 99, 199, 299}, {"1.000k", "1.002k", "1.004k", "1.006k"}},
    };
    for (const Case& c : cases) {
        TSpectrumScale s;
        s.FreqScaleType = c.axis;
        s.StartFreq = c.start;
        s.StopFreq = c.stop;
        s.BuildColumnMap(c.width, FakeSource(1.0, 100000));
        s.BuildXLabels(c.width);
        EXPECT_EQ(Positions(s.XLabels), c.columns) << c.stop;
        EXPECT_EQ(Texts(s.XLabels), c.texts) << c.stop;
    }
}

// Limits read from a settings file can be anything: the label builders end
// at once for limits that are not finite or not ordered, and soon for huge
// ones, whose tables never hold more than a label a column.
TEST(SpectrumScale, LabelBuildersEndForAnyLimits)
{
    const float inf = INFINITY, nan = NAN;
    struct Case {
        uint16_t axis;
        float start, stop;
        bool labelled;
    };
    const Case cases[] = {
        {1, 5.0f, nan, false},        {1, nan, 22000.0f, false},  {0, 5.0f, inf, false},
        {1, -inf, 22000.0f, false},   {0, 22000.0f, 5.0f, false}, {1, 1000.0f, 1000.0f, false},
        {1, 5.0f, 1e8f, true},        {1, 5.0f, 3e38f, true},     {0, 0.0f, 3e38f, true},
        {2, 1e30f, 3e30f, true},      {0, -3e38f, 3e38f, true},   {1, 2e6f, 3e6f, true},
    };
    const auto begin = std::chrono::steady_clock::now();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.axis << ": " << c.start << " to " << c.stop);
        for (int width : {3, 40, 600}) {
            TSpectrumScale s;
            s.FreqScaleType = c.axis;
            s.StartFreq = c.start;
            s.StopFreq = c.stop;
            s.BuildColumnMap(width, FakeSource(1.0, 100000));
            s.BuildXLabels(width);
            EXPECT_LE(s.XLabels.size(), size_t(width - 1));
            if (width == 600) {
                EXPECT_EQ(!s.XLabels.empty(), c.labelled);
            }
            for (size_t i = 1; i < s.XLabels.size(); ++i) EXPECT_LE(s.XLabels[i - 1].Position, s.XLabels[i].Position);
        }
    }
    for (float range : {nan, inf, 1e30f, 3e38f}) {
        for (uint16_t amplitude : {0, 1}) {
            TSpectrumScale s;
            s.AmpScaleType = amplitude;
            s.PlotRange = range;
            s.PlotTop = amplitude ? 0.0f : range;
            s.BuildYLabels(400);
            EXPECT_LE(s.YLabels.size(), 4096u) << range;
        }
    }
    TSpectrumScale s;
    s.PlotTop = nan;
    s.BuildYLabels(400);
    EXPECT_TRUE(s.YLabels.empty());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 2.0);
}

TEST(SpectrumScale, AmplitudeAndCoherenceLabels)
{
    TSpectrumScale s;
    s.AmpScaleType = 1;
    s.PlotTop = 0.0f;
    s.PlotRange = 120.0f;
    s.BuildYLabels(240);
    ASSERT_EQ(s.YLabels.size(), 13u);
    EXPECT_EQ(s.YLabels.front().Position, 0);
    EXPECT_EQ(s.YLabels.back().Position, 240);
    EXPECT_STREQ(s.YLabels[1].Text, "-10.0");
    EXPECT_STREQ(s.YLabels[12].Text, "-120.0");

    s.AmpScaleType = 0;
    s.PlotTop = 1.0f;
    s.BuildYLabels(100);
    ASSERT_EQ(s.YLabels.size(), 11u);
    EXPECT_STREQ(s.YLabels[0].Text, "1.00");
    EXPECT_EQ(s.YLabels[3].Position, 30);
    EXPECT_STREQ(s.YLabels[10].Text, "0.00");

    // Rows closer than 10 pixels lose their text: 11 rows in 50 pixels.
    s.BuildYLabels(50);
    EXPECT_EQ(Texts(s.YLabels), (std::vector<std::string>{"1.00", "", "0.80", "", "0.60", "", "0.40", "", "0.20",
                                                          "", "0.00"}));

    s.PlotTop = 0.0f;   // nothing to label
    s.BuildYLabels(100);
    EXPECT_TRUE(s.YLabels.empty());

    s.BuildCoherenceLabels(120);
    ASSERT_EQ(s.CoherenceLabels.size(), 13u);
    EXPECT_STREQ(s.CoherenceLabels[0].Text, "1.20");
    EXPECT_EQ(s.CoherenceLabels[2].Position, 20);
    EXPECT_STREQ(s.CoherenceLabels[2].Text, "1.00");
}

TEST(SpectrumScale, CurvesForEachGraphType)
{
    // Bins 0..4 at -20, -60, 0, -100, -40 dB; a 50-pixel pane from x 10 to 16
    // whose top is 0 dB and range 100 dB: h = (v + 100) / 2.
    FakeSource source(1.0, 4, {-20, -60, 0, -100, -40}, {-10, -10, -10, -10, -10});
    TSpectrumScale s;
    s.PlotTop = 0.0f;
    s.PlotRange = 100.0f;
    s.ColumnBins = {{0, 0}, {0, 0}, {1, 0}, {1, 0}, {3, 0}, {4, 0}};
    const TPaneRect pane{10, 50, 16, 100};
    struct Case {
        uint16_t plotType, axis;
        std::vector<TCurvePoint> expected;
    };
    const Case cases[] = {
        {0, 1, {{9, 60}, {10, 60}, {12, 80}, {14, 50}}},
        {0, 2, {{9, 60}, {11, 60}, {11, 80}, {13, 80}, {13, 50}, {14, 50}, {16, 50}}},
        {1, 1, {{10, 100}, {10, 60}, {12, 60}, {12, 100}, {12, 80}, {14, 80}, {14, 100}, {14, 50}, {15, 50}, {15, 100}}},
        {2, 1, {{10, 60}, {10, 60}, {12, 60}, {12, 80}, {14, 80}, {14, 50}, {15, 50}}},
    };
    for (const Case& c : cases) {
        s.PlotType = c.plotType;
        s.FreqScaleType = c.axis;
        std::vector<TCurvePoint> points(24);
        const int n = s.BuildCurve(source, pane, points.data(), int(points.size()), false, false);
        points.resize(size_t(n));
        EXPECT_EQ(points, c.expected) << c.plotType << "/" << c.axis;
    }

    // The peak curve reads the held values; a pane wider than the map builds nothing.
    s.PlotType = 2;
    std::vector<TCurvePoint> points(24);
    ASSERT_EQ(s.BuildCurve(source, pane, points.data(), 24, true, false), 7);
    EXPECT_EQ(points[0], (TCurvePoint{10, 55}));
    EXPECT_EQ(s.BuildCurve(source, {10, 50, 17, 100}, points.data(), 24, false, false), 0);
}

TEST(SpectrumScale, MarkersOutsideTheSpectrumHaveNoColumn)
{
    TSpectrumScale s;
    s.FreqScaleType = 0;
    s.StartFreq = 0.0f;
    s.StopFreq = 1000.0f;
    FakeSource source(10.0, 100);   // 0 .. 1000 Hz
    s.BuildColumnMap(100, source);
    EXPECT_EQ(s.MarkerColumn(500.0f, source), 49);   // 490 <= 500 <= 500
    for (float f : {-5.0f, 1500.0f, NAN})
        EXPECT_EQ(s.MarkerColumn(f, source), TSpectrumScale::NoColumn) << f;
}

TEST(TSpectrumScale, FrequencyLabelsMeasuredInTheirFontNeverTouchEachOtherOrTheMeterLabel)
{
    // A wide substitute font (9 pixels a character) on logarithmic and linear
    // axes, with the power meter's label beyond the pane and without it.
    for (uint16_t axis : {uint16_t(0), uint16_t(1)}) {
        for (int width : {300, 700, 1100}) {
            for (int limit : {0, 1}) {
                SCOPED_TRACE(testing::Message() << axis << " " << width << " " << limit);
                TSpectrumScale s;
                s.FreqScaleType = axis;
                s.StartFreq = 20.0f;
                s.StopFreq = 20000.0f;
                s.TextWidth = [](const char* text) { return 9 * int(std::strlen(text)); };
                s.XLabelLimit = limit ? width + 9 : 0;
                s.BuildColumnMap(width, FakeSource(10.0, 4096));
                s.BuildXLabels(width);
                int previousRight = -1 << 20, shown = 0;
                for (const TAxisLabel& label : s.XLabels) {
                    if (!label.Text[0]) continue;
                    int left = 0, right = 0;
                    s.XLabelSpan(label, left, right);
                    EXPECT_GE(left - previousRight, TSpectrumScale::LabelGap) << label.Text;
                    if (limit) {
                        EXPECT_LE(right, s.XLabelLimit) << label.Text;
                    }
                    previousRight = right;
                    ++shown;
                }
                EXPECT_GE(shown, 3);
            }
        }
    }
}
