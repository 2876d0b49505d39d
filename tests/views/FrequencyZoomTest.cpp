// The spectral views' zoom steps and scroll bar over the data's indexes,
// for data that start at index 0, at index 2 and at the first usable band.
#include <gtest/gtest.h>

#include "engine/TSmoothing.h"
#include "tests/engine/SpectralTestSupport.h"
#include "views/TFrequencyZoom.h"

namespace {

struct TDataRange {
    const char* Name;
    int Low, High;
};

// Linear bins of a 1024-point spectrum from bin 0 and from bin 2, and the
// third-octave bands of the engine's own band table.
std::vector<TDataRange> Ranges()
{
    const TSpectralData bands(Analysis(48000, 1024), Display(1, 2, 3), 0);
    return {{"low index 0", 0, 512}, {"low index 2", 2, 512},
            {"first band", bands.GetLowIndex(), bands.GetHighIndex()}};
}

}  // namespace

TEST(FrequencyZoom, ScrollBarReachesBothEndsAndKeepsTheSpan)
{
    for (const TDataRange& r : Ranges()) {
        SCOPED_TRACE(r.Name);
        ASSERT_LT(r.Low + 16, r.High);
        const TFrequencyZoom zoom{r.Low, r.High, 3};
        int start = r.Low, end = r.High;
        EXPECT_TRUE(zoom.Hold(start, end));
        EXPECT_EQ(zoom.ScrollRange(start, end), 0);
        int steps = 0;
        while (steps < 3 && zoom.ZoomIn(start, end))
            ++steps;
        const int span = end - start;
        ASSERT_GT(steps, 0);
        ASSERT_LT(span, r.High - r.Low);
        EXPECT_FALSE(zoom.Hold(start, end));
        // The bar's position counts from the low index; its upper end leaves
        // just the span at the top.
        EXPECT_EQ(zoom.ScrollPosition(start), start - r.Low);
        const int range = zoom.ScrollRange(start, end);
        EXPECT_EQ(range, r.High - r.Low - span);
        zoom.ScrollTo(0, start, end);
        EXPECT_EQ(start, r.Low);
        EXPECT_EQ(end, r.Low + span);
        EXPECT_FALSE(zoom.Hold(start, end)) << "the left end keeps the span";
        EXPECT_EQ(end - start, span);
        zoom.ScrollTo(range, start, end);
        EXPECT_EQ(end, r.High);
        EXPECT_EQ(end - start, span);
        EXPECT_EQ(zoom.ScrollPosition(start), range);
        // A position beyond either end of the bar stops at it.
        zoom.ScrollTo(range + 5, start, end);
        EXPECT_EQ(end, r.High);
        zoom.ScrollTo(-1, start, end);
        EXPECT_EQ(start, r.Low);
        EXPECT_EQ(end - start, span);
    }
}

TEST(FrequencyZoom, StepsStayWithinTheData)
{
    for (const TDataRange& r : Ranges()) {
        SCOPED_TRACE(r.Name);
        const TFrequencyZoom zoom{r.Low, r.High, 3};
        // Out from near the low end stops at the low index, from near the
        // high end at the high index.
        int start = r.Low + 1, end = r.Low + 9;
        EXPECT_TRUE(zoom.ZoomOut(start, end));
        EXPECT_EQ(start, r.Low);
        EXPECT_EQ(end, r.Low + 11);
        start = r.High - 9;
        end = r.High - 1;
        EXPECT_TRUE(zoom.ZoomOut(start, end));
        EXPECT_EQ(start, r.High - 11);
        EXPECT_EQ(end, r.High);
        EXPECT_TRUE(zoom.ZoomFull(start, end));
        EXPECT_EQ(start, r.Low);
        EXPECT_EQ(end, r.High);
        EXPECT_FALSE(zoom.ZoomOut(start, end));
        EXPECT_FALSE(zoom.ZoomFull(start, end));
        // A range partly outside the data is held to it; one wholly outside
        // becomes the whole data.
        start = r.Low - 1;
        end = r.Low + 5;
        EXPECT_FALSE(zoom.Hold(start, end));
        EXPECT_EQ(start, r.Low);
        EXPECT_EQ(end, r.Low + 5);
        start = r.High + 1;
        end = r.High + 9;
        EXPECT_TRUE(zoom.Hold(start, end));
        EXPECT_EQ(start, r.Low);
        EXPECT_EQ(end, r.High);
    }
}

TEST(FrequencyZoom, StepsOfTheSpectrumAndPhaseSpans)
{
    const struct {
        const char* Name;
        int Smallest;
        int Op;  // 0 in, 1 out, 2 full, 3 drag from Start to End
        int Start, End, ExpectStart, ExpectEnd;
        bool Changed;
    } cases[] = {
        {"in by quarters", 3, 0, 100, 200, 125, 175, true},
        {"in at 3 bins", 3, 0, 10, 13, 10, 13, false},
        {"in at 4 bins", 3, 0, 10, 14, 11, 13, true},
        {"in at 7 bins, phase", 7, 0, 10, 17, 10, 17, false},
        {"in at 8 bins, phase", 7, 0, 10, 18, 12, 16, true},
        {"out", 3, 1, 400, 600, 350, 650, true},
        {"out at the low end", 3, 1, 20, 420, 1, 520, true},
        {"out past the top", 3, 1, 600, 1000, 500, 1023, true},
        {"out at full span", 3, 1, 1, 1023, 1, 1023, false},
        {"full", 3, 2, 300, 400, 1, 1023, true},
        {"full at full span", 3, 2, 1, 1023, 1, 1023, false},
        {"drag of 3 bins", 3, 3, 50, 53, 0, 0, false},
        {"drag backwards", 3, 3, 90, 40, 40, 90, true},
        {"drag of 7 bins, phase", 7, 3, 20, 27, 0, 0, false},
        {"drag backwards, phase", 7, 3, 40, 20, 20, 40, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TFrequencyZoom zoom{1, 1023, c.Smallest};
        int start = c.Op == 3 ? 0 : c.Start, end = c.Op == 3 ? 0 : c.End;
        bool changed = false;
        switch (c.Op) {
        case 0: changed = zoom.ZoomIn(start, end); break;
        case 1: changed = zoom.ZoomOut(start, end); break;
        case 2: changed = zoom.ZoomFull(start, end); break;
        default: changed = zoom.ZoomTo(c.Start, c.End, start, end); break;
        }
        EXPECT_EQ(changed, c.Changed);
        EXPECT_EQ(start, c.ExpectStart);
        EXPECT_EQ(end, c.ExpectEnd);
    }
}
