// The time series view's visible range: the range check, zoom and scroll
// steps, thumb and page positions, including the steps near frame 0 that
// must keep the range inside the data.
#include <gtest/gtest.h>

#include "views/TSeriesRange.h"

namespace {
TSeriesRange Range(int64_t first, int64_t last)
{
    TSeriesRange r;
    r.First = first;
    r.Last = last;
    return r;
}
}  // namespace

TEST(SeriesRange, FitShowsTheWholeDataForEmptyOrReversedRangesAndCutsWideOnes)
{
    struct Case {
        int64_t first, last, length, widest, wantFirst, wantLast;
        const char* what;
    };
    const Case cases[] = {
        {0, 48000, 96000, 480000000, 0, 48000, "a second of a 2 s file at 48 kHz"},
        {0, 48000, 30000, 480000000, 0, 30000, "limited to the data"},
        {0, 0, 5000, 480000000, 0, 5000, "nothing chosen yet"},
        {400, 400, 5000, 480000000, 0, 5000, "empty"},
        {600, 300, 5000, 480000000, 0, 5000, "reversed"},
        {6000, 7000, 5000, 480000000, 0, 5000, "wholly past the end"},
        {1000, 9000, 10000, 4000, 3000, 7000, "wider than the widest: cut around the centre"},
        {0, 100, 0, 480000000, 0, 0, "no data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSeriesRange r = Range(c.first, c.last);
        r.Fit(c.length, c.widest);
        EXPECT_EQ(r.First, c.wantFirst);
        EXPECT_EQ(r.Last, c.wantLast);
    }
}

TEST(SeriesRange, ZoomBoxAndZoomInStopAtTwentyFrames)
{
    TSeriesRange r = Range(100, 1100);
    EXPECT_FALSE(r.ZoomTo(500, 519));
    EXPECT_EQ(r.First, 100);
    EXPECT_EQ(r.Last, 1100);
    EXPECT_TRUE(r.ZoomTo(500, 520));
    EXPECT_EQ(r.First, 500);
    EXPECT_EQ(r.Last, 520);

    r = Range(0, 19);
    r.ZoomIn2x();
    EXPECT_EQ(r.First, 0);
    EXPECT_EQ(r.Last, 19);
    r = Range(200, 300);
    r.ZoomIn2x();
    EXPECT_EQ(r.First, 225);
    EXPECT_EQ(r.Last, 275);
}

TEST(SeriesRange, ZoomOutAndZoomFullStayInsideTheDataNearItsEdges)
{
    struct Case {
        int64_t first, last, widest, length;
        bool full;
        int64_t wantFirst, wantLast;
        const char* what;
    };
    const Case cases[] = {
        {4000, 6000, 3000, 100000, false, 3500, 6500, "widest under twice the width: exactly widest, centred"},
        {4000, 6000, 100000, 100000, false, 3500, 6500, "otherwise 1.5 times as wide"},
        {100, 2100, 100000, 100000, false, 0, 3000, "near the start: held at 0, width kept"},
        {0, 100, 150, 100000, false, 0, 150, "widest at frame 0: held at 0"},
        {98000, 99800, 100000, 100000, false, 97300, 100000, "1.5 times past the end: held at the end"},
        {99000, 99990, 1500, 100000, false, 98500, 100000, "centred past the end: held at the end"},
        {40000, 41000, 200000, 100000, true, 0, 100000, "the whole data when it fits"},
        {100, 1100, 48000, 100000, true, 0, 48000, "widest near the start: held at 0"},
        {98000, 99000, 48000, 100000, true, 52000, 100000, "widest near the end: held at the end"},
        {50000, 51000, 48000, 100000, true, 26500, 74500, "widest around the centre"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSeriesRange r = Range(c.first, c.last);
        if (c.full)
            r.ZoomFull(c.widest, c.length);
        else
            r.ZoomOut2x(c.widest, c.length);
        EXPECT_EQ(r.First, c.wantFirst);
        EXPECT_EQ(r.Last, c.wantLast);
    }
}

TEST(SeriesRange, ScrollStepsATenthOrAHalfAndNeverLeavesTheData)
{
    struct Case {
        int64_t first, last;
        int code, thumb;
        int64_t wantFirst, wantLast;
        const char* what;
    };
    const int64_t length = 100000;
    const Case cases[] = {
        {10000, 20000, TSeriesRange::LineRight, 0, 11000, 21000, "line right: a tenth"},
        {10000, 20000, TSeriesRange::LineLeft, 0, 9000, 19000, "line left"},
        {10000, 20000, TSeriesRange::PageRight, 0, 15000, 25000, "page right: a half"},
        {10000, 20000, TSeriesRange::PageLeft, 0, 5000, 15000, "page left"},
        {500, 10500, TSeriesRange::LineLeft, 0, 0, 10000, "line left past frame 0"},
        {2000, 12000, TSeriesRange::PageLeft, 0, 0, 10000, "page left past frame 0"},
        {0, 10000, TSeriesRange::PageLeft, 0, 0, 10000, "page left at frame 0"},
        {88000, 98000, TSeriesRange::PageRight, 0, 90000, 100000, "page right past the end"},
        {10000, 20000, TSeriesRange::Thumb, 5000, 45000, 55000, "thumb halfway"},
        {10000, 20000, TSeriesRange::Thumb, 10000, 90000, 100000, "thumb at the end"},
        {10000, 20000, 8, 0, 10000, 20000, "end of scroll: nothing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSeriesRange r = Range(c.first, c.last);
        r.Scroll(c.code, c.thumb, length);
        EXPECT_EQ(r.First, c.wantFirst);
        EXPECT_EQ(r.Last, c.wantLast);
    }
}

TEST(SeriesRange, ThumbPageAndLimitOnTheScrollScale)
{
    TSeriesRange r = Range(45000, 55000);
    EXPECT_EQ(r.ThumbPosition(100000), 5000);
    EXPECT_EQ(r.PageStep(100000), 500);
    EXPECT_EQ(r.ScrollLimit(100000), 90000);
    r = Range(0, 100000);
    EXPECT_TRUE(r.ShowsAll(100000));
    EXPECT_EQ(r.ThumbPosition(100000), 0);
    EXPECT_EQ(r.ScrollLimit(100000), 0);
    EXPECT_EQ(r.PageStep(0), 0);

    // Ten hours at 96 kHz: the page step's product needs more than 32 bits.
    const int64_t hours = int64_t(96000) * 36000;
    r = Range(hours / 2, hours / 2 + 96000 * 600);
    EXPECT_EQ(r.PageStep(hours), 83);
    EXPECT_EQ(r.ThumbPosition(hours), 5085);
}
