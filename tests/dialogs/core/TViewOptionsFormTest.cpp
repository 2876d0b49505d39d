#include <gtest/gtest.h>
#include <string>
#include "base/TEngineHost.h"
#include "dialogs/TViewOptionsForm.h"

namespace {

using F = TViewOptionsForm;

F::TContext Context(uint16_t scale) { return {scale, 20.0f, 20000.0f}; }

struct TCase {
    const char* Name;
    const char* Top;
    const char* Range;
    const char* Start;
    const char* Stop;
    const char* Interval;
    const char* Message;  // empty: accepted
};

// The checks every frequency view shares, in their order, over the spectrum
// dialog in logarithmic scale (range bound 400) between 20 and 20000 Hz.
const TCase SpectrumCases[] = {
    {"all in range", "0", "300", "20", "20000", "3600", ""},
    {"top above", "200.5", "120", "20", "20000", "1", "Top of Plot must be between -200.000 and 200.000"},
    {"range zero", "0", "0", "20", "20000", "1", "Plot Range must be between  0.000 and 400.000"},
    {"range past bound", "0", "400.5", "20", "20000", "1", "Plot Range must be between  0.000 and 400.000"},
    {"text reads as zero", "0", "loud", "20", "20000", "1", "Plot Range must be between  0.000 and 400.000"},
    {"start equals stop", "0", "120", "1000", "1000", "1", "Stop Frequency must be greater than Start Frequency"},
    {"start half a hertz low", "0", "120", "19.5", "20000", "1", ""},
    {"start 1.5 Hz low", "0", "120", "18.5", "20000", "1", "Start Frequency must be between   20.0 and 20000.0 Hz"},
    {"stop 1.5 Hz high", "0", "120", "20", "20001.5", "1", "Stop Frequency must be between   20.0 and 20000.0 Hz"},
    {"interval past an hour", "0", "120", "20", "20000", "3600.1", "Update Interval must be between 1 and 3600 seconds"},
    {"interval zero", "0", "120", "20", "20000", "0", ""},
};

}  // namespace

TEST(TViewOptionsForm, SpectrumChecksInOrderAndKeepsWhatPassedBeforeARefusal)
{
    for (const TCase& c : SpectrumCases) {
        SCOPED_TRACE(c.Name);
        SpectrumOpts r;
        r.GrabCursorFlag = 0;
        r.IntervalSecs = 7.0f;
        F::TFields f = F::FieldsOf(r, Context(1));
        f.PlotType = 2;
        f.RmsLevel = 1;
        f.GrabCursor = 1;
        f.PlotTop = c.Top;
        f.PlotRange = c.Range;
        f.Start = c.Start;
        f.Stop = c.Stop;
        f.Interval = c.Interval;
        f.AtIntervals = 1;
        const F::TOutcome out = F::Store(f, r, Context(1));
        EXPECT_EQ(out.Message, c.Message);
        EXPECT_EQ(out.Refused, *c.Message != 0);
        EXPECT_EQ(out.Style, out.Refused ? TEngineHost::MsgIconStop : 0u);
        // Plot type and the check boxes come before the first check.
        EXPECT_EQ(r.PlotType, 2);
        EXPECT_EQ(r.ShowRMSLevel, 1u);
        const bool spanPassed = out.Refused ? std::string(c.Message).find("Interval") != std::string::npos : true;
        EXPECT_EQ(r.GrabCursorFlag, spanPassed ? 1u : 0u);
        if (!out.Refused) {
            EXPECT_EQ(r.StartFreq, float(std::stod(c.Start)));
            EXPECT_EQ(r.IntervalSecs, float(std::stod(c.Interval)));
        }
        else
            EXPECT_EQ(r.IntervalSecs, 7.0f);
    }
}

// The bounds each dialog quotes, with the field that breaks them.
TEST(TViewOptionsForm, EachDialogQuotesItsOwnBounds)
{
    {
        SpectrumOpts r;
        F::TFields f = F::FieldsOf(r, Context(0));
        EXPECT_EQ(f.PlotRange, "N/A");
        f.PlotTop = "0";  // below the linear minimum 1e-9; the range is not read
        EXPECT_EQ(F::Store(f, r, Context(0)).Message, "Top of Plot must be between  0.000 and 10000000.000");
        f.PlotTop = "0.5";
        f.Start = "20";
        f.Stop = "20000";
        EXPECT_FALSE(F::Store(f, r, Context(0)).Refused);
        EXPECT_EQ(r.PlotRange, 120.0f);
    }
    {
        PhaseOpts r;
        F::TFields f = F::FieldsOf(r);
        f.PlotRange = "360.1";
        EXPECT_EQ(F::Store(f, r, Context(0)).Message, "Plot Range must be between  0.000 and 360.000");
    }
    {
        // A spectrogram checks its range in linear scale too, against 1e5 - 1e-7.
        SpectrogramOpts r;
        F::TFields f = F::FieldsOf(r);
        f.PlotTop = "1";
        f.PlotRange = "100000.5";
        EXPECT_EQ(F::Store(f, r, Context(0)).Message, "Plot Range must be between  0.000 and 100000.000");
    }
    {
        // A linear surface does not read its range.
        SurfaceOpts r;
        F::TFields f = F::FieldsOf(r, Context(0));
        EXPECT_EQ(f.PlotRange, "N/A");
        f.PlotTop = "2";
        f.ColorMode = 1;
        f.FullSpan = 0;
        f.Start = "20";
        EXPECT_FALSE(F::Store(f, r, Context(0)).Refused);
        EXPECT_EQ(r.ColorMode, 1u);
        EXPECT_EQ(r.PlotTop, 2.0f);
    }
}

TEST(TViewOptionsForm, FullSpanLeavesTheEdgesAndCustomSpanChecksThem)
{
    SpectrogramOpts r;
    r.UseFullSpan = 0;
    F::TFields f = F::FieldsOf(r);
    f.FullSpan = 1;
    f.Start = "5";
    f.Stop = "1";
    f.ColorMode = 2;
    f.Direction = 3;
    f.ScrollType = 1;
    ASSERT_FALSE(F::Store(f, r, Context(1)).Refused);
    EXPECT_EQ(r.UseFullSpan, 1u);
    EXPECT_EQ(r.StartFreq, 100.0f);
    EXPECT_EQ(r.StopFreq, 10000.0f);
    EXPECT_EQ(r.ColorMode, 2u);
    EXPECT_EQ(r.Direction, 3);
    EXPECT_EQ(r.ScrollType, 1);

    f.FullSpan = 0;
    EXPECT_EQ(F::Store(f, r, Context(1)).Message, "Stop Frequency must be greater than Start Frequency");
    EXPECT_EQ(r.UseFullSpan, 0u);
    EXPECT_EQ(r.StartFreq, 100.0f);
    f.Start = "50";
    f.Stop = "5000";
    ASSERT_FALSE(F::Store(f, r, Context(1)).Refused);
    EXPECT_EQ(r.StartFreq, 50.0f);
    EXPECT_EQ(r.StopFreq, 5000.0f);
}

TEST(TViewOptionsForm, AsOftenAsPossibleKeepsTheStoredInterval)
{
    PhaseOpts r;
    r.IntervalFlag = 1;
    r.IntervalSecs = 2.5f;
    F::TFields f = F::FieldsOf(r);
    EXPECT_EQ(f.Interval, " 2.500");
    f.AtIntervals = 0;
    f.Interval = "99999";
    f.Stop = "20000";
    ASSERT_FALSE(F::Store(f, r, Context(1)).Refused);
    EXPECT_EQ(r.IntervalFlag, 0u);
    EXPECT_EQ(r.IntervalSecs, 2.5f);
}

TEST(TViewOptionsForm, SeriesTimesInOrder)
{
    const struct {
        const char* Start;
        const char* Stop;
        const char* Zoom;
        const char* Message;
        float StoredStart, StoredStop;
    } cases[] = {
        {"0", "2", "0.1", "", 0.0f, 2.0f},
        {"-0.001", "2", "10", "Start Time must be greater than zero", 0.0f, 1.0f},
        {"1", "-2", "10", "Stop Time must be greater than zero", 1.0f, 1.0f},
        // Both times are stored before their order is checked.
        {"3", "2", "10", "Stop Time must be greater than Start Time", 3.0f, 2.0f},
        {"0", "2", "0.05", "Max Zoom Out Time must be at least 0.1 seconds", 0.0f, 2.0f},
    };
    const F::TLimits limits = F::LimitsOf(F::TKind::Series, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Start + std::string(" ") + c.Stop + " " + c.Zoom);
        SeriesOpts r;
        F::TFields f = F::FieldsOf(r, 2, false);
        f.Channel = 7;
        f.Start = c.Start;
        f.Stop = c.Stop;
        f.MaxZoomOut = c.Zoom;
        EXPECT_EQ(F::Store(f, r, limits, false).Message, c.Message);
        EXPECT_EQ(r.PlotChannel, 7);
        EXPECT_EQ(r.StartTime, c.StoredStart);
        EXPECT_EQ(r.StopTime, c.StoredStop);
    }
}

TEST(TViewOptionsForm, SeriesScaleLimitsAndOrderTracking)
{
    SeriesOpts r;
    r.StartTime = 0.25f;
    r.MaxZoomOutTime = 2.0f;
    F::TFields f = F::FieldsOf(r, 2, true);
    EXPECT_EQ(f.Start, "250.0000");
    EXPECT_EQ(f.MaxZoomOut, "2000.0000");
    f.Start = "1500";
    f.Stop = "3000";
    f.MaxZoomOut = "100";
    ASSERT_FALSE(F::Store(f, r, F::LimitsOf(F::TKind::Series, 0), true).Refused);
    EXPECT_EQ(r.StartTime, 1.5f);
    EXPECT_EQ(r.StopTime, 3.0f);
    EXPECT_FLOAT_EQ(r.MaxZoomOutTime, 0.1f);

    // Energy scale: the range is read, bounded by the plot-top maximum.
    f = F::FieldsOf(r, 1, false);
    EXPECT_EQ(f.Channel, 0);
    f.AmpScale = 1;
    f.PlotTop = "-400";
    f.PlotRange = "400.5";
    EXPECT_EQ(F::Store(f, r, F::SeriesLimitsAfterRadio(1), false).Message,
              "Plot Range must be between  0.000 and 400.000");
    f.PlotTop = "200000";
    EXPECT_EQ(F::Store(f, r, F::SeriesLimitsAfterRadio(0), false).Message,
              "Top of Plot must be between  0.000 and 100000.000");
}

TEST(TViewOptionsForm, DefaultsSetColoursAtOnceAndLeaveTheSpan)
{
    SpectrumOpts s;
    F::TFields f = F::FieldsOf(s, Context(0));
    f.Start = "123";
    F::Defaults(f, s, 0);
    EXPECT_EQ(f.Start, "123");
    EXPECT_EQ(f.PlotTop, "1.0");
    EXPECT_EQ(f.PlotRange, "N/A");
    EXPECT_EQ(f.Interval, "0.02");
    EXPECT_EQ(s.BackgroundColor, F::Rgb(255, 255, 220));
    EXPECT_EQ(s.LineColor, 0xFF0000u);

    SpectrogramOpts g;
    g.Intensity = 5;
    f = F::FieldsOf(g);
    F::Defaults(f, g);
    EXPECT_EQ(g.Intensity, 0);
    EXPECT_EQ(g.MinCustomColor, F::Rgb(255, 255, 0));
    EXPECT_EQ(f.PlotRange, "60.0");

    // The series texts follow the record's scale, not the radio Defaults checks.
    SeriesOpts t;
    t.AmpScaleType = 1;
    f = F::FieldsOf(t, 1, false);
    F::Defaults(f, t, 1);
    EXPECT_EQ(f.AmpScale, 0);
    EXPECT_EQ(f.PlotTop, "0.0");
    EXPECT_EQ(f.PlotRange, "100.0");
    EXPECT_EQ(f.Channel, 0);
}

// A command that sets a plot top or range alone is held to the bounds OK
// quotes for that dialog.
TEST(TViewOptionsForm, CommandLevelsKeepToTheDialogsBounds)
{
    struct TLevel {
        F::TKind Kind;
        uint16_t Scale;
        double Value;
        bool Top, Range;
    };
    const TLevel cases[] = {
        {F::TKind::Spectrum, 1, 200.0, true, true},      {F::TKind::Spectrum, 1, 200.5, false, true},
        {F::TKind::Spectrum, 1, -200.0, true, false},    {F::TKind::Spectrum, 1, 400.0, false, true},
        {F::TKind::Spectrum, 1, 400.5, false, false},    {F::TKind::Spectrum, 0, 0.0, false, false},
        {F::TKind::Phase, 0, 180.0, true, true},         {F::TKind::Phase, 0, 360.5, false, false},
        {F::TKind::Spectrogram, 1, -200.5, false, false}, {F::TKind::Surface, 1, 60.0, true, true},
        {F::TKind::Series, 1, 400.0, true, true},        {F::TKind::Series, 1, 401.0, false, false},
        {F::TKind::Series, 0, 1e7, true, true},          {F::TKind::Series, 0, 0.0, false, false},
    };
    for (const TLevel& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Kind) << " scale " << c.Scale << " value " << c.Value);
        EXPECT_EQ(F::AcceptsTop(c.Kind, c.Scale, c.Value), c.Top);
        EXPECT_EQ(F::AcceptsRange(c.Kind, c.Scale, c.Value), c.Range);
    }
}
