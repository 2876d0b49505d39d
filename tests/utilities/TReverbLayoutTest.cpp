// The reverberation plots' geometry, read-outs and clipboard text.
#include <gtest/gtest.h>

#include "utilities/TReverbData.h"
#include "utilities/TReverbLayout.h"

namespace {

using L = TReverbLayout;

TEST(TReverbLayout, AxesDivisionsAndLabels)
{
    struct Case {
        float Shown;
        int Divisions;
        const char* Second;
    };
    const Case cases[] = {{0.5f, 10, "  0.05"}, {2.0f, 4, "  0.50"}, {2.5f, 4, "   0.6"}, {10.0f, 4, "   2.5"}};
    for (const Case& c : cases) {
        EXPECT_EQ(L::TimeDivisions(c.Shown), c.Divisions) << c.Shown;
        EXPECT_EQ(L::TimeLabel(c.Shown, 1), c.Second) << c.Shown;
    }
    EXPECT_EQ(L::LevelDivisions(80.0f), 8);
    // Under 10 dB one division, never none.
    EXPECT_EQ(L::LevelDivisions(5.0f), 1);
    EXPECT_EQ(L::FrequencyLabel(999.9f), "999");
    EXPECT_EQ(L::FrequencyLabel(1258.9f), "   1.3k");
}

TEST(TReverbLayout, BarsOfThirtyOneEntries)
{
    const L::TGraph g{60, 58, 660, 358};
    EXPECT_EQ(L::BarWidth(g, 31), 17);
    EXPECT_EQ(L::BarLeft(g, 31, 0), 62);
    EXPECT_EQ(L::BarLeft(g, 31, 1), 81);
    // Not found draws one pixel; beyond the axis h - 1; in between by the axis.
    EXPECT_EQ(L::BarHeight(g, -1.0f, 10.0f), 1);
    EXPECT_EQ(L::BarHeight(g, 12.0f, 10.0f), 299);
    EXPECT_EQ(L::BarHeight(g, 2.5f, 10.0f), 75);
}

TEST(TReverbLayout, DecayAndSurfaceGeometry)
{
    const L::TGraph g{60, 58, 660, 358};
    EXPECT_EQ(L::DecayRow(0, 600, 10.0f, 0.01f), 0);
    EXPECT_EQ(L::DecayRow(300, 600, 10.0f, 0.01f), 500);
    EXPECT_EQ(L::LevelPixels(20.0f, 20.0f, 80.0f, 300), 300);
    EXPECT_EQ(L::LevelPixels(30.0f, 20.0f, 80.0f, 300), 299);
    EXPECT_EQ(L::LevelPixels(-20.0f, 20.0f, 80.0f, 300), 150);
    EXPECT_EQ(L::LevelPixels(-200.0f, 20.0f, 80.0f, 300), 1);

    const L::TSurface s = L::SurfaceGeometry(g, 31, 10.0f, 0.01f);
    EXPECT_TRUE(s.Drawable);
    EXPECT_EQ(s.Amplitude, 150);
    EXPECT_EQ(s.Lines, 75);
    EXPECT_DOUBLE_EQ(s.BandSpacing, (600.0 - 48 - 75) / 30);
    // A graph one pixel high, or a single entry, draws no waterfall.
    EXPECT_FALSE(L::SurfaceGeometry({60, 58, 660, 59}, 31, 10.0f, 0.01f).Drawable);
    EXPECT_FALSE(L::SurfaceGeometry(g, 1, 10.0f, 0.01f).Drawable);
}

TEST(TReverbLayout, DoubleClickedEntry)
{
    const L::TGraph g{60, 58, 660, 358};
    EXPECT_EQ(L::ClickedEntry(L::RtBars, g, 31, 62, 100), 0);
    EXPECT_EQ(L::ClickedEntry(L::RtBars, g, 31, 659, 100), 30);
    EXPECT_EQ(L::ClickedEntry(L::Surface, g, 31, 60 + 15 * 15, 100), 15);
    EXPECT_EQ(L::ClickedEntry(L::DecayCurve, g, 31, 100, 100), -1);
    EXPECT_EQ(L::ClickedEntry(L::RtBars, g, 31, 10, 100), -1);
    // Columns under a pixel wide: the click is ignored, in both plots.
    const L::TGraph narrow{0, 0, 30, 100};
    EXPECT_EQ(L::ClickedEntry(L::RtBars, narrow, 31, 5, 5), -1);
    EXPECT_EQ(L::ClickedEntry(L::Surface, narrow, 31, 5, 5), -1);
}

TReverbData TwoRows()
{
    TReverbData d;
    d.RowCapacity = 2;
    d.AllocateRows();
    d.RowCount = 2;
    d.BandCount = 2;
    for (int r = 0; r < 2; ++r) {
        d.Rows[r].Frequency[0] = 1000.0f;
        d.Rows[r].Frequency[1] = TReverbData::WidebandFrequency;
        d.Rows[r].Time = 0.5f * r;
        d.Rows[r].Smoothed[0] = r ? -10.0f : 0.0f;
        d.Rows[r].Smoothed[1] = r ? -20.0f : 0.0f;
    }
    d.Results[0].T[5] = 1.5f;
    d.Results[1].T[5] = 2.25f;
    return d;
}

TEST(TReverbLayout, ReadOutsByMode)
{
    const L::TGraph g{60, 58, 660, 358};
    const TReverbData d = TwoRows();
    EXPECT_FLOAT_EQ(L::XValue(L::RtBars, g, d, 10.0f, 100), 1000.0f);
    EXPECT_FLOAT_EQ(L::XValue(L::RtBars, g, d, 10.0f, 600), 0.0f);
    EXPECT_FLOAT_EQ(L::XValue(L::DecayCurve, g, d, 10.0f, 360), 5.0f);
    EXPECT_FLOAT_EQ(L::XValue(L::DecayCurve, g, d, 0.0f, 360), 0.0f);
    EXPECT_FLOAT_EQ(L::YValue(L::RtBars, g, 10.0f, 20.0f, 80.0f, 208), 5.0f);
    EXPECT_FLOAT_EQ(L::YValue(L::DecayCurve, g, 10.0f, 20.0f, 80.0f, 208), -20.0f);
    EXPECT_FLOAT_EQ(L::YValue(L::Surface, g, 10.0f, 20.0f, 80.0f, 208), 0.0f);
}

TEST(TReverbLayout, ClipboardTextPerMode)
{
    const TReverbData d = TwoRows();
    EXPECT_EQ(L::Text(L::RtBars, d, 5, 0), "1000.000000\t1.500000\r\nWideband\t2.250000\r\n");
    EXPECT_EQ(L::Text(L::DecayCurve, d, 5, 1), "0.000000\t0.000000\r\n0.500000\t-20.000000\r\n");
    EXPECT_EQ(L::Text(L::Surface, d, 5, 0),
              "0.000000\t0.000000\t0.000000\t\r\n0.500000\t-10.000000\t-20.000000\t\r\n");
    EXPECT_EQ(L::Text(L::NoData, d, 5, 0), "");
}

}  // namespace
