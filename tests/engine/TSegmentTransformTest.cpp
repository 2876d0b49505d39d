#include "engine/TSegmentTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/TOverlayComparison.h"
#include "engine/TSeriesData.h"
#include "tests/engine/Fixture.h"

namespace {

TSeriesData Block(const std::vector<double>& samples)
{
    TSeriesData block(uint32_t(samples.size()), TWaveFormat(48000, 1, 2), 1, 0);
    for (size_t i = 0; i < samples.size(); ++i)
        block.PutSample(uint32_t(i), int32_t(samples[i]));
    return block;
}

}  // namespace

TEST(TSegmentTransform, TailSizes)
{
    const uint32_t cases[][2] = {{1, 32},     {32, 32},     {33, 64},     {100, 128},
                                 {4096, 4096}, {4097, 8192}, {8191, 8192}, {8192, 8192}};
    for (const auto& c : cases)
        EXPECT_EQ(TSegmentTransform::TailSize(c[0]), c[1]) << c[0];
}

// Three whole blocks and a 100-sample tail, each against scipy's analytic
// signal of the same span (silence past the block's end in the tail's).
TEST(TSegmentTransform, EnvelopeInBlocksMatchesScipy)
{
    const auto rows = ReadFixture("envelope_blocks_16bit.txt");
    ASSERT_EQ(rows.size(), 2u);
    TSeriesData block = Block(rows[0]);
    std::vector<uint32_t> steps;
    EXPECT_TRUE(TSegmentTransform::Envelope(&block, nullptr, block.GetLength(), [&](uint32_t k, uint32_t blocks) {
        EXPECT_EQ(blocks, 3u);
        steps.push_back(k);
        return true;
    }));
    EXPECT_EQ(steps, (std::vector<uint32_t>{0, 1, 2}));
    for (size_t i = 0; i < rows[1].size(); ++i)
        ASSERT_NEAR(block.GetSample(uint32_t(i), 0), rows[1][i], 2.0) << i;
}

// A cancel after the first block leaves the next blocks as they were; the
// tail is transformed all the same.
TEST(TSegmentTransform, CancelledEnvelopeStillTransformsTheTail)
{
    const auto rows = ReadFixture("envelope_blocks_16bit.txt");
    TSeriesData left = Block(rows[0]), right = Block(rows[0]);
    EXPECT_FALSE(TSegmentTransform::Envelope(&left, &right, left.GetLength(), [](uint32_t, uint32_t) {
        return false;
    }));
    for (const TSeriesData* block : {&left, &right}) {
        for (size_t i : {size_t(100), size_t(8191)})
            EXPECT_NEAR(block->GetSample(uint32_t(i), 0), rows[1][i], 2.0) << i;
        for (size_t i : {size_t(8192 + 5), size_t(2 * 8192 + 700)})
            EXPECT_EQ(block->GetSample(uint32_t(i), 0), float(rows[0][i])) << i;
        for (size_t i = 3 * 8192; i < rows[1].size(); ++i)
            ASSERT_NEAR(block->GetSample(uint32_t(i), 0), rows[1][i], 2.0) << i;
    }
}

// The inverse transform's values become samples held to the width's range.
TEST(TSegmentTransform, InverseValuesAreHeldToTheRange)
{
    const TWaveFormat w16(44100, 1, 2), w8(44100, 1, 1);
    struct Case {
        const TWaveFormat& format;
        double value;
        int32_t sample;
    };
    const Case cases[] = {
        {w16, 1234.9, 1234},   {w16, -1234.9, -1234}, {w16, 1e12, 32767},
        {w16, -1e12, -32767},  {w16, std::numeric_limits<double>::infinity(), 32767},
        {w16, std::nan(""), 0}, {w8, 10.5, w8.SilenceValue + 10}, {w8, -500.0, w8.MinValue},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TSegmentTransform::ToSample(c.format, c.value), c.sample) << c.value;
}

TEST(TOverlayComparison, AnswersOverARange)
{
    const std::vector<float> spectrum = {-10, -20, -30, -40, -50};
    struct Case {
        std::vector<float> overlay;
        uint32_t first, last;
        int answer;
    };
    const Case cases[] = {
        {{-11, -21, -31, -41, -51}, 0, 5, TOverlayComparison::Above},
        {{-9, -19, -29, -39, -49}, 0, 5, TOverlayComparison::NotAbove},
        {{-10, -20, -30, -40, -50}, 0, 5, TOverlayComparison::NotAbove},   // equal is not above
        {{-11, -21, -29, -41, -51}, 0, 5, TOverlayComparison::Both},
        {{-11, -21, -29, -41, -51}, 3, 5, TOverlayComparison::Above},        // last is not compared
        {{-11, -21, -31, -41, -49}, 0, 4, TOverlayComparison::Above},
        {{-11, -21, -31, -41, -51}, 2, 2, TOverlayComparison::NoData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        EXPECT_EQ(TOverlayComparison::Compare(c.first, c.last, [&](uint32_t i) { return spectrum[i]; },
                                              [&](uint32_t i) { return c.overlay[i]; }),
                  c.answer);
    }
}

TEST(TOverlayComparison, ItemsNameSideSourceSlotAndMarkers)
{
    struct Case {
        int item;
        uint16_t side;
        bool peakHold;
        uint16_t slot;
        int marker;
    };
    const Case cases[] = {{138, 0, false, 1, 0}, {141, 0, false, 4, 6}, {142, 0, true, 1, 0}, {145, 0, true, 4, 6},
                          {146, 1, false, 1, 0}, {148, 1, false, 3, 4}, {150, 1, true, 1, 0}, {153, 1, true, 4, 6}};
    for (const Case& c : cases) {
        const auto r = TOverlayComparison::Request(c.item);
        EXPECT_EQ(r.Side, c.side) << c.item;
        EXPECT_EQ(r.PeakHold, c.peakHold) << c.item;
        EXPECT_EQ(r.Slot, c.slot) << c.item;
        EXPECT_EQ(r.FirstMarker, c.marker) << c.item;
    }
    EXPECT_FALSE(TOverlayComparison::IsValidSlot(0));
    EXPECT_TRUE(TOverlayComparison::IsValidSlot(7));
    EXPECT_FALSE(TOverlayComparison::IsValidSlot(8));
}
