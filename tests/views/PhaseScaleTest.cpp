// The phase view's pure scales: ticks, column table, curve, the throttle
// and the copied texts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/views/FakeLineSource.h"
#include "views/TPhaseScale.h"

namespace {

std::vector<std::string> Texts(const std::vector<TAxisLabel>& labels)
{
    std::vector<std::string> out;
    for (const auto& l : labels) out.emplace_back(l.Text, strnlen(l.Text, 10));
    return out;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        out.push_back(text.substr(at, end - at));
    EXPECT_EQ(at, text.size()) << "text ends with a line end";
    return out;
}

}  // namespace

TEST(PhaseScale, PhaseTicks)
{
    TPhaseScale s;
    s.BuildYTicks(360);
    EXPECT_EQ(Texts(s.YTicks), (std::vector<std::string>{"180.0", "135.0", "90.0", "45.0", "0.0", "-45.0", "-90.0",
                                                         "-135.0", "-180.0"}));
    for (size_t i = 0; i < s.YTicks.size(); ++i) EXPECT_EQ(s.YTicks[i].Position, int(45 * i));

    s.PlotTop = 10.0f;
    s.PlotRange = 20.0f;
    s.BuildYTicks(200);
    EXPECT_EQ(Texts(s.YTicks), (std::vector<std::string>{"10.0", "5.0", "0.0", "-5.0", "-10.0"}));
    // Ticks closer than 10 pixels lose their labels.
    s.BuildYTicks(30);
    EXPECT_EQ(Texts(s.YTicks), (std::vector<std::string>{"10.0", "", "0.0", "", "-10.0"}));

    s.PlotRange = 0.0f;
    s.BuildYTicks(200);
    EXPECT_TRUE(s.YTicks.empty());
    // A range of 0 is drawn as 1 degree.
    s.PlotTop = 0.0f;
    EXPECT_EQ(s.HeightOf(-0.5f, 100), 50);
    EXPECT_EQ(s.HeightOf(-5.0f, 100), 1);
    EXPECT_EQ(s.HeightOf(5.0f, 100), 100);
}

TEST(PhaseScale, FrequencyTicksAndColumns)
{
    const FakeLineSource source(1.0, 22000);
    TPhaseScale s;
    s.FreqScaleType = 0;
    s.StartFreq = 1000.0f;
    s.StopFreq = 1050.0f;
    s.BuildColumns(500, source);
    s.BuildXTicks(500);
    EXPECT_EQ(Texts(s.XTicks), (std::vector<std::string>{"1.00k", "1.01k", "1.02k", "1.03k", "1.04k"}));

    s.FreqScaleType = 1;
    s.StartFreq = 20.0f;
    s.StopFreq = 22000.0f;
    s.BuildColumns(700, source);
    s.BuildXTicks(700);
    const std::vector<std::string> texts = Texts(s.XTicks);
    EXPECT_EQ(texts.front(), "20");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "1.0k"), 1);
    for (size_t i = 1; i < s.XTicks.size(); ++i) EXPECT_LE(s.XTicks[i - 1].Position, s.XTicks[i].Position);
    // The last column reaches one bin further, never past the high index.
    s.BuildColumns(700, FakeLineSource(1000.0, 22));
    EXPECT_EQ(s.Columns.back().Bin, 22u);
    // Markers outside the data's range have no column.
    EXPECT_EQ(s.MarkerColumn(30000.0f, source), TPhaseScale::NoColumn);
    EXPECT_EQ(s.MarkerColumn(1000.0f, source), s.ColumnOf(1000.0f));
}

TEST(PhaseScale, CurveVerticesAtBinChanges)
{
    TPhaseScale s;
    s.PlotTop = 180.0f;
    s.PlotRange = 360.0f;
    s.Columns = {{0, 0}, {0, 0}, {1, 0}, {1, 0}, {1, 0}, {2, 0}};
    const FakeLineSource source(1.0, 2, {}, {0.0f, 90.0f, -90.0f});
    const TPaneRect pane{10, 0, 16, 360};
    // Heights 180, 270 and 90 above the bottom at 360; each vertex carries
    // the height of the run before it.
    EXPECT_EQ(s.BuildCurve(source, pane), (std::vector<TCurvePoint>{{10, 180}, {11, 180}, {14, 90}}));
    EXPECT_TRUE(s.BuildCurve(source, TPaneRect{0, 0, 7, 360}).empty());   // fewer columns than the pane
    EXPECT_FLOAT_EQ(s.PhaseAtRow(90, pane), 90.0f);
}

TEST(PhaseScale, ThrottleDrawsEveryIntervalAndResetsOnAnEarlierBlock)
{
    float last = 0.0f;
    int drawn = 0;
    for (int i = 1; i <= 20; ++i) drawn += TPhaseScale::Admit(0.1f * i, true, 0.5f, last);
    EXPECT_EQ(drawn, 4);
    EXPECT_FALSE(TPhaseScale::Admit(1.0f, true, 0.5f, last));   // earlier than the last drawn
    EXPECT_EQ(last, 0.0f);
    EXPECT_TRUE(TPhaseScale::Admit(1.0f, true, 0.5f, last));
    EXPECT_TRUE(TPhaseScale::Admit(1.1f, false, 0.5f, last));
    EXPECT_TRUE(TPhaseScale::Admit(0.0f, true, 0.5f, last));
}

TEST(PhaseScale, CopiedTexts)
{
    std::vector<float> up(40), down(40);
    for (int b = 0; b < 40; ++b) {
        up[b] = 2.0f * b;
        down[b] = -0.25f * b;
    }
    const FakeLineSource a(2.5, 39, {}, up), b(2.5, 39, {}, down);
    std::vector<std::string> lines = Lines(TPhaseScale::CopyText("Left/Right", 10, 20, a, nullptr));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], ";Freq(Hz)\tPhase (deg) Left/Right");
    EXPECT_EQ(lines[1], "25.0000\t20.000000");
    EXPECT_EQ(lines[10], "47.5000\t38.000000");

    lines = Lines(TPhaseScale::CopyText("x", 10, 20, a, &b));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[3], "30.0000\t24.000000\t-3.000000");

    // A label longer than any fixed line is copied whole.
    const std::string label(300, 'L');
    EXPECT_EQ(Lines(TPhaseScale::CopyText(label.c_str(), 0, 1, a, nullptr))[0], ";Freq(Hz)\tPhase (deg) " + label);
    EXPECT_EQ(Lines(TPhaseScale::CopyText("x", 5, 5, a, nullptr)).size(), 1u);

    EXPECT_EQ(TPhaseScale::CursorText(1000.0f, 45.0f), "Freq=\t1000.0000\r\nPhase=\t45.0000\r\n");
}
