// Block layout and counts of the analyses over a marked segment.
#include <gtest/gtest.h>

#include "engine/TSegmentLayout.h"

TEST(TSegmentLayout, CentringMovesBackHalfABlockAndStopsAtZero)
{
    struct Case {
        float start, end, half;
        bool kept;
        float wantStart, wantEnd;
    } cases[] = {
        {2.0f, 3.0f, 0.25f, true, 1.75f, 2.75f},
        {0.0f, 1.0f, 0.25f, true, 0.0f, 0.75f},    // a segment from 0 stays at 0
        {0.1f, 0.2f, 0.25f, false, 0.0f, 0.0f},    // both ends before half a block
        {0.1f, 0.3f, 0.25f, true, 0.0f, 0.05f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
        float start = c.start, end = c.end;
        EXPECT_EQ(TSegmentLayout::Centre(start, end, c.half), c.kept);
        EXPECT_FLOAT_EQ(start, c.wantStart);
        EXPECT_FLOAT_EQ(end, c.wantEnd);
    }
}

TEST(TSegmentLayout, CountsAndStepsNeverFallToZero)
{
    // 1 s at 48 kHz, FFT 4096 at 75 % overlap, ratio 2: 48000 / 2 / 1024.
    EXPECT_EQ(TSegmentLayout::AverageCount(48000, 2, 1024), 23u);
    EXPECT_EQ(TSegmentLayout::AverageCount(100, 1, 1024), 1u);    // shorter than a hop
    EXPECT_EQ(TSegmentLayout::AverageCount(0, 0, 0), 1u);

    bool raised = true;
    EXPECT_EQ(TSegmentLayout::LineStep(44100, 100, raised), 441u);
    EXPECT_FALSE(raised);
    EXPECT_EQ(TSegmentLayout::LineStep(50, 100, raised), 1u);
    EXPECT_TRUE(raised);
    EXPECT_EQ(TSegmentLayout::LineStep(0, 1, raised), 1u);    // no frame counts as one
    EXPECT_FALSE(raised);

    EXPECT_EQ(TSegmentLayout::LeqStep(44100, 44100), 4410u);
    EXPECT_EQ(TSegmentLayout::LeqCount(44100, 4410), 10u);
    EXPECT_EQ(TSegmentLayout::LeqCount(1000, 4410), 1u);    // under a tenth of a second
    EXPECT_EQ(TSegmentLayout::LeqStep(5, 200), 20u);
    EXPECT_EQ(TSegmentLayout::LeqStep(5, 3), 1u);
}

TEST(TSegmentLayout, SpectrogramLineByDisplayMode)
{
    EXPECT_EQ(TSegmentLayout::SpectrogramLine(0, 10, 0), 9);    // scrolling: earliest block on top
    EXPECT_EQ(TSegmentLayout::SpectrogramLine(9, 10, 0), 0);
    EXPECT_EQ(TSegmentLayout::SpectrogramLine(0, 10, 1), 0);    // wrapping: earliest at line 0
    EXPECT_EQ(TSegmentLayout::SpectrogramLine(7, 10, 1), 7);
    EXPECT_EQ(TSegmentLayout::SpectrogramLine(7, 10, 5), 0);
    EXPECT_EQ(TSegmentLayout::Percent(3, 4), 75u);
    EXPECT_EQ(TSegmentLayout::Percent(1, 0), 0u);
}
