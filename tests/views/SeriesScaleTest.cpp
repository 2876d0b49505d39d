// The time series view's scales: column table, time and amplitude ticks,
// pane and axis titles, cursor readouts and the plot-top spin settings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/CalibrationStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"
#include "views/TSeriesReader.h"
#include "views/TSeriesScale.h"
#include "views/TSeriesTitles.h"

namespace {

std::vector<std::string> Texts(const std::vector<TAxisLabel>& ticks)
{
    std::vector<std::string> out;
    for (const TAxisLabel& t : ticks) out.emplace_back(t.Text, strnlen(t.Text, sizeof t.Text));
    return out;
}

std::vector<int> Positions(const std::vector<TAxisLabel>& ticks)
{
    std::vector<int> out;
    for (const TAxisLabel& t : ticks) out.push_back(t.Position);
    return out;
}

CalibrationChannel Channel(uint32_t units, const char* name, const char* linear = "", const char* log = "")
{
    CalibrationChannel c{};
    c.IsEnabled = 1;
    c.RefUnits = units;
    std::strncpy(c.ChannelName, name, sizeof c.ChannelName - 1);
    std::strncpy(c.LabelLinear, linear, sizeof c.LabelLinear - 1);
    std::strncpy(c.LabelLog, log, sizeof c.LabelLog - 1);
    return c;
}

}  // namespace

TEST(SeriesScale, ColumnsMapPixelsToTimesAndFramesBothWays)
{
    TWaveData wave(96000, TWaveFormat(48000, 1, 2));
    TSeriesScale scale;
    scale.BuildColumns(400, 0.0f, 2.0f, TSeriesReader(&wave, 0, 0));
    ASSERT_EQ(scale.Columns.size(), 400u);
    EXPECT_EQ(scale.Columns[100].Time, 0.5f);
    EXPECT_EQ(scale.Columns[100].Frame, 24000u);
    EXPECT_EQ(scale.Columns[399].Frame, 95760u);

    EXPECT_EQ(scale.OffsetToTime(-5), 0.0f);       // left of the graph: its first column
    EXPECT_EQ(scale.OffsetToTime(100), 0.5f);
    EXPECT_EQ(scale.OffsetToTime(900), 1.995f);    // right of it: its last
    EXPECT_EQ(scale.TimeToColumn(0.0f), 0);
    EXPECT_EQ(scale.TimeToColumn(0.5024f), 100);
    EXPECT_EQ(scale.TimeToColumn(1.99f), 398);
    EXPECT_EQ(scale.TimeToColumn(1.995f), TSeriesScale::NoColumn);  // at or after the last column
    EXPECT_EQ(scale.TimeToColumn(-0.1f), TSeriesScale::NoColumn);

    TSeriesScale empty;
    EXPECT_EQ(empty.OffsetToTime(10), 0.0f);
    EXPECT_EQ(empty.TimeToColumn(0.1f), TSeriesScale::NoColumn);
}

TEST(SeriesScale, TimeTicksFollowTheVisibleSpan)
{
    TWaveData wave(10 * 48000, TWaveFormat(48000, 1, 2));
    TSeriesScale scale;
    // Ten seconds over 500 columns: a tick every second, every one labelled.
    scale.BuildColumns(500, 0.0f, 10.0f, TSeriesReader(&wave, 0, 0));
    scale.BuildTimeTicks(0.0f, 10.0f, false, false, 500);
    EXPECT_EQ(Positions(scale.TimeTicks), (std::vector<int>{0, 50, 100, 150, 200, 250, 300, 350, 400, 450}));
    EXPECT_EQ(Texts(scale.TimeTicks)[3], "3.000");

    // Over 200 columns the ticks are 20 pixels apart: every other keeps its label.
    scale.BuildColumns(200, 0.0f, 10.0f, TSeriesReader(&wave, 0, 0));
    scale.BuildTimeTicks(0.0f, 10.0f, false, false, 200);
    EXPECT_EQ(Texts(scale.TimeTicks), (std::vector<std::string>{"0.000", "", "2.000", "", "4.000", "", "6.000", "",
                                                                "8.000", ""}));

    // Half a second of an analysis block: every 0.1 s, in milliseconds.
    TSeriesData block(24000, TWaveFormat(48000, 1, 2), 1, 0);
    scale.BuildColumns(500, 0.0f, 0.5f, TSeriesReader(&block, 0, 0));
    scale.BuildTimeTicks(0.0f, 0.5f, true, false, 500);
    EXPECT_EQ(Texts(scale.TimeTicks),
              (std::vector<std::string>{"0.000", "100.000", "200.000", "300.000", "400.000"}));
    EXPECT_EQ(Positions(scale.TimeTicks), (std::vector<int>{0, 100, 200, 300, 400}));

    // From 2.25 s the first tick is the whole step after it.
    scale.BuildColumns(500, 2.25f, 3.25f, TSeriesReader(&wave, 0, 0));
    scale.BuildTimeTicks(2.25f, 3.25f, false, false, 500);
    EXPECT_EQ(Texts(scale.TimeTicks).front(), "2.300");
    EXPECT_EQ(Positions(scale.TimeTicks).front(), 25);

    scale.PlotTop = 50.0f;
    scale.BuildTimeTicks(0.0f, 1.0f, false, true, 500);
    EXPECT_EQ(Texts(scale.TimeTicks), (std::vector<std::string>{"-50.0", "0.0", "50.0"}));
    EXPECT_EQ(Positions(scale.TimeTicks), (std::vector<int>{0, 250, 500}));
}

TEST(SeriesScale, AmplitudeTicksOnLinearAndDecibelAxes)
{
    TSeriesScale scale;
    scale.PlotTop = 100.0f;
    scale.BuildAmplitudeTicks(200, false, 200);
    EXPECT_EQ(Texts(scale.AmplitudeTicks), (std::vector<std::string>{"100.00", "50.00", "0.00", "-50.00", "-100.00"}));
    EXPECT_EQ(Positions(scale.AmplitudeTicks), (std::vector<int>{0, 50, 100, 150, 200}));

    scale.AmpScaleType = TSeriesScale::DecibelAxis;
    scale.PlotRange = 100.0f;
    scale.BuildAmplitudeTicks(200, false, 200);
    EXPECT_EQ(scale.AmplitudeTicks.size(), 11u);
    EXPECT_EQ(Texts(scale.AmplitudeTicks)[1], "90.0");
    EXPECT_EQ(Positions(scale.AmplitudeTicks)[1], 20);
    EXPECT_EQ(Texts(scale.AmplitudeTicks).back(), "0.0");

    // Ticks closer than 10 pixels to the last labelled one lose their text.
    scale.BuildAmplitudeTicks(40, false, 40);
    EXPECT_EQ(Texts(scale.AmplitudeTicks), (std::vector<std::string>{"100.0", "", "", "70.0", "", "", "40.0", "", "",
                                                                     "10.0", ""}));

    struct Case {
        float top;
        const char* first;
        const char* second;
    };
    const Case linear[] = {{0.003f, "0.003", "0.002"}, {0.5f, "0.50", "0.40"}, {400.0f, "400.0", "300.0"},
                           {30000.0f, "30000", "20000"}, {0.00002f, "2.0e-05", "1.5e-05"}};
    scale.AmpScaleType = TSeriesScale::LinearAxis;
    for (const Case& c : linear) {
        SCOPED_TRACE(c.first);
        scale.PlotTop = c.top;
        scale.BuildAmplitudeTicks(1000, false, 1000);
        ASSERT_GE(scale.AmplitudeTicks.size(), 2u);
        EXPECT_EQ(Texts(scale.AmplitudeTicks)[0], c.first);
        EXPECT_EQ(Texts(scale.AmplitudeTicks)[1], c.second);
    }

    // A negative top of a dB axis starts at the multiple below it, inside the pane.
    scale.AmpScaleType = TSeriesScale::DecibelAxis;
    scale.PlotTop = -15.0f;
    scale.PlotRange = 100.0f;
    scale.BuildAmplitudeTicks(200, false, 200);
    EXPECT_EQ(Texts(scale.AmplitudeTicks).front(), "-20.0");
    EXPECT_EQ(Positions(scale.AmplitudeTicks).front(), 10);
    EXPECT_EQ(Texts(scale.AmplitudeTicks).back(), "-110.0");

    scale.AmpScaleType = TSeriesScale::LinearAxis;
    scale.PlotTop = 0.0f;
    scale.BuildAmplitudeTicks(200, false, 200);
    EXPECT_TRUE(scale.AmplitudeTicks.empty());
    scale.PlotTop = 2.0f;
    scale.BuildAmplitudeTicks(200, true, 300);
    EXPECT_EQ(Texts(scale.AmplitudeTicks), (std::vector<std::string>{"2.0", "0.0", "-2.0"}));
    EXPECT_EQ(Positions(scale.AmplitudeTicks), (std::vector<int>{0, 150, 300}));
}

TEST(SeriesScale, HeightsStayInsideThePaneWhateverTheValue)
{
    TSeriesScale scale;
    scale.PlotTop = 100.0f;
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(scale.Height(0.0, 200), 100);
    EXPECT_EQ(scale.Height(50.0, 200), 150);
    EXPECT_EQ(scale.Height(100.0, 200), 199);
    EXPECT_EQ(scale.Height(-100.0, 200), 1);
    EXPECT_EQ(scale.Height(1e30, 200), 199);
    EXPECT_EQ(scale.Height(-inf, 200), 1);
    EXPECT_EQ(scale.Height(nan, 200), 1);
    scale.AmpScaleType = TSeriesScale::DecibelAxis;
    scale.PlotTop = 0.0f;
    scale.PlotRange = 100.0f;
    EXPECT_EQ(scale.Height(-50.0, 200), 100);
    EXPECT_EQ(scale.Height(scale.Level(0.0f, 0), 200), 1);   // silence: no level
    EXPECT_EQ(scale.Height(scale.Level(-0.1f, 0), 200), 160);
}

TEST(SeriesScale, CursorReadoutsAndRowsOfBothAxes)
{
    TSeriesScale scale;
    scale.PlotTop = 100.0f;
    // Pane rows 50 .. 249 (200 high).
    TReadout r = scale.CursorY(99, 50, 250);
    EXPECT_FLOAT_EQ(r.Value, 50.0f);
    EXPECT_EQ(r.Precision, 3);
    r = scale.CursorY(149, 50, 250);
    EXPECT_FLOAT_EQ(r.Value, 0.0f);
    EXPECT_EQ(r.Precision, 100);
    EXPECT_EQ(scale.SampleRow(0.5f, 0, 50, 250), 99);     // 50 % of full scale
    EXPECT_EQ(scale.SampleRow(5.0f, 0, 50, 250), 50);     // held to the pane
    scale.DdeLink = true;
    EXPECT_FLOAT_EQ(scale.CursorY(149, 50, 250).Value, 50.0f);
    scale.DdeLink = false;

    scale.AmpScaleType = TSeriesScale::DecibelAxis;
    scale.PlotTop = 0.0f;
    scale.PlotRange = 100.0f;
    EXPECT_FLOAT_EQ(scale.CursorY(150, 50, 250).Value, -50.0f);
    EXPECT_EQ(scale.SampleRow(0.1f, 0, 50, 250), 90);     // -20 dB
    EXPECT_EQ(scale.SampleRow(2.0f, 0, 50, 250), 50);     // above the top
    EXPECT_EQ(scale.SampleRow(0.0f, 0, 50, 250), 250);    // below the bottom

    scale.PlotTop = 10.0f;
    r = scale.XYCursorX(70, 20, 420);   // 400 wide: -10 at the left edge, 10 at the right
    EXPECT_FLOAT_EQ(r.Value, -2.0f * 10.0f * (419 - 70 - 200) / 400);
    EXPECT_EQ(r.Precision, 4);
    EXPECT_EQ(scale.XYCursorX(219, 20, 420).Precision, 100);
}

TEST(SeriesScale, PlotTopSpinStepsWithTheTypedValue)
{
    struct Case {
        uint16_t axis;
        double value;
        float step;
        int decimals;
    };
    const Case cases[] = {{0, 0.05, 0.01f, 5},    {0, 0.00005, 0.00001f, 8}, {0, 1.0, 0.1f, 4}, {0, 100.0, 10.0f, 2},
                          {0, 5000.0, 1000.0f, 0}, {0, 1e9, 1e8f, 0},          {1, -37.0, 5.0f, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const TPlotTopSpin spin = TSeriesScale::PlotTopSpin(c.axis, c.value);
        EXPECT_FLOAT_EQ(spin.Step, c.step);
        EXPECT_EQ(spin.Decimals, c.decimals);
    }
    EXPECT_EQ(TSeriesScale::PlotTopSpin(1, 0).Maximum, 400.0f);
    EXPECT_EQ(TSeriesScale::PlotTopSpin(0, 0).Minimum, 0.0000001f);
}

TEST(SeriesTitles, PaneTitlesUseTheCalibratedChannelNames)
{
    const CalibrationChannel mic = Channel(UnitPascalsAir, "Mic");
    const CalibrationChannel probe = Channel(UnitVolts, "Probe");
    CalibrationChannel off = Channel(UnitVolts, "Unused");
    off.IsEnabled = 0;
    struct Case {
        uint16_t channel;
        int pane;
        const CalibrationChannel* left;
        const CalibrationChannel* right;
        const char* title;
    };
    const Case cases[] = {
        {LeftChannel, 1, nullptr, nullptr, "Left Channel"},
        {LeftChannel, 1, &probe, nullptr, "Probe"},
        {RightChannel, 1, &probe, &off, "Right Channel"},
        {BothChannels, 2, &probe, &mic, "Mic"},
        {LeftMinusRight, 1, nullptr, &mic, "Left minus Mic"},
        {LeftMinusRight, 1, nullptr, nullptr, "Left minus Right"},
        {RightMinusLeft, 1, &probe, &mic, "Mic minus Probe"},
        {LeftPlusRight, 1, &probe, nullptr, "Probe plus Right"},
        {LeftVsRight, 1, nullptr, nullptr, "Left versus Right"},
        {RightVsLeft, 1, &probe, nullptr, "Right versus Probe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TSeriesTitles::PaneTitle(c.channel, c.pane, c.left, c.right), c.title);

    // A name that fills its field is read to the field's end.
    CalibrationChannel full = Channel(UnitVolts, "");
    full.IsEnabled = 1;
    std::memset(full.ChannelName, 'x', sizeof full.ChannelName);
    EXPECT_EQ(TSeriesTitles::PaneTitle(LeftChannel, 1, &full, nullptr), std::string(40, 'x'));
}

TEST(SeriesTitles, UnitLabelsFollowTheReferenceUnit)
{
    struct Case {
        uint32_t units;
        const char* linear;
        const char* decibels;
    };
    const Case cases[] = {
        {UnitVolts, "Volts", "dBV"},          {UnitMillivolts, "Millivolts", "dbmV"},
        {UnitSplAir, "Pascals", "SPL (dB re 20uPA)"}, {UnitAcceleration, "Acceleration (G)", "Acceleration (G dB)"},
        {UnitCustom, "Furlongs", "dBF"},      {UnitDbv, "Volts", "dBV"},
        {UnitDbmv, "Millivolts", "dbmV"},     {UnitDbu, "Volts", "dBu"},
        {UnitPascalsAir, "Pascals", "SPL (dB re 20uPA)"}, {UnitPsi, "Pressure (psi)", "Pressure (psi dB)"},
        {UnitSplWater, "Pascals", "SPL (dB re 1uPA)"},    {UnitPascalsWater, "Pascals", "SPL (dB re 1uPA)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        const CalibrationChannel ch = Channel(c.units, "", "Furlongs", "dBF");
        EXPECT_EQ(TSeriesTitles::UnitLabel(&ch, false), c.linear);
        EXPECT_EQ(TSeriesTitles::UnitLabel(&ch, true), c.decibels);
    }
    EXPECT_EQ(TSeriesTitles::UnitLabel(nullptr, false), "Percent Full Scale");
    EXPECT_EQ(TSeriesTitles::UnitLabel(nullptr, true), "dB");

    EXPECT_EQ(TSeriesTitles::TimeAxisTitle(LeftChannel, WaveSource, 0.1f, false, nullptr), "Time (seconds)");
    EXPECT_EQ(TSeriesTitles::TimeAxisTitle(LeftChannel, BlockSource, 0.1f, false, nullptr), "Time (milliseconds)");
    EXPECT_EQ(TSeriesTitles::TimeAxisTitle(LeftChannel, StripChartSource, 2.0f, false, nullptr), "Time (seconds)");
    EXPECT_EQ(TSeriesTitles::TimeAxisTitle(LeftVsRight, WaveSource, 0.1f, false, nullptr), "Percent Full Scale");
    EXPECT_EQ(TSeriesTitles::TimeAxisTitle(LeftChannel, WaveSource, 0.1f, true, nullptr), "RPM");
}
