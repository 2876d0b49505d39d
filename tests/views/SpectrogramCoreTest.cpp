// The spectrogram's pure cores and what it asks of the shared ones: its line
// history, colours, amplitude scale, frequency columns and ticks, direction
// geometry and the control-bar rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/CalibrationStruct.h"
#include "engine/TSpectralData.h"
#include "views/TAmplitudeScale.h"
#include "views/TColourRamp.h"
#include "views/THistoryTable.h"
#include "views/TLineSource.h"
#include "views/TSpectralSource.h"
#include "views/TSpectrogramColours.h"
#include "views/TSpectrogramControls.h"
#include "views/TSpectrogramGeometry.h"
#include "views/TSpectrogramScale.h"

namespace {

std::vector<std::string> Texts(const std::vector<TAxisLabel>& labels, bool labelledOnly = false)
{
    std::vector<std::string> out;
    for (const auto& l : labels)
        if (!labelledOnly || l.Text[0])
            out.emplace_back(l.Text, strnlen(l.Text, 10));
    return out;
}

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// A 44.1 kHz engine with FFT 4096: bins of 10.77 Hz, displayable up to 0.99
// of Nyquist.
struct TEngine {
    TEngine(uint16_t freqScale = 1, uint16_t ampScale = 1)
    {
        AnalysisSettingsStruct a;
        a.Format = TWaveFormat(44100, 1, 2);
        a.FFTsize = 4096;
        DisplaySettingsStruct d;
        d.AmpScaleType = ampScale;
        d.FreqScaleType = freqScale;
        Data = std::make_unique<TSpectralData>(a, d, 0);
    }
    std::unique_ptr<TSpectralData> Data;
};

// Bins of 10 Hz whose values the test sets, for the colour walk.
class TTableSource : public TLineSource {
public:
    explicit TTableSource(std::vector<float> values) : Values(std::move(values)) {}
    int IndexOf(float f) const override { return int(f / 10.0f + 0.5f); }
    int LowIndex() const override { return 1; }
    int HighIndex() const override { return int(Values.size()) - 2; }
    float LowFrequency() const override { return 10.0f; }
    float HighFrequency() const override { return 10.0f * float(Values.size() - 2); }
    float FrequencyOf(int index) const override { return 10.0f * float(index); }
    float Value(int index) const override { return Values.at(size_t(index)); }
    float RangeMaxValue(int first, int last) const override
    {
        if (first < 0 || first == last - 1)
            return Values.at(size_t(last));
        float m = -999999.0f;
        for (int i = first; i <= last; ++i)
            m = std::max(m, Values.at(size_t(i)));
        return m;
    }
    float Phase(int) const override { return 0.0f; }
    float LargestPeak(int, int) const override { return 0.0f; }
    float Smallest(int, int) const override { return 0.0f; }
    std::vector<float> Values;
};

}  // namespace

TEST(SpectrogramHistory, ScrolledAndWrappedLinesAndTheirTimes)
{
    THistoryTable h(2);
    h.Resize(10);
    for (float t : {1.0f, 2.0f, 3.0f})
        h.Push(t, 0.0f, -10.0f * t, -90.0f);
    const float expected[] = {3, 3, 2, 2, 1, 1, 0, 0, 0, 0};
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(h[row].Time, expected[row]) << row;
    EXPECT_EQ(h.MinTime(1215752192.0f), 1.0f);
    EXPECT_EQ(h.MaxTime(), 3.0f);
    float largest, smallest;
    ASSERT_TRUE(h.LevelSpan(largest, smallest));
    EXPECT_EQ(largest, -10.0f);   // records no line reached do not count
    EXPECT_EQ(smallest, -90.0f);

    // Wrap mode writes a line where it was drawn, levels with it.
    h.SetLine(4, 7.0f, 0.0f);
    h.SetLevels(4, -5.0f, -95.0f);
    EXPECT_EQ(h[8].Time, 7.0f);
    EXPECT_EQ(h[9].Peak, -5.0f);
    h.SetLevels(5, 1.0f, 1.0f);    // row 10 lies outside
    h.SetLevels(-1, 1.0f, 1.0f);
    ASSERT_TRUE(h.LevelSpan(largest, smallest));
    EXPECT_EQ(largest, -5.0f);

    // The oldest line drawn, for the label of the oldest edge: three pushed
    // lines of two rows fill 6 rows, a wrap's line 1 rows 2 and 3; a table
    // made smaller keeps what still fits, a cleared one has none.
    THistoryTable partial(2);
    partial.Resize(10);
    EXPECT_EQ(partial.OldestLineRow(), 0);
    for (float t : {1.0f, 2.0f, 3.0f})
        partial.Push(t, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(partial.FilledRows(), 6);
    EXPECT_EQ(partial[partial.OldestLineRow()].Time, 1.0f);
    for (float t : {4.0f, 5.0f, 6.0f})
        partial.Push(t, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(partial[partial.OldestLineRow()].Time, 2.0f);
    partial.Resize(5);
    EXPECT_EQ(partial.FilledRows(), 5);
    partial.Clear();
    EXPECT_EQ(partial.FilledRows(), 0);
    partial.SetLine(1, 7.0f, 0.0f);
    EXPECT_EQ(partial.FilledRows(), 4);

    // A history without a line with a time: the start of the search.
    THistoryTable empty(2);
    empty.Resize(400);
    EXPECT_EQ(empty.LineCount(), 201);
    EXPECT_EQ(empty.MinTime(1215752192.0f), 1215752192.0f);
    EXPECT_EQ(empty.MaxTime(), 0.0f);
    EXPECT_FALSE(empty.LevelSpan(largest, smallest));
}

TEST(SpectrogramColours, RampGreyAndCustomEntries)
{
    const TColourRamp::Table ramp = TSpectrogramColours::Build(TSpectrogramColours::Ramp, 0, 0);
    struct Case {
        int Index;
        uint32_t Colour;
    };
    for (const Case c : {Case{0, Rgb(0, 0, 0)}, Case{39, Rgb(0, 0, 249)}, Case{40, Rgb(0, 0, 255)},
                         Case{80, Rgb(0, 255, 255)}, Case{160, Rgb(255, 255, 0)}, Case{199, Rgb(255, 5, 0)}}) {
        SCOPED_TRACE(c.Index);
        EXPECT_EQ(ramp[size_t(c.Index)], c.Colour);
    }
    const TColourRamp::Table grey = TSpectrogramColours::Build(TSpectrogramColours::Grey, 0, 0);
    EXPECT_EQ(grey[0], Rgb(255, 255, 255));
    EXPECT_EQ(grey[100], Rgb(127, 127, 127));
    EXPECT_EQ(grey[199], Rgb(0, 0, 0));

    // From yellow (the default low colour) towards red, and a rising blue.
    const TColourRamp::Table custom =
        TSpectrogramColours::Build(TSpectrogramColours::Custom, Rgb(255, 255, 0), Rgb(255, 0, 200));
    EXPECT_EQ(custom[0], Rgb(255, 255, 0));
    EXPECT_EQ(custom[100], Rgb(255, 127, 100));
    EXPECT_EQ(custom[199], Rgb(255, 1, 199));

    EXPECT_EQ(TSpectrogramColours::Background(TSpectrogramColours::Ramp, 0), Rgb(0, 0, 0));
    EXPECT_EQ(TSpectrogramColours::Background(TSpectrogramColours::Grey, 0), Rgb(255, 255, 255));
    EXPECT_EQ(TSpectrogramColours::Background(TSpectrogramColours::Custom, Rgb(1, 2, 3)), Rgb(1, 2, 3));
}

TEST(SpectrogramColours, IntensityShiftsAndIsLimitedToAQuarter)
{
    const TColourRamp::Table ramp = TColourRamp::Spectrum();
    TColourRamp::Table up = ramp;
    TColourRamp::Shift(up, 50);
    for (int i = 149; i < 200; ++i)
        EXPECT_EQ(up[size_t(i)], ramp[199]) << i;
    EXPECT_EQ(TColourRamp::StepIntensity(49, 1, 200), 50);
    EXPECT_EQ(TColourRamp::StepIntensity(50, 1, 200), 50);
    EXPECT_EQ(TColourRamp::StepIntensity(-50, -1, 200), -50);
    EXPECT_EQ(TColourRamp::StepIntensity(0, -1, 200), -1);
    EXPECT_EQ(TColourRamp::StepIntensity(3, 1, 10), 3);   // a quarter of a collapsed map
}

TEST(AmplitudeScale, LevelToColourBandAndBack)
{
    struct Case {
        uint16_t Scale;
        float Top, Range, Level;
        int Count, Expected;
    };
    const Case cases[] = {
        {1, 0, 60, -60, 200, 0},     {1, 0, 60, -90, 200, 0},   {1, 0, 60, -30, 200, 100},
        {1, 0, 60, 0, 200, 199},     {1, 0, 60, 12, 200, 199},  {1, 0, 60, -0.2f, 200, 199},
        {1, -10, 60, -40, 100, 50},  {1, 0, 60, NAN, 200, 0},   {1, 0, 0, -1, 200, 0},
        {1, 0, 0, 1, 200, 199},      {0, 5, 0, 2.5f, 200, 100}, {0, 0, 0, 0.5f, 200, 100},
        {0, 1, 0, 3e38f, 200, 199},  {0, 1, 0, -1, 200, 0},
    };
    TAmplitudeScale s;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Level);
        s.AmpScaleType = c.Scale;
        s.PlotTop = c.Top;
        s.PlotRange = c.Range;
        EXPECT_EQ(s.IndexOfLevel(c.Level, c.Count), c.Expected);
    }
    s.AmpScaleType = 1;
    s.PlotTop = 0;
    s.PlotRange = 60;
    EXPECT_FLOAT_EQ(s.LevelOfIndex(100, 200), -30.0f);

    // Beside the colour bar at the level's height, held to the scale.
    const TPaneRect graph{100, 50, 500, 350};
    EXPECT_EQ(s.LevelMark(-30, graph), (TCurvePoint{519, 200}));
    EXPECT_EQ(s.LevelMark(-100, graph), (TCurvePoint{519, 350}));
    EXPECT_EQ(s.LevelMark(NAN, graph), (TCurvePoint{519, 350}));
    s.PlotRange = 0;
    EXPECT_EQ(s.LevelMark(-10, graph), (TCurvePoint{500, 50}));
}

TEST(SpectrogramScale, DisplayedBandClampsIntoTheData)
{
    const auto band = [](bool full, float a, float b) { return TSpectrogramScale::DisplayedBand(full, a, b, 21.5f, 21829.0f); };
    EXPECT_EQ(band(true, 100, 200).Low, 21.5f);
    EXPECT_EQ(band(false, 100, 200).High, 200.0f);
    EXPECT_EQ(band(false, 5, 30000).Low, 21.5f);
    EXPECT_EQ(band(false, 5, 30000).High, 21829.0f);
    EXPECT_EQ(band(false, 500, 400).Low, 21.5f);   // inverted: everything
}

TEST(SpectrogramScale, ColumnTablesLinearAndLogarithmic)
{
    TEngine engine;
    const TSpectralSource source(*engine.Data);
    TSpectrogramScale s;
    s.BuildColumns(100, {1000.0f, 2000.0f}, 0, source);
    ASSERT_EQ(s.Columns.size(), 100u);
    EXPECT_FLOAT_EQ(s.Columns[50].Frequency, 1500.0f);
    EXPECT_EQ(int(s.Columns[50].Bin), engine.Data->GetIndex(1500.0f));
    EXPECT_EQ(s.Columns.back().Bin, uint32_t(engine.Data->GetIndex(1990.0f)));   // linear: not raised

    s.BuildColumns(300, {20.0f, 20000.0f}, 1, source);
    EXPECT_FLOAT_EQ(s.Columns[0].Frequency, 20.0f);
    EXPECT_NEAR(s.Columns[100].Frequency, 200.0, 0.01);
    EXPECT_EQ(s.Columns.back().Bin, uint32_t(engine.Data->GetIndex(s.Columns.back().Frequency) + 1));
    EXPECT_EQ(s.FindColumn(150.0f), 87);   // 100 columns a decade: 100 x log10(150 / 20) = 87.5
    EXPECT_EQ(s.FindColumn(20000.0f), TSpectrogramScale::NoColumn);
    EXPECT_EQ(s.FindColumn(10.0f), TSpectrogramScale::NoColumn);
    EXPECT_EQ(s.ColumnFrequency(300), 0.0f);
    EXPECT_EQ(s.ColumnFrequency(-1), 0.0f);

    // Up to the highest displayable frequency, the raised last column stays
    // on the engine's highest index.
    const TFrequencyBand full{engine.Data->GetLowFrequency(), engine.Data->GetHighFrequency()};
    for (int count : {7, 300, 2048, 2999}) {
        s.BuildColumns(count, full, 1, source);
        EXPECT_LE(int(s.Columns.back().Bin), engine.Data->GetHighIndex()) << count;
    }
}

TEST(SpectrogramScale, FrequencyTicksOnALogarithmicAxis)
{
    TEngine engine;
    TSpectrogramScale s;
    const TFrequencyBand band{20.0f, 20000.0f};
    s.BuildColumns(600, band, 1, TSpectralSource(*engine.Data));
    s.BuildFrequencyTicks(600, band, 1, 0);
    EXPECT_EQ(Texts(s.FrequencyTicks),
              (std::vector<std::string>{"20", "30", "40", "50", "60", "70", "80", "90", "100", "200", "300", "400",
                                        "500", "600", "700", "800", "900", "1.0k", "2.0k", "3.0k", "4.0k", "5.0k",
                                        "6.0k", "7.0k", "8.0k", "9.0k", "10.0k"}));
    EXPECT_EQ(s.FrequencyTicks[0].Position, 0);
    EXPECT_EQ(s.FrequencyTicks[8].Position, s.FindColumn(100.0f));

    // Thinning keeps labels at least the spacing apart, from the top down.
    s.BuildFrequencyTicks(600, band, 1, 30);
    EXPECT_EQ(Texts(s.FrequencyTicks).size(), 27u);
    const std::vector<std::string> kept = Texts(s.FrequencyTicks, true);
    EXPECT_EQ(kept.back(), "10.0k");
    int previous = 1 << 30;
    for (auto it = s.FrequencyTicks.rbegin(); it != s.FrequencyTicks.rend(); ++it)
        if (it->Text[0]) {
            EXPECT_LE(it->Position, previous - 30);
            previous = it->Position;
        }
}

TEST(SpectrogramScale, FewDecadeTicksRestartOnALinearStep)
{
    TEngine engine;
    TSpectrogramScale s;
    const TFrequencyBand band{1000.0f, 1500.0f};
    s.BuildColumns(400, band, 1, TSpectralSource(*engine.Data));
    s.BuildFrequencyTicks(400, band, 1, 0);
    EXPECT_EQ(Texts(s.FrequencyTicks), (std::vector<std::string>{"1.0k", "1.1k", "1.2k", "1.3k", "1.4k"}));

    // A narrow linear band: finer steps and more decimals.
    const TFrequencyBand narrow{1000.0f, 1050.0f};
    s.BuildColumns(400, narrow, 0, TSpectralSource(*engine.Data));
    s.BuildFrequencyTicks(400, narrow, 0, 0);
    EXPECT_EQ(Texts(s.FrequencyTicks), (std::vector<std::string>{"1.00k", "1.01k", "1.02k", "1.03k", "1.04k"}));
}

TEST(AmplitudeScale, TicksLinearAndDecibel)
{
    TAmplitudeScale s;
    s.AmpScaleType = 0;
    s.PlotTop = 5.0f;
    s.BuildAmplitudeTicks(500);
    EXPECT_EQ(Texts(s.AmpTicks), (std::vector<std::string>{"5.00", "4.00", "3.00", "2.00", "1.00", "0.00"}));
    EXPECT_EQ(s.AmpTicks[1].Position, 100);
    EXPECT_EQ(s.AmpTicks[5].Position, 500);
    s.PlotTop = 0.3f;
    s.BuildAmplitudeTicks(300);
    EXPECT_EQ(Texts(s.AmpTicks).back(), "0.00");

    s.AmpScaleType = 1;
    s.PlotTop = -10.0f;
    s.PlotRange = 60.0f;
    s.BuildAmplitudeTicks(300);
    EXPECT_EQ(Texts(s.AmpTicks),
              (std::vector<std::string>{"-10.0", "-20.0", "-30.0", "-40.0", "-50.0", "-60.0", "-70.0"}));
    s.PlotRange = 0.0f;
    s.BuildAmplitudeTicks(300);
    EXPECT_TRUE(s.AmpTicks.empty());
}

TEST(SpectrogramScale, TimeDivisions)
{
    struct Case {
        float Span, Seconds;
        const char* Suffix;
    };
    for (const Case c : {Case{0.015f, 0.001f, " (1 msec/div)"}, Case{1.0f, 0.1f, " (100 msec/div)"},
                         Case{30.0f, 10.0f, " (10 sec/div)"}, Case{600.0f, 100.0f, " (100 sec/div)"},
                         Case{5000.0f, 1.0f, " (1 sec/div)"}}) {
        SCOPED_TRACE(c.Span);
        const TTimeDivision d = TSpectrogramScale::TimeDivision(c.Span);
        EXPECT_EQ(d.Seconds, c.Seconds);
        EXPECT_STREQ(d.Suffix, c.Suffix);
    }
}

TEST(SpectrogramScale, ColumnColoursTakeTheLargestValueSinceThePreviousColumn)
{
    // Bins 0..9 at 10 Hz; columns on bins 1, 1, 2, 5, 6.
    TTableSource source({-90, -60, -50, -40, -10, -55, -30, -90, -90, -90});
    TSpectrogramScale s;
    s.PlotTop = 0.0f;
    s.PlotRange = 60.0f;
    s.Columns = {{1, 10}, {1, 12}, {2, 20}, {5, 50}, {6, 60}};
    std::vector<int> indices;
    s.ColumnIndices(source, 200, indices);
    // -60 alone, repeated; -50 alone (the bin next to the last); max(-50 .. -55) = -10; -30 alone.
    EXPECT_EQ(indices, (std::vector<int>{0, 0, 33, 166, 100}));
}

TEST(SpectrogramGeometry, PointsAndPixelsInEveryDirection)
{
    const TPaneRect graph{100, 50, 500, 350};
    struct Case {
        uint16_t Direction;
        int X, Y, Offset, Column;
    };
    // The corner pixels: newest edge at offset 0, lowest frequency at column 0.
    const Case cases[] = {
        {0, 499, 349, 0, 0},   {0, 100, 50, 399, 299}, {1, 100, 349, 0, 0}, {1, 499, 50, 399, 299},
        {2, 100, 349, 0, 0},   {2, 499, 50, 299, 399}, {3, 100, 50, 0, 0},  {3, 499, 349, 299, 399},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Direction);
        const TSpectrogramGeometry g(c.Direction);
        EXPECT_EQ(g.TimeOffset(graph, graph, c.X, c.Y), c.Offset);
        EXPECT_EQ(g.Column(graph, graph, c.X, c.Y), c.Column);
        // The window pixel of (offset, column) is the point itself.
        EXPECT_EQ(g.WindowPixel(c.Offset, c.Column, graph), (TCurvePoint{c.X, c.Y}));
        EXPECT_EQ(g.ImagePixel(c.Offset, c.Column, 400, 300), (TCurvePoint{c.X - 100, c.Y - 50}));
    }
    EXPECT_EQ(TSpectrogramGeometry(7).GetDirection(), 0);
}

TEST(SpectrogramGeometry, LengthsScrollAndStretch)
{
    const TPaneRect graph{0, 0, 400, 300}, upper{0, 0, 400, 140};
    const TSpectrogramGeometry across(0), down(3);
    EXPECT_EQ(across.TimeLength(graph, upper, 2), 400);
    EXPECT_EQ(across.FrequencyLength(graph, upper, 2), 140);
    EXPECT_EQ(across.FrequencyLength(graph, upper, 1), 300);
    EXPECT_EQ(down.TimeLength(graph, upper, 2), 140);
    EXPECT_EQ(down.TimeLength(graph, upper, 1), 300);
    EXPECT_EQ(down.FrequencyLength(graph, upper, 2), 400);

    EXPECT_EQ(TSpectrogramGeometry(0).ScrollOffset(2), (TCurvePoint{-2, 0}));
    EXPECT_EQ(TSpectrogramGeometry(1).ScrollOffset(2), (TCurvePoint{2, 0}));
    EXPECT_EQ(TSpectrogramGeometry(2).ScrollOffset(2), (TCurvePoint{0, -2}));
    EXPECT_EQ(TSpectrogramGeometry(3).ScrollOffset(2), (TCurvePoint{0, 2}));

    // 300 x 200 grown to 500 x 250: the newest edge stays, frequency stretches.
    EXPECT_EQ(TSpectrogramGeometry(0).StretchTarget(300, 200, 500, 250), (TPaneRect{200, 0, 500, 250}));
    EXPECT_EQ(TSpectrogramGeometry(1).StretchTarget(300, 200, 500, 250), (TPaneRect{0, 0, 300, 250}));
    EXPECT_EQ(TSpectrogramGeometry(2).StretchTarget(300, 200, 500, 250), (TPaneRect{0, 50, 500, 250}));
    EXPECT_EQ(TSpectrogramGeometry(3).StretchTarget(300, 200, 500, 250), (TPaneRect{0, 0, 500, 200}));
}

TEST(SpectrogramGeometry, WrapPositions)
{
    int position = 0;
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        seen.push_back(position);
        position = TSpectrogramGeometry::NextWrapPosition(position, 2, 10);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 2, 4, 6, 0, 2}));

}

TEST(AmplitudeScale, AutoscaleAndTheTopField)
{
    struct Case {
        uint16_t Scale;
        float Peak, Minimum;
        bool Changed;
        float Top, Range;
    };
    const Case cases[] = {
        {1, -13.0f, -82.0f, true, -10.0f, 60.0f},   // step 10, 80 wide less 20
        {1, 12.0f, -40.0f, true, 20.0f, 50.0f},     // 70 wide less 20
        {1, -20.0f, -26.0f, true, -20.0f, 7.0f},    // step 1
        {1, -20.0f, -20.0f, false, 0.0f, 0.0f},
        {1, 305.0f, 299.5f, true, 300.0f, 10.0f},   // top limited to 300; a range below 1 becomes 10
        {0, 0.37f, 0.0f, true, 1.0f, 60.0f},        // the decade exponent truncated toward zero
        {0, 3.7f, 0.0f, true, 4.0f, 60.0f},
        {0, 37.0f, 0.0f, true, 40.0f, 60.0f},
        {0, 0.0f, -5.0f, false, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Peak);
        TAmplitudeScale s;
        s.AmpScaleType = c.Scale;
        float top = 0.0f, range = 60.0f;
        ASSERT_EQ(s.Autoscale(c.Peak, c.Minimum, top, range), c.Changed);
        if (!c.Changed)
            continue;
        EXPECT_FLOAT_EQ(top, c.Top);
        EXPECT_FLOAT_EQ(range, c.Range);
    }

    struct Spin {
        float Value, Step;
        int Decimals;
    };
    for (const Spin c : {Spin{0.00005f, 0.00001f, 7}, Spin{0.001f, 0.0001f, 7}, Spin{0.05f, 0.01f, 5},
                         Spin{1.0f, 0.1f, 4}, Spin{5.0f, 1.0f, 3}, Spin{50.0f, 10.0f, 2}, Spin{500.0f, 100.0f, 1},
                         Spin{5000.0f, 1000.0f, 1}}) {
        SCOPED_TRACE(c.Value);
        float step;
        int decimals;
        TAmplitudeScale::TopFieldStep(c.Value, step, decimals);
        EXPECT_FLOAT_EQ(step, c.Step);
        EXPECT_EQ(decimals, c.Decimals);
    }
}

TEST(SpectrogramControls, LineIntervalAndOncePerSecond)
{
    TLineInterval interval;
    std::vector<float> drawn;
    for (float t : {0.0f, 0.4f, 1.0f, 1.5f, 2.0f})
        if (interval.Accept(true, 1.0f, t))
            drawn.push_back(t);
    EXPECT_EQ(drawn, (std::vector<float>{1.0f, 2.0f}));
    // Back in time: dropped, and the count starts again.
    EXPECT_FALSE(interval.Accept(true, 1.0f, 0.5f));
    EXPECT_EQ(interval.LastTime(), 0.0f);
    EXPECT_FALSE(interval.Accept(true, 1.0f, 0.6f));
    EXPECT_TRUE(interval.Accept(true, 1.0f, 1.2f));
    EXPECT_TRUE(interval.Accept(false, 1.0f, 1.3f));

    TOncePerSecond first, second;
    EXPECT_TRUE(first.Due(100));
    EXPECT_FALSE(first.Due(100));
    EXPECT_TRUE(second.Due(100));   // each view keeps its own second
    EXPECT_TRUE(first.Due(101));
}

TEST(SpectrogramControls, CursorTextAndAnnotationUnits)
{
    EXPECT_EQ(TSpectrogramControls::CursorText(2, 1000.0f, 3.5f, -20.25f),
              "Freq=\t1000.0000\r\nTime=\t3.5000\r\nAmp=\t-20.2500\r\n");
    EXPECT_EQ(TSpectrogramControls::CursorText(0, 3.5f, 1000.0f, -20.25f).rfind("Time=\t3.5000\r\nFreq=", 0), 0u);
    // Three large values pass 80 characters and are kept whole.
    const std::string wide = TSpectrogramControls::CursorText(1, 3e38f, -3e38f, 3e38f);
    EXPECT_GT(wide.size(), 80u);
    EXPECT_EQ(wide.substr(wide.size() - 2), "\r\n");

    CalibrationChannel c{};
    EXPECT_EQ(TSpectrogramControls::AnnotationUnit(c, "Volts", 1), "dB");
    EXPECT_EQ(TSpectrogramControls::AnnotationUnit(c, "Volts", 0), "%");
    c.IsEnabled = 1;
    EXPECT_EQ(TSpectrogramControls::AnnotationUnit(c, "Volts", 1), "Volts");
    c.RefUnits = UnitAcceleration;
    for (auto [conversion, unit] : {std::pair{0u, "G"}, std::pair{2u, "in/sec"}, std::pair{3u, "g's"},
                                    std::pair{8u, "mils"}, std::pair{9u, "g's"}, std::pair{1u << 31, "g's"}}) {
        SCOPED_TRACE(conversion);
        c.ConversionType = conversion;
        EXPECT_EQ(TSpectrogramControls::AnnotationUnit(c, "g's", 1), unit);
    }
}
