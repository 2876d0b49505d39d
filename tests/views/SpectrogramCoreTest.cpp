// The spectrogram's pure cores: line history, colour map, scales and tick
// tables, direction geometry and the control-bar rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/CalibrationStruct.h"
#include "engine/TSpectralData.h"
#include "views/TColourMap.h"
#include "views/TLineHistory.h"
#include "views/TSpectralSource.h"
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
class TTableSource : public TSpectrumSource {
public:
    explicit TTableSource(std::vector<float> values) : Values(std::move(values)) {}
    int IndexOf(float f) const override { return int(f / 10.0f + 0.5f); }
    int LastIndex() const override { return int(Values.size()) - 1; }
    float RangeMax(int first, int last, bool) const override
    {
        if (first < 0 || first == last - 1)
            return Values.at(size_t(last));
        float m = -999999.0f;
        for (int i = first; i <= last; ++i)
            m = std::max(m, Values.at(size_t(i)));
        return m;
    }
    float LowFrequency() const override { return 10.0f; }
    float HighFrequency() const override { return 10.0f * float(Values.size() - 2); }
    std::vector<float> Values;
};

}  // namespace

TEST(LineHistory, LiveLinesScrollAndKeepTimesPeaksAndIndexes)
{
    TLineHistory h(2);
    h.Resize(10);
    for (float t : {1.0f, 2.0f, 3.0f}) {
        h.ScrollOneLine();
        h.WriteLine(0, t, 0.0f, -10.0f * t, -90.0f);
    }
    const float expected[] = {3, 3, 2, 2, 1, 1, 0, 0, 0, 0};
    for (int row = 0; row < 10; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(h.Record(row).Time, expected[row]);
        EXPECT_EQ(h.Record(row).LineIndex, expected[row] ? row % 2 : 0);
    }
    EXPECT_EQ(h.Record(3).Peak, -20.0f);
    EXPECT_EQ(h.MinTime(), 1.0f);
    EXPECT_EQ(h.MaxTime(), 3.0f);
    float peak, minimum;
    h.LevelExtremes(peak, minimum);
    EXPECT_EQ(peak, -10.0f);   // records no line reached do not count
    EXPECT_EQ(minimum, -90.0f);
    TLineHistory empty(2);
    empty.Resize(6);
    empty.LevelExtremes(peak, minimum);
    EXPECT_EQ(peak, -999.9f);
    EXPECT_EQ(minimum, 999.9f);

    h.ShiftTimes(0.5f);
    EXPECT_EQ(h.Record(0).Time, 3.5f);
    EXPECT_EQ(h.Record(9).Time, 0.5f);
}

TEST(LineHistory, CountsAndEmptyHistories)
{
    TLineHistory h(2);
    EXPECT_EQ(h.LineCount(), 1);
    EXPECT_EQ(h.MinTime(), 0.0f);
    EXPECT_EQ(h.MaxTime(), 0.0f);
    EXPECT_EQ(h.RecordTime(5, false), 0.0f);
    EXPECT_EQ(h.LineTime(5, false), 0.0f);
    EXPECT_EQ(h.FindLine(1.0f), 0);
    h.WriteLine(0, 1.0f, 0.0f, 0.0f, 0.0f);   // nothing to write into
    h.SetLine(0, 1.0f, 0.0f);

    h.Resize(400);
    EXPECT_EQ(h.LineCount(), 201);
    EXPECT_EQ(h.MinTime(), TLineHistory::NoMinimumTime);
    EXPECT_EQ(h.MaxTime(), 0.0f);
}

TEST(LineHistory, LinesSetByTheMainWindowAndClampedQueries)
{
    TLineHistory h(2);
    h.Resize(9);
    for (int line = 0; line < 5; ++line)
        h.SetLine(line, 10.0f + line, 100.0f + line);
    h.SetLine(5, 99.0f, 0.0f);    // row 10 lies outside
    h.SetLine(-1, 99.0f, 0.0f);
    EXPECT_EQ(h.Record(8).Time, 14.0f);
    EXPECT_EQ(h.Record(8).LineIndex, 4);
    h.SetLevels(8, -3.0f, -70.0f);   // only row 8 lies inside
    EXPECT_EQ(h.Record(8).Peak, -3.0f);

    struct Case {
        int Line;
        bool Tag;
        float Expected;
    };
    for (const Case c : {Case{-3, false, 10.0f}, Case{0, false, 10.0f}, Case{2, false, 12.0f}, Case{4, true, 104.0f},
                         Case{7, false, 14.0f}, Case{1 << 30, false, 14.0f}}) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(h.LineTime(c.Line, c.Tag), c.Expected);
    }
    EXPECT_EQ(h.RecordTime(-1, false), 10.0f);
    EXPECT_EQ(h.RecordTime(100, true), 104.0f);
}

TEST(LineHistory, FindLineWhetherTimesRiseOrFall)
{
    for (bool rising : {true, false}) {
        SCOPED_TRACE(rising);
        TLineHistory h(2);
        h.Resize(8);
        for (int line = 0; line < 4; ++line)
            h.SetLine(line, rising ? 1.0f + line : 4.0f - line, 0.0f);
        EXPECT_EQ(h.FindLine(rising ? 2.5f : 2.5f), 1);
        EXPECT_EQ(h.FindLine(rising ? 1.0f : 4.0f), 0);
        EXPECT_EQ(h.FindLine(rising ? 3.7f : 1.3f), 2);
        EXPECT_EQ(h.FindLine(9.0f), 0);
    }
}

TEST(LineHistory, GrowingKeepsOldRecordsAndZeroesNewOnes)
{
    TLineHistory h(2);
    h.Resize(4);
    h.WriteLine(0, 1.0f, 2.0f, 3.0f, 4.0f);
    h.WriteLine(2, 5.0f, 6.0f, 7.0f, 8.0f);
    h.Resize(8);
    EXPECT_EQ(h.Record(2).Time, 5.0f);
    EXPECT_EQ(h.Record(3).Minimum, 8.0f);
    for (int row = 4; row < 8; ++row)
        EXPECT_EQ(h.Record(row).Time, 0.0f);
    h.Resize(2);
    EXPECT_EQ(h.Count(), 2);
    EXPECT_EQ(h.Record(1).Tag, 2.0f);
    h.Clear();
    EXPECT_EQ(h.Record(1).Tag, 0.0f);
    EXPECT_EQ(h.Count(), 2);
}

TEST(ColourMap, RampGreyAndCustomEntries)
{
    const TColourMap::TTable ramp = TColourMap::Build(TColourMap::Ramp, 0, 0);
    struct Case {
        int Index;
        uint32_t Colour;
    };
    for (const Case c : {Case{0, Rgb(0, 0, 0)}, Case{5, Rgb(0, 0, 32)}, Case{39, Rgb(0, 0, 249)},
                         Case{40, Rgb(0, 0, 255)}, Case{80, Rgb(0, 255, 255)}, Case{119, Rgb(0, 255, 5)},
                         Case{160, Rgb(255, 255, 0)}, Case{199, Rgb(255, 5, 0)}}) {
        SCOPED_TRACE(c.Index);
        EXPECT_EQ(ramp[size_t(c.Index)], c.Colour);
    }
    const TColourMap::TTable grey = TColourMap::Build(TColourMap::Grey, 0, 0);
    EXPECT_EQ(grey[0], Rgb(255, 255, 255));
    EXPECT_EQ(grey[100], Rgb(127, 127, 127));
    EXPECT_EQ(grey[199], Rgb(0, 0, 0));

    // From yellow (the default low colour) towards red, and a falling blue.
    const TColourMap::TTable custom = TColourMap::Build(TColourMap::Custom, Rgb(255, 255, 0), Rgb(255, 0, 200));
    EXPECT_EQ(custom[0], Rgb(255, 255, 0));
    EXPECT_EQ(custom[100], Rgb(255, 127, 100));
    EXPECT_EQ(custom[199], Rgb(255, 1, 199));

    EXPECT_EQ(TColourMap::Background(TColourMap::Ramp, 0), Rgb(0, 0, 0));
    EXPECT_EQ(TColourMap::Background(TColourMap::Grey, 0), Rgb(255, 255, 255));
    EXPECT_EQ(TColourMap::Background(TColourMap::Custom, Rgb(1, 2, 3)), Rgb(1, 2, 3));
}

TEST(ColourMap, IntensityShiftsAndIsLimitedToAQuarter)
{
    const TColourMap::TTable ramp = TColourMap::Build(TColourMap::Ramp, 0, 0);
    TColourMap::TTable up = ramp;
    TColourMap::ShiftIntensity(up, 50);
    EXPECT_EQ(up[0], ramp[50]);
    for (int i = 149; i < 200; ++i)
        EXPECT_EQ(up[size_t(i)], ramp[199]) << i;
    TColourMap::TTable down = ramp;
    TColourMap::ShiftIntensity(down, -10);
    EXPECT_EQ(down[10], ramp[0]);
    EXPECT_EQ(down[199], ramp[189]);

    EXPECT_EQ(TColourMap::StepIntensity(49, 1, 200), 50);
    EXPECT_EQ(TColourMap::StepIntensity(50, 1, 200), 50);
    EXPECT_EQ(TColourMap::StepIntensity(-50, -1, 200), -50);
    EXPECT_EQ(TColourMap::StepIntensity(0, -1, 200), -1);
}

TEST(ColourMap, CollapsingRunsKeepsTheFirstOfEqualNeighbours)
{
    TColourMap::TTable table = TColourMap::Build(TColourMap::Ramp, 0, 0);
    // A display of 16 levels per component.
    const int kept = TColourMap::CollapseRuns(table, [](uint32_t c) { return c & 0xF0F0F0; });
    EXPECT_LT(kept, 200);
    EXPECT_GT(kept, 50);
    for (int i = 1; i < kept; ++i)
        EXPECT_NE(table[size_t(i)], table[size_t(i - 1)]);
    EXPECT_EQ(table[0], 0u);
    EXPECT_EQ(table[size_t(kept - 1)], Rgb(240, 0, 0));
}

TEST(ColourMap, AmplitudeToIndex)
{
    struct Case {
        uint16_t Scale;
        float Top, Range, Value;
        int Count, Expected;
    };
    const Case cases[] = {
        {1, 0, 60, -60, 200, 0},     {1, 0, 60, -90, 200, 0},   {1, 0, 60, -30, 200, 100},
        {1, 0, 60, 0, 200, 199},     {1, 0, 60, 12, 200, 199},  {1, 0, 60, -0.2f, 200, 199},
        {1, -10, 60, -40, 100, 50},  {1, 0, 60, NAN, 200, 0},   {1, 0, 0, -1, 200, 0},
        {1, 0, 0, 1, 200, 199},      {0, 5, 0, 2.5f, 200, 100}, {0, 0, 0, 0.5f, 200, 100},
        {0, 1, 0, 3e38f, 200, 199},  {0, 1, 0, -1, 200, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(TColourMap::IndexOf(c.Value, c.Scale, c.Top, c.Range, c.Count), c.Expected);
    }
    EXPECT_FLOAT_EQ(TColourMap::ValueOf(100, 1, 0, 60, 200), -30.0f);
    EXPECT_FLOAT_EQ(TColourMap::ValueOf(50, 0, 4, 0, 200), 1.0f);
    EXPECT_EQ(TColourMap::ValueOf(5, 7, 4, 0, 200), -999.0f);
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

TEST(SpectrogramScale, AmplitudeTicksLinearAndDecibel)
{
    TSpectrogramScale s;
    s.BuildAmplitudeTicks(500, 0, 5.0f, 60.0f);
    EXPECT_EQ(Texts(s.AmplitudeTicks), (std::vector<std::string>{"5.00", "4.00", "3.00", "2.00", "1.00", "0.00"}));
    EXPECT_EQ(s.AmplitudeTicks[1].Position, 100);
    EXPECT_EQ(s.AmplitudeTicks[5].Position, 500);

    s.BuildAmplitudeTicks(300, 1, -10.0f, 60.0f);
    EXPECT_EQ(Texts(s.AmplitudeTicks),
              (std::vector<std::string>{"-10.0", "-20.0", "-30.0", "-40.0", "-50.0", "-60.0", "-70.0"}));
    s.BuildAmplitudeTicks(300, 0, 0.3f, 0.0f);
    EXPECT_EQ(Texts(s.AmplitudeTicks).front(), "0.30");
    EXPECT_EQ(Texts(s.AmplitudeTicks).back(), "0.00");
    s.BuildAmplitudeTicks(300, 0, 0.00005f, 0.0f);
    EXPECT_EQ(Texts(s.AmplitudeTicks).front().rfind("5.0e-0", 0), 0u);
    s.BuildAmplitudeTicks(300, 1, 0.0f, 0.0f);
    EXPECT_TRUE(s.AmplitudeTicks.empty());
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
    s.Columns = {{1, 10}, {1, 12}, {2, 20}, {5, 50}, {6, 60}};
    std::vector<int> indices;
    s.ColumnIndices(source, 1, 0.0f, 60.0f, 200, indices);
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
        EXPECT_EQ(g.WindowPixel(c.Offset, c.Column, graph), (TPixel{c.X, c.Y}));
        EXPECT_EQ(g.ImagePixel(c.Offset, c.Column, 400, 300), (TPixel{c.X - 100, c.Y - 50}));
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

    EXPECT_EQ(TSpectrogramGeometry(0).ScrollOffset(2), (TPixel{-2, 0}));
    EXPECT_EQ(TSpectrogramGeometry(1).ScrollOffset(2), (TPixel{2, 0}));
    EXPECT_EQ(TSpectrogramGeometry(2).ScrollOffset(2), (TPixel{0, -2}));
    EXPECT_EQ(TSpectrogramGeometry(3).ScrollOffset(2), (TPixel{0, 2}));

    // 300 x 200 grown to 500 x 250: the newest edge stays, frequency stretches.
    EXPECT_EQ(TSpectrogramGeometry(0).StretchTarget(300, 200, 500, 250), (TPaneRect{200, 0, 500, 250}));
    EXPECT_EQ(TSpectrogramGeometry(1).StretchTarget(300, 200, 500, 250), (TPaneRect{0, 0, 300, 250}));
    EXPECT_EQ(TSpectrogramGeometry(2).StretchTarget(300, 200, 500, 250), (TPaneRect{0, 50, 500, 250}));
    EXPECT_EQ(TSpectrogramGeometry(3).StretchTarget(300, 200, 500, 250), (TPaneRect{0, 0, 500, 200}));
}

TEST(SpectrogramGeometry, WrapPositionsAndTheAmplitudeBox)
{
    int position = 0;
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        seen.push_back(position);
        position = TSpectrogramGeometry::NextWrapPosition(position, 2, 10);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 2, 4, 6, 0, 2}));

    const TPaneRect graph{100, 50, 500, 350};
    using G = TSpectrogramGeometry;
    EXPECT_EQ(G::AmpBoxCentre(graph, true, 1, 0, 60, -10), (TPixel{519, 200}));
    EXPECT_EQ(G::AmpBoxCentre(graph, false, 1, 0, 60, -30), (TPixel{519, 200}));
    EXPECT_EQ(G::AmpBoxCentre(graph, false, 1, 0, 60, -100), (TPixel{519, 350}));
    EXPECT_EQ(G::AmpBoxCentre(graph, false, 1, 0, 60, 5), (TPixel{519, 50}));
    EXPECT_EQ(G::AmpBoxCentre(graph, false, 0, 4, 0, 1), (TPixel{519, 275}));
    EXPECT_EQ(G::AmpBoxCentre(graph, false, 1, 0, 0, -10), (TPixel{500, 50}));
    EXPECT_EQ(G::AmpBoxCentre(graph, false, 0, 0, 60, 1), (TPixel{500, 50}));
    EXPECT_EQ(G::AmpBoxCentre(graph, false, 1, 0, 60, NAN), (TPixel{519, 350}));
}

TEST(SpectrogramControls, Autoscale)
{
    struct Case {
        uint16_t Scale;
        float Peak, Minimum;
        bool Changed;
        float Top, Range;
    };
    const Case cases[] = {
        {1, -13.0f, -82.0f, true, -10.0f, 60.0f},   // step 10, 80 wide less 20
        {1, 12.0f, -40.0f, true, 20.0f, 50.0f},    // 70 wide less 20
        {1, -20.0f, -26.0f, true, -20.0f, 7.0f},    // step 1
        {1, -20.0f, -20.0f, false, 0.0f, 0.0f},
        {1, 305.0f, 299.5f, true, 300.0f, 10.0f},   // top limited to 300; a range below 1 becomes 10
        {0, 0.37f, 0.0f, true, 1.0f, 60.0f},
        {0, 3.7f, 0.0f, true, 4.0f, 60.0f},
        {0, 37.0f, 0.0f, true, 40.0f, 60.0f},
        {0, 0.0f, -5.0f, false, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Peak);
        TSpectrogramControls::TScale scale{};
        ASSERT_EQ(TSpectrogramControls::Autoscale(c.Scale, c.Peak, c.Minimum, 60.0f, scale), c.Changed);
        if (!c.Changed)
            continue;
        EXPECT_FLOAT_EQ(scale.Top, c.Top);
        EXPECT_FLOAT_EQ(scale.Range, c.Range);
    }
}

TEST(SpectrogramControls, TopSpinFollowsTheValue)
{
    struct Case {
        float Value, Step;
        int Precision;
    };
    for (const Case c : {Case{0.00005f, 0.00001f, 7}, Case{0.001f, 0.0001f, 7}, Case{0.05f, 0.01f, 5},
                         Case{1.0f, 0.1f, 4}, Case{5.0f, 1.0f, 3}, Case{50.0f, 10.0f, 2}, Case{500.0f, 100.0f, 1},
                         Case{5000.0f, 1000.0f, 1}}) {
        SCOPED_TRACE(c.Value);
        const TSpectrogramControls::TSpin spin = TSpectrogramControls::LinearTopSpin(c.Value);
        EXPECT_FLOAT_EQ(spin.Step, c.Step);
        EXPECT_EQ(spin.Precision, c.Precision);
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
