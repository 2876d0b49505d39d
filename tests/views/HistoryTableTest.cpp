// The line history of the surface (and spectrogram): pushes, rebuild
// records, time queries and the levels autoscale reads.
#include <gtest/gtest.h>

#include "views/THistoryTable.h"

namespace {

THistoryTable Pushed(int rows, std::initializer_list<float> times)
{
    THistoryTable h(3);
    h.Resize(rows);
    for (float t : times) h.Push(t, 0.0f, -t, -2 * t);
    return h;
}

}  // namespace

TEST(HistoryTable, PushMovesLinesBackOneStepAtATime)
{
    THistoryTable h = Pushed(300, {1.0f, 2.0f, 3.0f});
    EXPECT_EQ(h.LineCount(), 101);
    const float expected[] = {3, 3, 3, 2, 2, 2, 1, 1, 1, 0};
    for (int row = 0; row < 10; ++row) EXPECT_EQ(h[row].Time, expected[row]) << row;
    EXPECT_EQ(h[4].LineIndex, 1u);
    EXPECT_EQ(h[3].Peak, -2.0f);
    EXPECT_EQ(h[5].Minimum, -4.0f);

    // A pane that grows keeps its lines; one that shrinks keeps those that fit.
    h.Resize(600);
    EXPECT_EQ(h[8].Time, 1.0f);
    EXPECT_EQ(h[599].Time, 0.0f);
    h.Resize(4);
    EXPECT_EQ(h[3].Time, 2.0f);
    h.Clear();
    EXPECT_EQ(h[0].Time, 0.0f);
    EXPECT_EQ(h.Count(), 4);
}

TEST(HistoryTable, TimeQueriesAndClamps)
{
    THistoryTable h = Pushed(300, {1.0f, 2.0f, 3.0f});
    EXPECT_EQ(h.MinTime(h[0].Time), 1.0f);
    EXPECT_EQ(h.MaxTime(), 3.0f);
    EXPECT_EQ(h.LineValue(-5, false), 3.0f);    // the first record
    EXPECT_EQ(h.LineValue(2, false), 1.0f);
    EXPECT_EQ(h.LineValue(5000, false), 0.0f);  // the last record
    EXPECT_EQ(h.RowValue(4, false), 2.0f);
    EXPECT_EQ(h.RowValue(-1, false), 3.0f);

    THistoryTable empty(3);
    EXPECT_EQ(empty.MinTime(7.0f), 0.0f);
    EXPECT_EQ(empty.LineValue(3, false), 0.0f);
    EXPECT_EQ(empty.FindLine(1.0f), 0);
    THistoryTable zero(3);
    zero.Resize(30);
    EXPECT_EQ(zero.MinTime(zero[0].Time), 0.0f);
    EXPECT_EQ(zero.MaxTime(), 0.0f);

    h.ShiftTimes(10.0f);
    EXPECT_EQ(h.MaxTime(), 13.0f);
    EXPECT_EQ(h.LineValue(99, false), 10.0f);   // a line never filled moves too

    THistoryTable tagged(3);
    tagged.Resize(9);
    tagged.Push(1.5f, 1200.0f, 0.0f, 0.0f);
    EXPECT_EQ(tagged.LineValue(0, true), 1200.0f);
    EXPECT_EQ(tagged.RowValue(2, true), 1200.0f);
}

TEST(HistoryTable, FindLineGivesTheNearestLineEitherWay)
{
    // Falling times, newest first, the back of the history never filled.
    const THistoryTable falling = Pushed(300, {1.0f, 2.0f, 3.0f, 4.0f});
    const struct {
        float T;
        int Line;
    } cases[] = {{4.0f, 0}, {9.0f, 0}, {3.9f, 0}, {3.4f, 1}, {2.0f, 2}, {1.0f, 3}, {0.5f, 3}};
    for (const auto& c : cases) EXPECT_EQ(falling.FindLine(c.T), c.Line) << c.T;
    // The rebuild runs from the line of the earliest time to the line of the latest.
    EXPECT_EQ(falling.FindLine(falling.MinTime(falling[0].Time)), 3);
    EXPECT_EQ(falling.FindLine(falling.MaxTime()), 0);

    // Rising times, as a segment written oldest first, full to the end.
    THistoryTable rising(3);
    rising.Resize(12);
    for (int line = 0; line < 4; ++line) rising.SetLine(line, 10.0f + line, 0.0f);
    const struct {
        float T;
        int Line;
    } up[] = {{5.0f, 0}, {10.0f, 0}, {11.4f, 1}, {11.6f, 2}, {13.0f, 3}, {20.0f, 3}};
    for (const auto& c : up) EXPECT_EQ(rising.FindLine(c.T), c.Line) << c.T;
}

TEST(HistoryTable, RebuildRecordsAndLevels)
{
    THistoryTable h(3);
    h.Resize(10);
    h.SetLine(1, 2.5f, 90.0f);
    EXPECT_EQ(h[3].Time, 2.5f);
    EXPECT_EQ(h[5].Tag, 90.0f);
    EXPECT_EQ(h[5].LineIndex, 1u);
    h.SetLine(3, 4.0f, 0.0f);   // row 9 only
    EXPECT_EQ(h[9].Time, 4.0f);
    h.SetLine(4, 5.0f, 0.0f);   // past the end
    h.SetLine(-1, 5.0f, 0.0f);
    EXPECT_EQ(h.MaxTime(), 4.0f);

    // Levels move back with the image, times stay.
    for (float peak : {-10.0f, -20.0f, -30.0f, -40.0f}) h.PushLevels(peak, -90.0f - peak);
    EXPECT_EQ(h[0].Peak, -40.0f);
    EXPECT_EQ(h[3].Peak, -30.0f);
    EXPECT_EQ(h[9].Minimum, -80.0f);
    EXPECT_EQ(h[3].Time, 2.5f);

    // Autoscale reads the lines that were filled, not the empty rows.
    float largest, smallest;
    ASSERT_TRUE(h.LevelSpan(largest, smallest));
    EXPECT_EQ(largest, -10.0f);
    EXPECT_EQ(smallest, -80.0f);
    THistoryTable blank(3);
    blank.Resize(30);
    EXPECT_FALSE(blank.LevelSpan(largest, smallest));
}
